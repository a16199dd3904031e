#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <random>

#include "platform/atomic_write.h"
#include "platform/small_tmpfs.h"

using namespace noctaris;

namespace {
QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
// Noise does not compress: its PNG is about as large as its pixels.
QImage Noise(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    std::mt19937 rng(3);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) image.setPixel(x, y, rng() | 0xFF000000u);
    return image;
}
}  // namespace

TEST(AtomicWrite, ReplacesTheWholeFileAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    QString reason;
    ASSERT_TRUE(WriteFileAtomically(path, "a longer first content", &reason)) << reason.toStdString();
    ASSERT_TRUE(WriteFileAtomically(path, "second", &reason)) << reason.toStdString();
    EXPECT_EQ(ReadAll(path), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});

    const QImage image = Noise(40);
    ASSERT_TRUE(SavePngAtomically(dir.filePath("noise.png"), image, &reason)) << reason.toStdString();
    EXPECT_EQ(QImage(dir.filePath("noise.png")).convertToFormat(QImage::Format_RGB32), image);
}

TEST(AtomicWrite, PiecesReplaceTheFileOnlyAtTheCommit) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    QString reason;
    {
        AtomicFileWriter file(path);
        ASSERT_TRUE(file.Open(&reason)) << reason.toStdString();
        ASSERT_TRUE(file.Write("first ", &reason));
        ASSERT_TRUE(file.Write("second", &reason));
        EXPECT_EQ(ReadAll(path), "old");  // nothing seen before the commit
        ASSERT_TRUE(file.Commit(&reason)) << reason.toStdString();
    }
    EXPECT_EQ(ReadAll(path), "first second");
    {
        // Abandoned half-way (an error, an exception): the old file stays, no temporary.
        AtomicFileWriter file(path);
        ASSERT_TRUE(file.Open(&reason));
        ASSERT_TRUE(file.Write("half", &reason));
    }
    EXPECT_EQ(ReadAll(path), "first second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});
    AtomicFileWriter full("/dev/full");
    ASSERT_TRUE(full.Open(&reason));
    EXPECT_FALSE(full.Write("x", &reason) && full.Commit(&reason));
    EXPECT_TRUE(reason.contains("No space left on device")) << reason.toStdString();
}

TEST(AtomicWrite, FailuresSayWhyAndLeaveTheOldFile) {
    QTemporaryDir dir;
    QString reason;
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("no/such/folder/out.txt"), "x", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(WriteFileAtomically(dir.path(), "x", &reason));  // a folder is not a file
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    EXPECT_FALSE(SavePngAtomically(dir.filePath("null.png"), QImage(), &reason));
    EXPECT_FALSE(QFile::exists(dir.filePath("null.png")));

    // A device is written, not replaced by a renamed file (root could do that to /dev/full).
    EXPECT_FALSE(WriteFileAtomically("/dev/full", "x", &reason));
    EXPECT_TRUE(reason.contains("No space left on device")) << reason.toStdString();
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());
    EXPECT_TRUE(WriteFileAtomically("/dev/null", "x", &reason)) << reason.toStdString();
    EXPECT_FALSE(QFileInfo("/dev/null").isFile());
}

TEST(AtomicWrite, FullDiskLeavesTheOldPictureAndNoPartOfTheNew) {
    SmallTmpfs disk;
    if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
    const QString path = disk.FilePath("chart.png");
    QString reason;
    ASSERT_TRUE(SavePngAtomically(path, Noise(8), &reason)) << reason.toStdString();
    const QByteArray old = ReadAll(path);
    disk.Fill(16384);
    // About 100 KB of PNG against 16 KiB of space: the first writes succeed, a later one fails.
    EXPECT_FALSE(SavePngAtomically(path, Noise(160), &reason));
    EXPECT_TRUE(reason.contains("No space left on device")) << reason.toStdString();
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"chart.png", "filler"}));

    // Smaller than Qt's write buffer, and only a part fits: the reason must survive too.
    disk.Unfill();
    disk.Fill(4096);
    EXPECT_FALSE(WriteFileAtomically(path, QByteArray(10000, 'z'), &reason));
    EXPECT_TRUE(reason.contains("No space left on device")) << reason.toStdString();
    EXPECT_EQ(ReadAll(path), old);
}
