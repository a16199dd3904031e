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

private:
    QLabel* emblem_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* credits_ = nullptr;
    QLabel* acknowledgement_ = nullptr;
    // A popup menu that is never shown: its two items lend the window their Enter and Escape
    // shortcuts, and both close it.
    QMenu* shortcutMenu_ = nullptr;
    QAction* enterAction_ = nullptr;
    QAction* escapeAction_ = nullptr;
};

}  // namespace noctaris
