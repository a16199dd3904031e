#include "windows/event_calendar_window.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include <QAbstractItemView>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "astro/time/calendar_dates.h"
#include "astro/time/local_time.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace eventcal {
namespace {

const char* const kWeekdays[8] = {"",
                                   QT_TRANSLATE_NOOP("Weekday", "Mo"),
                                   QT_TRANSLATE_NOOP("Weekday", "Tu"),
                                   QT_TRANSLATE_NOOP("Weekday", "We"),
                                   QT_TRANSLATE_NOOP("Weekday", "Th"),
                                   QT_TRANSLATE_NOOP("Weekday", "Fr"),
                                   QT_TRANSLATE_NOOP("Weekday", "Sa"),
                                   QT_TRANSLATE_NOOP("Weekday", "Su")};

}  // namespace

QStringList HeaderLines(const QString& placeName, double latitude, double longitude,
                        double zone) {
    return {QCoreApplication::translate("EventCalendar", "Location: ") + placeName,
            Format(QCoreApplication::translate("EventCalendar", "Latitude: %.2f\u00B0"), {latitude}),
            Format(QCoreApplication::translate("EventCalendar", "Longitude: %.2f\u00B0"),
                   {longitude}),
            Format(QCoreApplication::translate("EventCalendar", "Time zone offset from UT: %.2f h"),
                   {zone}),
            QStringLiteral(" ")};
}

QStringList HeaderLines(const QString& placeName, double latitude, double longitude,
                        const ZoneDescription& zone, const std::string& zoneName, int first, int last) {
    QStringList lines = HeaderLines(placeName, latitude, longitude, zone.standardOffsetHours);
    if (zoneName.empty()) return lines;
    std::vector<double> offsets{zone.standardOffsetHours};
    if (zone.summerTime == SummerTimeRule::Legal) {
        for (int year = first; year <= last && year - first < 10000; ++year) {
            offsets.push_back(OffsetHoursAt(zone, Instant::FromCivil(year, 1, 1, 0, 0, 0, zone.standardOffsetHours)));
            for (const ClockChange& c : ClockChangesInYear(zone, year)) offsets.push_back(c.offsetAfterSeconds / 3600.0);
        }
    }
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    QStringList shown;
    for (double offset : offsets) shown << QStringLiteral("UTC") + exports::IsoOffset(offset);
    lines[3] = QCoreApplication::translate("EventCalendar", "Time zone: %1 (%2)")
                   .arg(QString::fromStdString(zoneName), shown.join(QStringLiteral(", ")));
    return lines;
}

QString EventText(const CalendarEvent& event) {
    if (*event.Phrase == '\0') return QString::fromStdString(event.Text);
    QString text = QCoreApplication::translate("CalendarEvent", event.Phrase) +
                   QString::fromStdString(event.Value);
    if (*event.Subject != '\0') text.prepend(QCoreApplication::translate("Planet", event.Subject));
    return text;
}

double ListDeltaTDays(const EventList& list) { return list.DeltaTDays; }

namespace {
ZoneDescription StandardTime(double zone) { return {zone, SummerTimeRule::None, nullptr}; }
}  // namespace

double EventLocalJD(const CalendarEvent& event, double deltaTDays, double zone) {
    return EventLocalJD(event, deltaTDays, StandardTime(zone));
}

double EventLocalJD(const CalendarEvent& event, double deltaTDays, const ZoneDescription& zone) {
    // A summer-time change is a date, not an instant: its entry is 00:00 UT of the Sunday and
    // the line shows that day in every zone.
    if (!event.ShowTime) return event.JD;
    // Local time to the nearest second, rounded before the date is taken, so that a time
    // just before midnight does not show as 00:00:00 of the day before.
    const double ut = event.JD - deltaTDays;
    double local = ut + (std::isfinite(ut) ? OffsetHoursAt(zone, Instant::FromUT(ut)) : zone.standardOffsetHours) / 24;
    if (std::isfinite(local)) local = std::nearbyint((local + 0.5) * 86400) / 86400 - 0.5;
    return local;
}

