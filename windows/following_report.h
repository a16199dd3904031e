#pragma once
// What the Moon and the Sun parameter windows share in the way they show things: the bundled
// font for their "Verdana" texts, white borderless text boxes, a report of CR LF lines whose
// tab characters line the values up in one column, and the failure message of a rebuild.
#include <algorithm>
#include <cstdlib>

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>
#include <QTextOption>
#include <QWidget>

#include "chart/canvas.h"
#include "windows/wincommon.h"

namespace noctaris::infowin {

// The bundled DejaVu Sans in a pixel size (it stands for "Verdana" and "MS Sans Serif").
inline QFont WindowFont(int pixelSize, bool bold = false) {
    QFont f(ChartFontFamily());
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

inline void MakeWhite(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A borderless text box that takes no part in the tab order.
inline QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, int left, int top, int width,
                                int height, bool readOnly) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setGeometry(left, top, width, height);
    memo->setFrameStyle(QFrame::NoFrame);
    memo->setReadOnly(readOnly);
    memo->setFocusPolicy(Qt::ClickFocus);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFont(WindowFont(11));
    memo->document()->setDocumentMargin(2);
    MakeWhite(memo);
    return memo;
}

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
inline void ShowReport(QPlainTextEdit* memo, const QString& report) {
    const QList<qreal> stops = ReportTabStops(report, QFontMetricsF(memo->font()));
    QTextOption option = memo->document()->defaultTextOption();
    QList<QTextOption::Tab> tabs;
    for (qreal s : stops) tabs.append(QTextOption::Tab(s, QTextOption::LeftTab));
    if (option.tabs() != tabs) {
        option.setTabs(tabs);
        memo->document()->setDefaultTextOption(option);
    }
    QString shown = report;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo->setPlainText(shown);
}

// A rebuild that failed: a message box, or a warning when dialogs are switched off (tests).
inline void ReportFailure(QWidget* parent, const QString& message) {
    noctaris::ReportFailure(parent, parent ? parent->windowTitle() : QString(), message);
}

// The report of a window that follows the chart: rebuilt on activation and after every redraw.
class FollowingReport {
public:
    // Builds the report and shows it in `memo`. A failure is reported once and the last report
    // kept: following an animation the same failure comes back on every step, so the window
    // speaks again only after a rebuild has succeeded. Never throws.
    template <class Build>
    void Rebuild(QWidget* owner, QPlainTextEdit* memo, Build&& build) {
        try {
            text_ = build();
            ShowReport(memo, text_);
            failing_ = false;
        } catch (const std::exception& e) {
            if (failing_) return;
            failing_ = true;
            ReportFailure(owner, QString::fromUtf8(e.what()));
        }
    }
    // The text last shown, with its CR LF line ends.
    const QString& Text() const { return text_; }

private:
    QString text_;
    bool failing_ = false;
};

}  // namespace noctaris::infowin
