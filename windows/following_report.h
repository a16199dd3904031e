#pragma once
// The report of the Moon and the Sun parameter windows: CR LF lines whose tab characters line
// the values up in one column, rebuilt whenever the chart moves.
#include <algorithm>
#include <exception>

#include <QFontMetricsF>
#include <QList>
#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>
#include <QTextOption>
#include <QWidget>

#include "windows/wincommon.h"

namespace noctaris::infowin {

// Two tab stops for "label\tvalue" and "label\t\tvalue" lines: the first lies between the
// widest two-tab label and the narrowest one-tab label, the second (the value column) after
// the widest one-tab label.
inline QList<qreal> ReportTabStops(const QString& report, const QFontMetricsF& metrics) {
    qreal widestTwo = 0, narrowestOne = 1e9, widestOne = 0;
    for (const QString& line : report.split(QStringLiteral("\r\n"))) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) continue;
        qsizetype tabs = 0;
        while (tab + tabs < line.size() && line[tab + tabs] == '\t') ++tabs;
        const qreal w = metrics.horizontalAdvance(line.left(tab));
        if (tabs >= 2) {
            widestTwo = std::max(widestTwo, w);
        } else {
            narrowestOne = std::min(narrowestOne, w);
            widestOne = std::max(widestOne, w);
        }
    }
    const qreal first = widestTwo < narrowestOne && narrowestOne < 1e9
                            ? (widestTwo + narrowestOne) / 2
                            : widestTwo + 4;
    const qreal second = std::max(widestOne, first) + 8;
    return {first, second};
}

// Shows a CR LF report in one assignment, its columns set by ReportTabStops.
inline void ShowReport(QPlainTextEdit* box, const QString& report) {
    const QList<qreal> stops = ReportTabStops(report, QFontMetricsF(box->font()));
    QTextOption option = box->document()->defaultTextOption();
    QList<QTextOption::Tab> tabs;
    for (qreal s : stops) tabs.append(QTextOption::Tab(s, QTextOption::LeftTab));
    if (option.tabs() != tabs) {
        option.setTabs(tabs);
        box->document()->setDefaultTextOption(option);
    }
    SetCrLfText(box, report);
}

// The report of a window that follows the chart: rebuilt on activation and after every redraw.
class FollowingReport {
public:
    // Builds the report and shows it in `box`. A failure is reported once and the last report
    // kept: following an animation the same failure comes back on every step, so the window
    // speaks again only after a rebuild has succeeded. Never throws.
    template <class Build>
    void Rebuild(QWidget* owner, QPlainTextEdit* box, Build&& build) {
        try {
            text_ = build();
            ShowReport(box, text_);
            failing_ = false;
        } catch (const std::exception& e) {
            if (failing_) return;
            failing_ = true;
            noctaris::ReportFailure(owner, QString::fromUtf8(e.what()));
        }
    }
    // The text last shown, with its CR LF line ends.
    const QString& Text() const { return text_; }

private:
    QString text_;
    bool failing_ = false;
};

}  // namespace noctaris::infowin
