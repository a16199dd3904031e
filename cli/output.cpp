#include "cli/output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QBuffer>
#include <QFileInfo>

#include "platform/atomic_write.h"

namespace noctaris::cli {

void CheckOutputPath(const QString& path) {
    if (path.isEmpty()) throw OutputError(QStringLiteral("the output file name is empty"));
    const QFileInfo file(path);
    if (file.isDir()) throw OutputError(QStringLiteral("cannot write '%1': it is a folder").arg(path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        throw OutputError(QStringLiteral("cannot write '%1': No such file or directory").arg(path));
    if (!folder.isWritable())
        throw OutputError(QStringLiteral("cannot write '%1': the folder is not writable").arg(path));
}

void WriteOutputFile(const QString& path, const QByteArray& bytes) {
    CheckOutputPath(path);
    QString reason;
    if (!WriteFileAtomically(path, bytes, &reason))
        throw OutputError(QStringLiteral("cannot write '%1': %2").arg(path, reason));
}

namespace {

OutputError StandardOutputError(int error) {
    return OutputError(QStringLiteral("cannot write to standard output: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(error != 0 ? error : EIO))));
}

}  // namespace

void Emit(const QByteArray& bytes, const QString& path) {
    if (!path.isEmpty()) {
        WriteOutputFile(path, bytes);
        return;
    }
    errno = 0;
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0)
        throw StandardOutputError(errno);
}

OutputStream::OutputStream(const QString& path) : path_(path) {
    if (path_.isEmpty()) return;
    CheckOutputPath(path_);
    file_ = std::make_unique<AtomicFileWriter>(path_);
    QString reason;
    if (!file_->Open(&reason))
        throw OutputError(QStringLiteral("cannot write '%1': %2").arg(path_, reason));
}

OutputStream::~OutputStream() = default;

void OutputStream::Write(const QByteArray& bytes) {
    pending_ += bytes;
    if (pending_.size() >= 65536) Flush();
}

void OutputStream::Flush() {
    if (pending_.isEmpty()) return;
    if (file_) {
        QString reason;
        if (!file_->Write(pending_, &reason))
            throw OutputError(QStringLiteral("cannot write '%1': %2").arg(path_, reason));
    } else {
        errno = 0;
        const std::size_t size = static_cast<std::size_t>(pending_.size());
        if (std::fwrite(pending_.constData(), 1, size, stdout) != size) throw StandardOutputError(errno);
    }
    pending_.clear();
}

void OutputStream::Finish() {
    Flush();
    if (file_) {
        QString reason;
        if (!file_->Commit(&reason))
            throw OutputError(QStringLiteral("cannot write '%1': %2").arg(path_, reason));
        return;
    }
    errno = 0;
    if (std::fflush(stdout) != 0) throw StandardOutputError(errno);
}

RecordWriter::RecordWriter(OutputStream& out, const QString& format,
                           const exports::Record& jsonHead)
    : out_(out), json_(format == QLatin1String("json")) {
    if (json_) out_.Write(exports::JsonOpening(jsonHead));
}

void RecordWriter::Add(const exports::Record& record) {
    if (json_) {
        out_.Write(exports::JsonRecord(record, first_));
    } else {
        if (first_) out_.Write(exports::CsvHeader(record));
        out_.Write(exports::CsvRow(record));
    }
    first_ = false;
}

void RecordWriter::Finish() {
    if (json_) out_.Write(exports::JsonClosing(first_));
}

QString FinishStandardOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return QString::fromUtf8(StandardOutputError(errno).what());
    errno = 0;
    // A standard output closed by the caller (>&-) is no error when nothing was written to it.
    if (std::fclose(stdout) != 0 && errno != EBADF) return QString::fromUtf8(StandardOutputError(errno).what());
    return {};
}

QString Printable(const QString& message) {
    QString shown;
    shown.reserve(message.size());
    for (const QChar c : message) {
        const char16_t u = c.unicode();
        const bool reorders = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(uint{u}, 2, 16, QLatin1Char('0'));
        else if (reorders)
            shown += QStringLiteral("\\u%1").arg(uint{u}, 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QByteArray TextOutput(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
    return text.toUtf8();
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        throw std::runtime_error("the picture could not be encoded as PNG");
    return bytes;
}

}  // namespace noctaris::cli