QString EventLine(const CalendarEvent& event, double deltaTDays, double zone) {
    return EventLine(event, deltaTDays, StandardTime(zone));
}

QString EventLine(const CalendarEvent& event, double deltaTDays, const ZoneDescription& zone) {
    const double local = EventLocalJD(event, deltaTDays, zone);
    const DayFraction r = JDToDayFraction(local);
    const int weekday = WeekdayOfJD(local);
    QString line = (weekday >= 1 && weekday <= 7 ? QCoreApplication::translate("Weekday", kWeekdays[weekday])
                                                 : QString()) +
                   QLatin1Char(' ') +
                   QString::fromStdString(ShortDateText(r)) + QLatin1Char('\t');
    if (event.ShowTime) line += TimeToStr(r.Day - std::trunc(r.Day));
    line += QLatin1Char('\t') + EventText(event);
    return line;
}

EventList BuildLocalizedEventList(int year, double zone, Hemisphere hemisphere) {
    return BuildLocalizedEventList(year, StandardTime(zone), hemisphere);
}

EventList BuildLocalizedEventList(int year, const ZoneDescription& zone, Hemisphere hemisphere) {
    return BuildEventList(
        year, zone, [](double value, int decimals) { return FormatFixed(value, decimals).toStdString(); },
        hemisphere);
}

QStringList EventLines(int year, double zone, Hemisphere hemisphere) {
    return EventLines(year, StandardTime(zone), hemisphere);
}

QStringList EventLines(int year, const ZoneDescription& zone, Hemisphere hemisphere) {
    const EventList list = BuildLocalizedEventList(year, zone, hemisphere);
    const double dt = ListDeltaTDays(list);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(list.Entries.size()));
    for (const CalendarEvent& e : list.Entries) lines << EventLine(e, dt, zone);
    return lines;
}

std::vector<exports::Record> CalendarRecords(int first, int last, double zone, Hemisphere hemisphere) {
    return CalendarRecords(first, last, StandardTime(zone), hemisphere);
}

std::vector<exports::Record> CalendarRecords(int first, int last, const ZoneDescription& zone,
                                             Hemisphere hemisphere) {
    using namespace exports;
    std::vector<Record> records;
    for (int year = first; year <= last; ++year) {
        const EventList list = BuildEventList(year, zone, {}, hemisphere);
        const double dt = ListDeltaTDays(list);
        for (const CalendarEvent& e : list.Entries) {
            const double ut = EventLocalJD(e, dt, 0);
            const QString text = QString::fromStdString(e.Text);
            if (e.ShowTime)
                records.push_back({{"utc", IsoUtc(ut)},
                                   {"local", IsoLocal(ut, std::isfinite(ut) ? OffsetHoursAt(zone, Instant::FromUT(ut))
                                                                           : zone.standardOffsetHours)},
                                   {"event", text}});
            else  // a date without a time: the day of the change, in every zone
                records.push_back({{"utc", Value()}, {"local", IsoDate(ut)}, {"event", text}});
        }
    }
    return records;
}

QByteArray CalendarIcs(int first, int last, const QString& placeName, double zone,
                       const QDateTime& stamp, Hemisphere hemisphere) {
    return CalendarIcs(first, last, placeName, StandardTime(zone), stamp, hemisphere);
}

QByteArray CalendarIcs(int first, int last, const QString& placeName, const ZoneDescription& zone,
                       const QDateTime& stamp, Hemisphere hemisphere) {
    using namespace exports;
    std::vector<IcsEvent> events;
    for (int year = first; year <= last; ++year) {
        const EventList list = BuildLocalizedEventList(year, zone, hemisphere);
        const double dt = ListDeltaTDays(list);
        for (const CalendarEvent& e : list.Entries) {
            IcsEvent ev;
            ev.allDay = !e.ShowTime;
            ev.jdUT = EventLocalJD(e, dt, 0);
            ev.summary = QString::fromStdString(e.Text);
            const Value start = ev.allDay ? IsoDate(ev.jdUT) : IsoUtc(ev.jdUT);
            ev.uid = IcsUid(std::holds_alternative<QString>(start) ? std::get<QString>(start) : QString(),
                            ev.summary);
            events.push_back(std::move(ev));
        }
    }
    const QString years = first == last ? QString::number(first) : QStringLiteral("%1-%2").arg(first).arg(last);
    return ToIcs(QStringLiteral("Noctaris %1, %2").arg(years, placeName), events, stamp);
}

}  // namespace eventcal

