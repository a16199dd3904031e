#pragma once
// AboutWindow: the About window. A small static dialog with the program's emblem, a title ending
// with the year of the version, and credit lines. Enter or Escape anywhere in it closes it.
#include <QDialog>
#include <QString>

class QAction;
class QLabel;
class QMenu;

namespace noctaris {

namespace about {
// The texts of the window: the two-line title, the four credit lines and the two-line
// acknowledgement (lines separated by '\n').
QString TitleText();
QString CreditsText();
QString AcknowledgementText();
// Year of this version of the program (the year it was built).
QString VersionYear();
}  // namespace about

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Nothing to prepare: the window is static.
    void FormCreate() {}
    // The handler of both popup items: closes the window.
    void B1C();

    QLabel* I1 = nullptr;      // emblem
    QLabel* L1 = nullptr;      // title
    QLabel* L3 = nullptr;      // credits
    QLabel* Label1 = nullptr;  // acknowledgement
    // The window's popup menu; its two invisible items carry the Enter and Escape shortcuts.
    QMenu* P1 = nullptr;
    QAction* enter = nullptr;
    QAction* esc = nullptr;
};

}  // namespace noctaris
