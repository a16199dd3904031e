#pragma once
// How a window writes a file the user asked for: it asks where (a save dialog that the program
// shows and tests answer in its place), then writes the file whole through a temporary file. A
// failure is reported naming the file and the reason, and leaves no file behind.
#include <functional>
#include <vector>

#include <QByteArray>
#include <QString>

class QWidget;

namespace noctaris {

// A format a file can be saved in, offered as a name filter: "iCalendar (*.ics)".
struct FileFormat {
    QString name;    // "iCalendar"
    QString suffix;  // "ics", without the dot
};

// What the user is asked for.
struct SaveFileRequest {
    QString caption;                  // the dialog's title
    QString folder;                   // where it opens; empty: the home folder
    QString fileName;                 // the name offered, with the first format's suffix
    std::vector<FileFormat> formats;  // the name filters; the first is chosen at the start
};

// The answer: the path (empty when the user cancelled) and the name filter chosen.
struct SaveFileChoice {
    QString path;
    QString filter;
};

using SaveFilePrompt = std::function<SaveFileChoice(QWidget* parent, const SaveFileRequest& request)>;

// The save dialog's own state (history, side bar, view) as the program's settings keep it; Qt's
// shared QtProject.conf is not used, so the settings file stays the only file the program writes.
QByteArray FileDialogState();
void SetFileDialogState(const QByteArray& state);

// "iCalendar (*.ics)".
QString NameFilter(const FileFormat& format);

// The save dialog. It asks before replacing a file and gives a name typed without a suffix the
// suffix of the filter chosen, so the file written is the one the user agreed to.
SaveFileChoice AskSaveFileName(QWidget* parent, const SaveFileRequest& request);

// Asks through `prompt` (empty: AskSaveFileName), opening in `folder`; when a file is chosen its
// folder becomes `folder`, so the next question starts there.
SaveFileChoice AskInFolder(const SaveFilePrompt& prompt, QWidget* parent, SaveFileRequest request,
                           QString& folder);

// The format of a chosen file: the one its suffix names (in any case), else the one of the
// filter chosen, else the first. `formats` must not be empty.
const FileFormat& ChosenFormat(const SaveFileChoice& choice, const std::vector<FileFormat>& formats);

// Reports over `window` (titled with its title) that `path` could not be written, and why.
void ReportWriteFailure(QWidget* window, const QString& path, const QString& reason);

// An "Export…" button's work: asks through `prompt`, makes the bytes of the chosen format
// (`make` gets its suffix; what it throws is reported) and writes them through a temporary
// file. Returns the path written; empty when the user cancelled or the export failed, which
// leaves no file and any old one as it was.
QString ExportToFile(QWidget* window, const SaveFilePrompt& prompt, const SaveFileRequest& request,
                     const std::function<QByteArray(const QString& suffix)>& make);

}  // namespace noctaris
