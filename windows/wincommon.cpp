#include "windows/wincommon.h"

#include <QMessageBox>
#include <QtGlobal>

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

}  // namespace noctaris
