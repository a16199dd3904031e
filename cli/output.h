#pragma once
// Where a command's result goes: standard output, or a file written safely (a temporary file
// beside it, checked, flushed, then renamed over the target), so that a failure never leaves a
// half-written file behind. A failure throws OutputError, reported with exit status 2.
#include <memory>
#include <stdexcept>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "windows/exports.h"

namespace noctaris {
class AtomicFileWriter;
}

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

// Output written as it is made, so that a long range needs no more memory than a short one:
// to standard output, or to a file through a temporary file that replaces the target only at
// Finish (an error or exception before leaves any old file as it was). Pieces are gathered to
// 64 KiB before they go out. A failed write throws OutputError.
class OutputStream {
public:
    explicit OutputStream(const QString& path);  // empty: standard output
    ~OutputStream();
    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;

    void Write(const QByteArray& bytes);
    void Finish();

private:
    void Flush();
    QString path_;
    std::unique_ptr<AtomicFileWriter> file_;
    QByteArray pending_;
};

// Records written one by one as CSV or JSON (`format` "csv" or "json"), byte for byte what
// exports::ToCsv or ToJson(head, records) write for all of them at once.
class RecordWriter {
public:
    RecordWriter(OutputStream& out, const QString& format, const exports::Record& jsonHead = {});
    void Add(const exports::Record& record);
    void Finish();

private:
    OutputStream& out_;
    bool json_;
    bool first_ = true;
};

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