namespace {

// Tab stops every 50 dialog units (a quarter of the average character width each), but wide
// enough for the longest weekday and date, so that the columns stay aligned.
qreal TabWidth(const QFont& font) {
    const QFontMetricsF fm(font);
    return std::max(50 * fm.averageCharWidth() / 4, fm.horizontalAdvance(QStringLiteral("Mo 28.12.28")) + 12);
}

// The width of a line with its tabs advanced to the next stop, as the list draws it.
qreal TabbedWidth(const QString& line, const QFont& font) {
    const QFontMetricsF fm(font);
    const qreal tab = TabWidth(font);
    qreal x = 0;
    const QStringList parts = line.split(QLatin1Char('\t'));
    for (int i = 0; i < parts.size(); ++i) {
        x += fm.horizontalAdvance(parts[i]);
        if (i + 1 < parts.size()) x = (std::floor(x / tab) + 1) * tab;
    }
    return x;
}

// The list's designed size, which it never goes below.
constexpr QSize kListSize(601, 392);

// Draws list items with their tab characters expanded to fixed tab stops, as a list box with
// tab stops does.
class TabbedItemDelegate : public QStyledItemDelegate {
public:
    TabbedItemDelegate(int itemHeight, QObject* parent) : QStyledItemDelegate(parent), itemHeight_(itemHeight) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        // Background and selection only; the text follows with its tab stops.
        const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected
                                              ? QPalette::HighlightedText
                                              : QPalette::Text));
        QTextOption to(Qt::AlignLeft | Qt::AlignVCenter);
        to.setTabStopDistance(TabWidth(opt.font));
        to.setWrapMode(QTextOption::NoWrap);
        painter->drawText(QRectF(opt.rect.adjusted(2, 0, -2, 0)), text, to);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(itemHeight_, option.fontMetrics.height()));
        return s;
    }

private:
    int itemHeight_;
};

}  // namespace

EventCalendarWindow::EventCalendarWindow(const ObserverState& observer, const QComboBox* placeBox,
                                         SaveFilePrompt askFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      observer_(observer),
      placeBox_(placeBox),
      askFile_(std::move(askFile)) {
    setObjectName(QStringLiteral("EventCalendarWindow"));
    setWindowTitle(tr("Astronomical calendar"));
    setModal(true);
    SetWhiteBackground(this);
    const QFont f = WindowFont(12);
    setFont(f);

    eventList_ = new QListWidget(this);
    eventList_->setObjectName(QStringLiteral("eventList"));
    eventList_->setMinimumSize(kListSize);
    eventList_->setFrameShape(QFrame::NoFrame);
    eventList_->setUniformItemSizes(true);
    eventList_->setSelectionMode(QAbstractItemView::SingleSelection);
    eventList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    eventList_->setItemDelegate(new TabbedItemDelegate(14, eventList_));

    yearLabel_ = new QLabel(tr("Year"), this);
    yearLabel_->setObjectName(QStringLiteral("yearLabel"));

    yearEdit_ = new QLineEdit(QStringLiteral("2012"), this);
    yearEdit_->setObjectName(QStringLiteral("yearEdit"));
    yearEdit_->setFixedWidth(65);

    showButton_ = new QPushButton(tr("Show"), this);
    showButton_->setObjectName(QStringLiteral("showButton"));
    showButton_->setMinimumSize(105, 25);
    showButton_->setAutoDefault(false);
    connect(showButton_, &QPushButton::clicked, this, &EventCalendarWindow::showYear);

    // Under the list's left edge, clear of the year controls on the right.
    exportButton_ = new QPushButton(tr("Export\u2026"), this);
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    exportButton_->setMinimumSize(105, 25);
    exportButton_->setAutoDefault(false);
    exportButton_->setEnabled(false);  // until a year is listed
    connect(exportButton_, &QPushButton::clicked, this, &EventCalendarWindow::exportYear);

    // The list above, the controls in a row below it; the window as large as they need.
    auto* controls = new QHBoxLayout;
    controls->addWidget(exportButton_);
    controls->addStretch(1);
    controls->addWidget(yearLabel_);
    controls->addSpacing(6);
    controls->addWidget(yearEdit_);
    controls->addSpacing(15);
    controls->addWidget(showButton_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 15, 15);
    column->setSpacing(15);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(eventList_);
    column->addLayout(controls);
    column->activate();  // sized before it is first shown, for its placement

    setTabOrder(yearEdit_, showButton_);
    setTabOrder(showButton_, exportButton_);
    setTabOrder(exportButton_, eventList_);
    yearEdit_->setFocus();
}

void EventCalendarWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) showCurrentYear();
}

