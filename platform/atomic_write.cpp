#include "platform/atomic_write.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace noctaris {
namespace {

bool Fail(QString* reason, const QString& why) {
    if (reason) *reason = why;
    return false;
}

// Writes all of `bytes`, then pushes them to the disk, so that a full disk shows here and not
// after the rename. The file is opened unbuffered: Qt's buffer loses the reason of a write that
// fails after a partial one.
bool WriteAllAndFlush(QFileDevice& file, QByteArrayView bytes, bool sync, QString* reason) {
    const char* data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 n = file.write(data, left);
        if (n <= 0) return Fail(reason, file.errorString());
        data += n;
        left -= n;
    }
    if (!file.flush()) return Fail(reason, file.errorString());
    // Some file systems (network, delayed allocation) report a lack of space only when syncing.
    if (sync && ::fsync(file.handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
        return Fail(reason, QString::fromLocal8Bit(std::strerror(errno)));
    return true;
}

}  // namespace

bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* reason) {
    AtomicFileWriter file(path);
    return file.Open(reason) && file.Write(bytes, reason) && file.Commit(reason);
}

AtomicFileWriter::AtomicFileWriter(const QString& path) : path_(path) {}

AtomicFileWriter::~AtomicFileWriter() = default;  // ~QSaveFile removes an uncommitted file

bool AtomicFileWriter::Open(QString* reason) {
    const QFileInfo target(path_);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // A device or pipe: renaming a file over it would replace the device itself.
        device_ = true;
        file_ = std::make_unique<QFile>(path_);
    } else {
        auto file = std::make_unique<QSaveFile>(path_);
        // Qt would otherwise write straight into the old file when the folder is read-only,
        // destroying it if the write then fails.
        file->setDirectWriteFallback(false);
        file_ = std::move(file);
    }
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString why = file_->errorString();
        file_.reset();
        return Fail(reason, why);
    }
    return true;
}

bool AtomicFileWriter::Write(QByteArrayView bytes, QString* reason) {
    if (!file_) return Fail(reason, QStringLiteral("the file is not open"));
    const char* data = bytes.data();
    qint64 left = bytes.size();
    while (left > 0) {
        const qint64 n = file_->write(data, left);
        if (n <= 0) return Fail(reason, file_->errorString());
        data += n;
        left -= n;
    }
    return true;
}

bool AtomicFileWriter::Commit(QString* reason) {
    if (!file_) return Fail(reason, QStringLiteral("the file is not open"));
    if (!WriteAllAndFlush(*file_, {}, !device_, reason)) return false;
    if (device_) {
        file_->close();
        if (file_->error() != QFileDevice::NoError) return Fail(reason, file_->errorString());
        return true;
    }
    if (!static_cast<QSaveFile&>(*file_).commit()) return Fail(reason, file_->errorString());
    return true;
}

bool SavePngAtomically(const QString& path, const QImage& image, QString* reason) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return Fail(reason, QCoreApplication::translate("FileWriting", "the picture cannot be encoded as PNG"));
    return WriteFileAtomically(path, png, reason);
}

}  // namespace noctaris
