#pragma once
// A 64 KiB tmpfs mounted on a temporary folder: a file system that really runs out of space.
// Mounting needs the right to (root, as in the build container); tests skip without it.
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <QFile>
#include <QTemporaryDir>

class SmallTmpfs {
public:
    SmallTmpfs() {
        if (!dir_.isValid()) {
            why_ = "no temporary folder";
            return;
        }
        if (::mount("tmpfs", dir_.path().toLocal8Bit().constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
            why_ = std::string("cannot mount a small tmpfs (") + std::strerror(errno) +
                   "); the full-disk cases need the right to mount, e.g. root";
        else
            mounted_ = true;
    }
    ~SmallTmpfs() {
        if (mounted_) ::umount2(dir_.path().toLocal8Bit().constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& WhyNot() const { return why_; }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }
    QString Path() const { return dir_.path(); }

    // Fills the file system with a filler file until only `leaveBytes` (rounded to pages) are free.
    void Fill(qint64 leaveBytes = 0) {
        QFile filler(FilePath("filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray page(4096, 'f');
        while (filler.write(page) == page.size()) {
        }
        filler.close();
        if (leaveBytes > 0) filler.resize(filler.size() - leaveBytes);
    }
    void Unfill() { QFile::remove(FilePath("filler")); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    std::string why_;
};
