#pragma once
// Where a command's result goes: standard output, or a file written safely (a temporary file
// beside it, checked, flushed, then renamed over the target), so that a failure never leaves a
// half-written file behind. A failure throws OutputError, reported with exit status 2.
#include <stdexcept>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace noctaris::cli {

class OutputError : public std::runtime_error {
public:
    explicit OutputError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Refuses early (before any computing) an output path whose folder is missing or not
// writable, or that names a folder.
void CheckOutputPath(const QString& path);

// Writes `bytes` to `path` through a temporary file and a rename; the old file stays on failure.
void WriteOutputFile(const QString& path, const QByteArray& bytes);

// To `path` with WriteOutputFile, or to standard output when `path` is empty; a write to
// standard output that fails (a full disk, a closed pipe) throws OutputError.
void Emit(const QByteArray& bytes, const QString& path);

// Flushes and closes standard output at the end of a run that wrote to it. Returns the reason
// when something written earlier did not arrive, else an empty string.
QString FinishStandardOutput();

// A message for the terminal: control characters (line breaks and escape sequences among them)
// and the marks that reorder text shown as \xHH or \uHHHH, so that the user's text repeated in
// a message can neither break its line nor command the terminal.
QString Printable(const QString& message);

// A window's text as printed: CR LF (and the star box's LF CR) become LF, and the text ends
// with a line break.
QByteArray TextOutput(QString text);

// The image as PNG bytes.
QByteArray PngBytes(const QImage& image);

}  // namespace noctaris::cli
