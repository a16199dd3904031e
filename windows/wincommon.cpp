#include "windows/wincommon.h"

#include <QMessageBox>
#include <QtGlobal>

namespace noctaris {

bool DialogsAllowed() { return !qEnvironmentVariableIsSet("NOCTARIS_NO_DIALOGS"); }

void ReportFailure(QWidget* parent, const QString& title, const QString& text) {
    if (!DialogsAllowed()) {
        qWarning("%s: %s", qUtf8Printable(title), qUtf8Printable(text));
        return;
    }
    QMessageBox::warning(parent, title, text);
}

}  // namespace noctaris