void EventCalendarWindow::showCurrentYear() {
    yearEdit_->setText(QString::number(QDate::currentDate().year()));
    showYear();
}

void EventCalendarWindow::widenList() {
    // As wide as its widest line (never below its designed width): no line is cut off.
    qreal widest = 0;
    for (int i = 0; i < eventList_->count(); ++i)
        widest = std::max(widest, TabbedWidth(eventList_->item(i)->text(), eventList_->font()));
    const int bar = eventList_->verticalScrollBar()->sizeHint().width();
    eventList_->setMinimumWidth(
        std::max(kListSize.width(), static_cast<int>(std::ceil(widest)) + 4 + bar + 2 * eventList_->frameWidth()));
}

QString EventCalendarWindow::placeName() const {
    return placeBox_ ? placeBox_->currentText() : QString::fromStdString(observer_.PlaceName);
}

void EventCalendarWindow::showYear() {
    shownYear_ = 0;
    exportButton_->setEnabled(false);
    try {
        eventList_->clear();
        bool typed = false;  // a year that does not read still gets the header (then the error)
        const int headerYear = yearEdit_->text().trimmed().toInt(&typed);
        eventList_->addItems(eventcal::HeaderLines(placeName(), observer_.Latitude, observer_.Longitude,
                                                   ChartZone(observer_), observer_.ZoneId,
                                                   typed ? headerYear : QDate::currentDate().year(),
                                                   typed ? headerYear : QDate::currentDate().year()));
        const int year = StrToInt(yearEdit_->text());
        eventList_->addItems(eventcal::EventLines(year, ChartZone(observer_), HemisphereOf(observer_.Latitude)));
        shownYear_ = year;
        exportButton_->setEnabled(true);
        widenList();
    } catch (const std::exception& e) {
        ReportFailure(this, QString::fromUtf8(e.what()));
    }
}

void EventCalendarWindow::exportYear() {
    if (shownYear_ == 0) return;
    const int year = shownYear_;
    const QString place = observer_.PlaceExportName.empty() ? placeName() : QString::fromStdString(observer_.PlaceExportName);
    const ZoneDescription zone = ChartZone(observer_);
    const Hemisphere hemisphere = HemisphereOf(observer_.Latitude);
    const SaveFileRequest request{tr("Export the astronomical calendar"), QString(),
                                  QStringLiteral("calendar-%1.ics").arg(year),
                                  {{QStringLiteral("iCalendar"), QStringLiteral("ics")},
                                   {QStringLiteral("CSV"), QStringLiteral("csv")}}};
    ExportToFile(this, askFile_, request, [&](const QString& suffix) {
        if (suffix == QLatin1String("csv"))
            return exports::ToCsv(eventcal::CalendarRecords(year, year, zone, hemisphere));
        return eventcal::CalendarIcs(year, year, place, zone, QDateTime::currentDateTimeUtc(), hemisphere);
    });
}

}  // namespace noctaris
