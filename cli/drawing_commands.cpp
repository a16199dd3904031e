// `noctaris-cli moon-calendar | orbits | terminator`: the drawings of the moon phase calendar,
// the orbits window and the terminator map as PNG files, painted by the windows' own functions.
#include <algorithm>
#include <vector>

#include <QImage>
#include <QTimeZone>
#include <QPainter>
#include <QString>
#include <QStringList>

#include "catalog/catalog.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/places.h"
#include "platform/pictures.h"
#include "windows/moon_phase_calendar_window.h"
#include "windows/orbits_window.h"
#include "windows/terminator_window.h"

namespace noctaris::cli {
namespace {

// The drawing areas of the windows as they open beside a main window of its first size.
constexpr QSize kMoonCalendarSize(784, 578);
constexpr QSize kOrbitsSize(901, 726);
constexpr QSize kTerminatorSize(1070, 667);

void AddOut(CommandParser& cmd) { cmd.addOut(QStringLiteral("The PNG file to write (required).")); }

QString RequiredOut(const CommandParser& cmd) {
    if (!cmd.isSet(QStringLiteral("out"))) throw UsageError(QStringLiteral("missing --out"));
    CheckOutputPath(cmd.out());
    return cmd.out();
}

void AddSize(CommandParser& cmd, QSize size) {
    const QString text = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    cmd.add({QStringLiteral("size"), QStringLiteral("Image size in pixels (default %1).").arg(text),
             QStringLiteral("WxH"), text});
}

// The orbit table's entry a user named: its name or its label ("Ceres", "Pluto"), ignoring case.
const OrbitObject& OrbitObjectNamed(const QString& typed) {
    QStringList labels = {QStringLiteral("planets")};
    for (const OrbitObject& o : OrbitTable()) {
        if (typed.compare(o.Name, Qt::CaseInsensitive) == 0 || typed.compare(o.Label, Qt::CaseInsensitive) == 0)
            return o;
        labels << o.Label.toLower();
    }
    throw UsageError(QStringLiteral("unknown object '%1' (expected %2)").arg(typed, labels.join(QStringLiteral(", "))));
}

}  // namespace

int RunMoonCalendar(const QStringList& args) {
    CommandParser cmd(QStringLiteral("moon-calendar"),
                      QStringLiteral("The moon phase calendar of a month as the window draws it: "
                                     "each day with the Moon's phase at noon."));
    cmd.add({QStringLiteral("month"), QStringLiteral("The month, years 1..9999 (Gregorian calendar)."),
             QStringLiteral("YYYY-MM")});
    cmd.add({QStringLiteral("day"), QStringLiteral("Frame this day of the month, as the window frames the chosen day."),
             QStringLiteral("D")});
    cmd.addPlace();  // south of the equator the pictures stand on their heads
    AddOut(cmd);
    if (!cmd.parse(args)) return 0;
    if (!cmd.isSet(QStringLiteral("month"))) throw UsageError(QStringLiteral("missing --month"));
    const QString monthText = cmd.value(QStringLiteral("month"));
    const QStringList f = monthText.split(QLatin1Char('-'));
    if (f.size() != 2 || monthText.startsWith(QLatin1Char('-')))
        throw UsageError(QStringLiteral("invalid month '%1' (expected YYYY-MM)").arg(monthText));
    mooncal::MonthView view;
    view.year = ParseInteger(f[0], 1, 9999, QStringLiteral("year"));
    view.month = ParseInteger(f[1], 1, 12, QStringLiteral("month"));
    const int days = mooncal::DaysInMonth(mooncal::IsCalendarLeapYear(view.year), view.month);
    view.day = cmd.isSet(QStringLiteral("day")) ? ParseInteger(cmd.value(QStringLiteral("day")), 1, days, QStringLiteral("day")) : 0;
    if (view.day && !mooncal::DayOffset(view.year, view.month, view.day))
        throw UsageError(QStringLiteral("invalid day '%1' (the calendar went from 1582-10-04 to 1582-10-15)")
                             .arg(cmd.value(QStringLiteral("day"))));
    const QString out = RequiredOut(cmd);

    const QImage sheet = LoadPicture("s3").convertToFormat(QImage::Format_RGB32);
    view.size = kMoonCalendarSize;
    view.pictures = mooncal::ComputeMonthPictures(view.year, view.month);
    view.sheet = &sheet;
    view.southern = PlaceOfOptions(cmd, Catalogs::Load(kCatalogPlaces)).latitude < 0;
    QImage image(view.size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        mooncal::PaintMonth(p, view);
    }
    WriteOutputFile(out, PngBytes(image));
    return 0;
}

int RunOrbits(const QStringList& args) {
    CommandParser cmd(QStringLiteral("orbits"),
                      QStringLiteral("The plan of the orbits seen from the north ecliptic pole for "
                                     "a date, as the orbits window draws it."));
    cmd.add({QStringLiteral("date"), QStringLiteral("The date (Julian calendar before 1582-10-15)."),
             QStringLiteral("YYYY-MM-DD")});
    cmd.add({QStringLiteral("zoom"),
             QStringLiteral("Zoom steps from 50 pixels per AU, each a factor of the square root of "
                            "2: positive in (at most 500 pixels per AU), negative out (default 0)."),
             QStringLiteral("steps"), QStringLiteral("0")});
    cmd.add({QStringLiteral("objects"),
             QStringLiteral("Comma-separated objects to draw (default the eight planets): planets, "
                            "pluto, ceres, vesta, davida, pallas, eros, aten, hathor, icarus, apollo."),
             QStringLiteral("list")});
    AddSize(cmd, kOrbitsSize);
    AddOut(cmd);
    if (!cmd.parse(args)) return 0;
    if (!cmd.isSet(QStringLiteral("date"))) throw UsageError(QStringLiteral("missing --date"));
    const CivilDate date = ParseDate(cmd.value(QStringLiteral("date")));
    const int zoom = ParseInteger(cmd.value(QStringLiteral("zoom")), -100, 100, QStringLiteral("zoom"));
    const QSize size = ParseSize(cmd.value(QStringLiteral("size")));
    std::vector<const OrbitObject*> ticked;
    const QString planets = QStringLiteral("mercury,venus,earth,mars,jupiter,saturn,uranus,neptune");
    const QString objects = cmd.isSet(QStringLiteral("objects")) ? cmd.value(QStringLiteral("objects")) : planets;
    for (const QString& item : objects.split(QLatin1Char(','))) {
        const QString name = item.trimmed();
        // "planets" stands for the eight of the default.
        const QStringList names = name.compare(QLatin1String("planets"), Qt::CaseInsensitive) == 0
                                      ? planets.split(QLatin1Char(','))
                                      : QStringList{name};
        for (const QString& n : names) {
            const OrbitObject* o = &OrbitObjectNamed(n);
            if (std::find(ticked.begin(), ticked.end(), o) == ticked.end()) ticked.push_back(o);
        }
    }
    // The window's list is sorted by name and hands the ticked objects over in that order,
    // which decides their colours.
    std::sort(ticked.begin(), ticked.end(), [](const OrbitObject* a, const OrbitObject* b) { return a->Name < b->Name; });
    const QString out = RequiredOut(cmd);

    OrbitPlanView view;
    view.Year = date.year;
    view.Month = date.month;
    view.Day = date.day;
    for (int i = 0; i < zoom; ++i) view.Scale = ZoomIn(view.Scale);
    for (int i = 0; i > zoom; --i) view.Scale = ZoomOut(view.Scale);
    view.Ticked = ticked.data();
    view.TickedCount = static_cast<int>(ticked.size());
    WriteOutputFile(out, PngBytes(RenderOrbitPlan(size.width(), size.height(), view)));
    return 0;
}

int RunTerminator(const QStringList& args) {
    CommandParser cmd(QStringLiteral("terminator"),
                      QStringLiteral("The world map with the day/night boundary as the terminator "
                                     "window draws it. The clock is the legal clock of --zone, summer "
                                     "time included, as the system's time-zone database keeps it."));
    cmd.add({QStringLiteral("date"), QStringLiteral("The date; its year decides leap day and summer time."),
             QStringLiteral("YYYY-MM-DD")});
    cmd.add({QStringLiteral("time"), QStringLiteral("The clock time (see above)."), QStringLiteral("HH:MM")});
    cmd.add({QStringLiteral("zone"), QStringLiteral("The clock's time zone, an IANA id (default Europe/Berlin)."),
             QStringLiteral("ZONE")});
    cmd.add({QStringLiteral("no-summer-time"), QStringLiteral("Take the clock time as the zone's standard time all year.")});
    cmd.add({QStringLiteral("no-sun"), QStringLiteral("Leave out the Sun at its overhead point.")});
    cmd.add({QStringLiteral("no-grid"), QStringLiteral("Leave out the 30-degree grid.")});
    AddSize(cmd, kTerminatorSize);
    AddOut(cmd);
    if (!cmd.parse(args)) return 0;
    if (!cmd.isSet(QStringLiteral("date"))) throw UsageError(QStringLiteral("missing --date"));
    if (!cmd.isSet(QStringLiteral("time"))) throw UsageError(QStringLiteral("missing --time"));
    const CivilDate date = ParseDate(cmd.value(QStringLiteral("date")));
    const ClockTime time = ParseTime(cmd.value(QStringLiteral("time")));
    const QSize size = ParseSize(cmd.value(QStringLiteral("size")));
    const QString out = RequiredOut(cmd);

    TerminatorView view;
    view.Day = date.day;
    view.Month = date.month;
    view.Year = date.year;
    view.Hour = time.hour;
    view.Minute = time.minute;
    view.ConsiderSummerTime = !cmd.isSet(QStringLiteral("no-summer-time"));
    if (cmd.isSet(QStringLiteral("zone"))) {
        const QByteArray id = cmd.value(QStringLiteral("zone")).trimmed().toUtf8();
        if (id.isEmpty() || !QTimeZone::isTimeZoneIdAvailable(id))
            throw UsageError(QStringLiteral("unknown time zone '%1' (an IANA id such as Europe/Berlin)")
                                 .arg(QString::fromUtf8(id)));
        const QTimeZone zone(id);
        view.ZoneId = id.toStdString();
        view.StandardOffset = zone.standardTimeOffset(QDateTime(QDate(date.year, 1, 1), QTime(12, 0), Qt::UTC)) / 3600.0;
    }
    view.SunPlace = !cmd.isSet(QStringLiteral("no-sun"));
    const QImage cache = BuildTerminatorMapCache(size, !cmd.isSet(QStringLiteral("no-grid")), LoadWorldOutline());
    const QImage sun = LoadTransparentPicture("term_sun");
    WriteOutputFile(out, PngBytes(DrawTerminatorMap(cache, view, sun)));
    return 0;
}

}  // namespace noctaris::cli
