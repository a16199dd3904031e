#include "app/night_vision.h"

#include <QApplication>
#include <QEvent>
#include <QToolTip>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include "windows/wincommon.h"

namespace noctaris {
namespace {

// Text and lines a dim red, areas black or nearly so; nothing green or blue (tool tips).
const QColor kText(180, 0, 0), kDimText(90, 0, 0), kArea(0, 0, 0), kRaised(28, 0, 0),
    kSelection(70, 0, 0), kFrame(80, 0, 0);

QPalette NightPalette() {
    QPalette p;
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = g == QPalette::Disabled ? kDimText : kText;
        p.setColor(g, QPalette::Window, kArea);
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::Base, kArea);
        p.setColor(g, QPalette::AlternateBase, kRaised);
        p.setColor(g, QPalette::ToolTipBase, kArea);
        p.setColor(g, QPalette::ToolTipText, text);
        p.setColor(g, QPalette::PlaceholderText, kDimText);
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Button, kRaised);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::BrightText, kText);
        p.setColor(g, QPalette::Light, kFrame);
        p.setColor(g, QPalette::Midlight, QColor(50, 0, 0));
        p.setColor(g, QPalette::Mid, QColor(40, 0, 0));
        p.setColor(g, QPalette::Dark, QColor(20, 0, 0));
        p.setColor(g, QPalette::Shadow, kArea);
        p.setColor(g, QPalette::Highlight, kSelection);
        p.setColor(g, QPalette::HighlightedText, QColor(220, 0, 0));
        p.setColor(g, QPalette::Link, kText);
        p.setColor(g, QPalette::LinkVisited, kDimText);
    }
    return p;
}

// Over every widget's palette, also those with colours of their own (white text boxes).
const char kNightStyle[] = R"(
QWidget { background-color: #000000; color: #b40000; selection-background-color: #460000;
          selection-color: #dc0000; }
QWidget:disabled { color: #5a0000; }
QMenuBar::item:selected, QMenu::item:selected { background-color: #460000; }
QMenu { border: 1px solid #500000; }
QToolTip { border: 1px solid #500000; }
QLineEdit, QComboBox, QAbstractSpinBox, QPlainTextEdit, QTextEdit, QAbstractItemView {
          border: 1px solid #500000; }
QComboBox { padding: 1px 18px 1px 3px; }
QPushButton, QToolButton { border: 1px solid #500000; padding: 1px 3px; }
QPushButton:pressed, QToolButton:pressed, QToolButton:checked { background-color: #300000; }
QHeaderView::section { background-color: #1c0000; border: 1px solid #400000; }
)";

bool& On() {
    static bool on = false;
    return on;
}

// The sheet goes on each window (and so on its menus, pop-ups and child dialogs) rather than on
// the application, whose palette and style would be set anew when it left. A window that fills
// its background in a colour of its own keeps it under a sheet: that colour is put aside.
void Style(QWidget* window, bool on) {
    const QString night = QLatin1String(kNightStyle);
    const QString sheet = window->styleSheet();
    const char* const kSaved = "nightSavedWindowColour";
    if (on && !sheet.endsWith(night)) {
        window->setStyleSheet(sheet + night);
        if (window->testAttribute(Qt::WA_SetPalette) && window->palette().color(QPalette::Window) != kArea) {
            window->setProperty(kSaved, window->palette().color(QPalette::Window));
            QPalette dark = window->palette();
            dark.setColor(QPalette::Window, kArea);
            window->setPalette(dark);
        }
    }
    if (!on && sheet.endsWith(night)) {
        window->setStyleSheet(sheet.chopped(night.size()));
        if (const QVariant saved = window->property(kSaved); saved.isValid()) {
            QPalette own = window->palette();
            own.setColor(QPalette::Window, saved.value<QColor>());
            window->setPalette(own);
            window->setProperty(kSaved, QVariant());
        }
    }
}

bool Filtered(const QWidget* w) {
    return w->isWindow() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip;
}

// Every window shown while night vision is on, dialogs and message boxes among them.
class ShowWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && On())
            if (auto* w = qobject_cast<QWidget*>(watched); w && Filtered(w)) {
                Style(w, true);
                SetRedFilter(w, true);
            }
        return false;
    }
};

}  // namespace

bool NightVisionOn() { return On(); }

void SetNightVision(bool on) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (On() == on || !app) return;
    On() = on;
    static ShowWatcher* watcher = nullptr;
    if (on && !watcher) {
        watcher = new ShowWatcher(app);
        app->installEventFilter(watcher);
    }
    static QPalette toolTips;
    if (on) toolTips = QToolTip::palette();
    QToolTip::setPalette(on ? NightPalette() : toolTips);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (Filtered(w)) {
            Style(w, on);
            SetRedFilter(w, on);
        }
}

}  // namespace noctaris
