#pragma once
// Files replaced whole: the new content goes to a temporary file beside the target, every write
// is checked and flushed to the disk, and only then is it renamed over the target. A failure
// (full disk, no permission, missing folder) leaves any old file as it was, leaves no temporary
// file behind and says why.
#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace noctaris {

// Makes `bytes` the whole content of the file at `path`. An existing device or pipe (such as
// /dev/stdout) cannot be replaced, so it is written directly, still checked. Returns false and
// puts the reason (e.g. "No space left on device") into *reason on failure.
bool WriteFileAtomically(const QString& path, QByteArrayView bytes, QString* reason = nullptr);

// Encodes `image` as PNG in memory first, then writes it as WriteFileAtomically does, so a
// failure never leaves a truncated picture.
bool SavePngAtomically(const QString& path, const QImage& image, QString* reason = nullptr);

}  // namespace noctaris
