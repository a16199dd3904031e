#include "windows/exports_dialog.h"

#include <exception>

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

#include "platform/atomic_write.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {
QByteArray& DialogState() {
    static QByteArray state;
    return state;
}
}  // namespace

QByteArray FileDialogState() { return DialogState(); }
void SetFileDialogState(const QByteArray& state) { DialogState() = state; }

QString NameFilter(const FileFormat& format) {
    return QStringLiteral("%1 (*.%2)").arg(format.name, format.suffix);
}

SaveFileChoice AskSaveFileName(QWidget* parent, const SaveFileRequest& request) {
    // Qt's dialog reads and writes its state in a QtProject.conf of the user's config folder;
    // user-scope QSettings are sent where no file can be made, the state is kept here instead.
    static const bool kNoSharedSettings = [] {
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
        return true;
    }();
    (void)kNoSharedSettings;
    QFileDialog dialog(parent, request.caption);
    dialog.restoreState(DialogState());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const FileFormat& f : request.formats) filters << NameFilter(f);
    dialog.setNameFilters(filters);
    dialog.setDirectory(request.folder.isEmpty() || !QFileInfo(request.folder).isDir() ? QDir::homePath()
                                                                                      : request.folder);
    dialog.selectFile(request.fileName);
    if (!request.formats.empty()) dialog.setDefaultSuffix(request.formats.front().suffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        for (const FileFormat& f : request.formats)
            if (NameFilter(f) == filter) dialog.setDefaultSuffix(f.suffix);
    });
    const int result = dialog.exec();
    DialogState() = dialog.saveState();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

SaveFileChoice AskInFolder(const SaveFilePrompt& prompt, QWidget* parent, SaveFileRequest request,
                           QString& folder) {
    request.folder = folder;
    SaveFileChoice choice = prompt ? prompt(parent, request) : AskSaveFileName(parent, request);
    if (!choice.path.isEmpty()) folder = QFileInfo(choice.path).absolutePath();
    return choice;
}

const FileFormat& ChosenFormat(const SaveFileChoice& choice, const std::vector<FileFormat>& formats) {
    const QString suffix = QFileInfo(choice.path).suffix();
    for (const FileFormat& f : formats)
        if (suffix.compare(f.suffix, Qt::CaseInsensitive) == 0) return f;
    for (const FileFormat& f : formats)
        if (NameFilter(f) == choice.filter) return f;
    return formats.front();
}

void ReportWriteFailure(QWidget* window, const QString& path, const QString& reason) {
    ReportFailure(window, QCoreApplication::translate("ExportDialog", "Cannot write \"%1\": %2")
                              .arg(QDir::toNativeSeparators(path), reason));
}

QString ExportToFile(QWidget* window, const SaveFilePrompt& prompt, const SaveFileRequest& request,
                     const std::function<QByteArray(const QString& suffix)>& make) {
    const SaveFileChoice choice = prompt ? prompt(window, request) : AskSaveFileName(window, request);
    if (choice.path.isEmpty() || request.formats.empty()) return {};
    QByteArray bytes;
    try {
        bytes = make(ChosenFormat(choice, request.formats).suffix);
    } catch (const std::exception& e) {
        ReportWriteFailure(window, choice.path, QString::fromUtf8(e.what()));
        return {};
    }
    QString reason;
    if (!WriteFileAtomically(choice.path, bytes, &reason)) {
        ReportWriteFailure(window, choice.path, reason);
        return {};
    }
    return choice.path;
}

}  // namespace noctaris
