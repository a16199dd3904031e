#include "windows/wincommon.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QCalendar>
#include <QDate>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QWidget>
#include <QtGlobal>

#include "astro/reports/ephemeris_table.h"
#include "astro/precise/precise_reports.h"
#include "astro/time/sidereal.h"
#include "astro/time/timebase.h"
#include "chart/canvas.h"
#include "chart/projection.h"
#include "platform/format.h"

namespace noctaris {
namespace {
bool gDialogsAllowed = true;
}

bool DialogsAllowed() { return gDialogsAllowed; }
void SetDialogsAllowed(bool allowed) { gDialogsAllowed = allowed; }

void ReportFailure(QWidget* parent, const QString& title, const QString& text) {
    if (!DialogsAllowed()) {
        qWarning("%s: %s", qUtf8Printable(title), qUtf8Printable(text));
        return;
    }
    QMessageBox::warning(parent, title, text);
}

void ReportFailure(QWidget* window, const QString& text) {
    ReportFailure(window, window ? window->windowTitle() : QString(), text);
}

QFont WindowFont(int pixelSize, bool bold) {
    QFont f(ChartFontFamily());
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QString WindowFontFamilyWithBold() {
    static const QString family = [] {
        const QString f = ChartFontFamily();  // registers the regular face
        RegisterEmbeddedFont("DejaVuSans-Bold");
        return f;
    }();
    return family;
}

void SetWhiteBackground(QWidget* widget) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, Qt::white);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, QRect geometry,
                            const TextBoxStyle& style) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setFrameStyle(QFrame::NoFrame);
    box->setReadOnly(style.readOnly);
    box->setFocusPolicy(style.focus);
    const Qt::ScrollBarPolicy bars = style.scrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    box->setHorizontalScrollBarPolicy(bars);
    box->setVerticalScrollBarPolicy(bars);
    box->setFont(WindowFont(11));
    box->document()->setDocumentMargin(style.margin);
    QPalette p = box->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    box->setPalette(p);
    box->setAutoFillBackground(true);
    return box;
}

QSize TextBoxExtent(const QPlainTextEdit* box) {
    const QFontMetricsF metrics(box->font());
    const QList<QTextOption::Tab> stops = box->document()->defaultTextOption().tabs();
    const qreal every = box->tabStopDistance();
    auto nextStop = [&](qreal x) {
        for (const QTextOption::Tab& t : stops)
            if (t.position > x) return t.position;
        return (std::floor(x / every) + 1) * every;
    };
    qreal widest = 0;
    int lines = 0;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next()) {
        qreal x = 0;
        const QStringList parts = b.text().split(QLatin1Char('\t'));
        for (int i = 0; i < parts.size(); ++i) {
            x += metrics.horizontalAdvance(parts[i]);
            if (i + 1 < parts.size()) x = nextStop(x);
        }
        widest = std::max(widest, x);
        ++lines;
    }
    // The empty line after a report's last line break needs no room.
    if (lines > 0 && box->document()->lastBlock().text().isEmpty()) --lines;
    const qreal margins = 2 * box->document()->documentMargin() + 2 * box->frameWidth();
    return QSize(static_cast<int>(std::ceil(widest + margins)) + 2,
                 static_cast<int>(std::ceil(lines * metrics.lineSpacing() + margins)) + 2);
}

void FitTextBox(QPlainTextEdit* box, QSize designed) {
    box->setMinimumSize(designed.expandedTo(TextBoxExtent(box)));
}

void SetCrLfText(QPlainTextEdit* box, const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(shown);
}

QDateEdit* MakeDateEdit(QWidget* parent, const char* name, QRect geometry) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(ShortDateFormat());
    edit->setDate(QDate::currentDate());
    FollowCivilCalendar(edit);
    return edit;
}

void FollowCivilCalendar(QDateEdit* edit) {
    edit->setDateRange(QDate(1, 1, 1, QCalendar(QCalendar::System::Julian)), QDate(9999, 12, 31));
    const auto follow = [edit] {
        const QDate day = edit->date();
        const QCalendar wanted = CivilCalendarOf(day);
        const QCalendar shown = edit->calendar();
        if (!day.isValid() || wanted.isGregorian() == shown.isGregorian()) return;
        // Typed fields stay as typed, read in the calendar of their own date; a day set by the
        // program, or fields that name no day on that side of the reform, keep the day.
        QDate typed;
        if (edit->hasFocus()) {
            typed = QDate(day.year(shown), day.month(shown), day.day(shown), wanted);
            if (!typed.isValid() || CivilCalendarOf(typed).isGregorian() != wanted.isGregorian()) typed = {};
        }
        edit->setCalendar(wanted);
        if (typed.isValid() && typed != day) edit->setDate(typed);
    };
    QObject::connect(edit, &QDateEdit::dateChanged, edit, follow);
    follow();
}

void SetCivilDay(QDateEdit* edit, const QDate& day) {
    if (!day.isValid()) return;
    const QCalendar wanted = CivilCalendarOf(day);
    if (wanted.isGregorian() != edit->calendar().isGregorian()) edit->setCalendar(wanted);
    edit->setDate(day);
}

QString FrameShown(std::string_view frame) {
    static const char* const kFrames[] = {QT_TRANSLATE_NOOP("Frame", "apparent of date"),
                                          QT_TRANSLATE_NOOP("Frame", "J2000")};
    for (const char* known : kFrames)
        if (frame == known) return QCoreApplication::translate("Frame", known);
    return QString::fromUtf8(frame.data(), static_cast<qsizetype>(frame.size()));
}

QString VisibilityText(bool visible) {
    return visible ? QCoreApplication::translate("Visibility", "visible")
                   : QCoreApplication::translate("Visibility", "not visible");
}

QString RiseSetShown(const std::optional<double>& clockHours, const RiseSet& day) {
    const std::string text = RiseSetText(clockHours, day);
    if (text == "visible") return VisibilityText(true);
    if (text == "not visible") return VisibilityText(false);
    return QString::fromStdString(text);
}

RiseSet RiseSetOnOwnClock(const RiseSet& day, const ZoneDescription& zone, double midnightUT,
                          double assumedOffsetHours) {
    RiseSet shown = day;
    if (!std::isfinite(midnightUT) || !std::isfinite(assumedOffsetHours)) return shown;
    // The civil day from its own midnight to the next, in hours from midnightUT: 23 or 25 hours
    // long when the clock changes in it.
    const CivilDate date = JDToDate(midnightUT + assumedOffsetHours / 24 + 0.25);
    const LocalDay civil = LocalDayOf(zone, date);
    const double begin = assumedOffsetHours - civil.startOffsetHours;
    const double end = begin + civil.hours;
    // The point of the sky rises and sets again one sidereal day later.
    const double period = static_cast<double>(24 / kSiderealPerSolar);
    for (std::optional<double>* hours : {&shown.rise, &shown.set}) {
        if (!*hours || !std::isfinite(**hours)) continue;
        double h = **hours;
        if (h < begin) h += std::ceil((begin - h) / period) * period;
        while (h - period >= begin) h -= period;
        if (h >= end) hours->reset();  // between two of the day's passages, none in it
        else **hours = HoursOnOwnClock(zone, midnightUT, assumedOffsetHours, h);
    }
    return shown;
}

}  // namespace noctaris
