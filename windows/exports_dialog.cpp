#include "windows/exports_dialog.h"

#include <exception>

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

#include "platform/atomic_write.h"
#include "windows/wincommon.h"

namespace noctaris {

QString NameFilter(const FileFormat& format) {
    return QStringLiteral("%1 (*.%2)").arg(format.name, format.suffix);
}

SaveFileChoice AskSaveFileName(QWidget* parent, const SaveFileRequest& request) {
    QFileDialog dialog(parent, request.caption);
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
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
