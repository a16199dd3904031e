#pragma once
// Files replaced whole: the new content goes to a temporary file beside the target, every write
// is checked and flushed to the disk, and only then is it renamed over the target. A failure
// (full disk, no permission, missing folder) leaves any old file as it was, leaves no temporary
// file behind and says why.
#include <memory>

#include <QByteArrayView>
#include <QImage>
#include <QString>

class QFileDevice;

namespace noctaris {

// Makes `bytes` the whole content of the file at `path`. An existing device or pipe (such as
// /dev/stdout) cannot be replaced, so it is written directly, still checked. Returns false and
// puts the reason (e.g. "No space left on device") into *reason on failure.
bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* reason = nullptr);

// Encodes `image` as PNG in memory first, then writes it as WriteFileAtomically does, so a
// failure never leaves a truncated picture.
bool SavePngAtomically(const QString& path, const QImage& image, QString* reason = nullptr);

// The same for content written in pieces as it is made: Open, Write every piece (each checked),
// then Commit, which flushes, syncs and renames. Destroyed before Commit (a failure, an
// exception), it removes its temporary file and any old file stays as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Open(QString* reason = nullptr);
    bool Write(QByteArrayView bytes, QString* reason = nullptr);
    bool Commit(QString* reason = nullptr);

private:
    QString path_;
    std::unique_ptr<QFileDevice> file_;
    bool device_ = false;  // an existing device or pipe, written directly
};

}  // namespace noctaris
