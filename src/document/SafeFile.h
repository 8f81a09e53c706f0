#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at the path with the bytes: written beside it, every write checked, flushed
// to the disk, and only then renamed into place, so a failure leaves any earlier file byte for
// byte as it was and nothing beside it, and a completed save survives a power cut. A path that
// names a folder, or a file that is read-only, is refused. A symbolic link stays a link; its
// target gets the bytes. A replaced file keeps its permissions. Returns an empty string on
// success, else the reason, in the system's words where the system gave one ("No space left on
// device", "File too large"). A file-size limit makes the write fail; it never ends the process.
QString replaceFileContents(const QString& path, const QByteArray& bytes);
