#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The system's words for an errno value ("No space left on device").
QString systemReason(int error);

// Replaces the file at the path with the bytes: written beside it, every write checked, flushed
// to the disk, and only then renamed into place, so a failure leaves any earlier file byte for
// byte as it was and nothing beside it, and a completed save survives a power cut. A path that
// names a folder, or a file that is read-only, is refused. A symbolic link stays a link; its
// target gets the bytes. A replaced file keeps its permissions. Returns an empty string on
// success, else the reason, in the system's words where the system gave one ("No space left on
// device", "File too large"). A file-size limit makes the write fail; it never ends the process.
QString replaceFileContents(const QString& path, const QByteArray& bytes);

// Replaces several files as replaceFileContents replaces one, in step: all are written in full
// beside their targets before any is put in place, so that a failure to write any of them leaves
// every one as it was. Returns the path that failed and the reason, or two empty strings.
std::pair<QString, QString>
replaceFilesContents(const QList<std::pair<QString, QByteArray>>& files);

// Moves a file that cannot be used to the first of PATH.damaged, PATH.damaged.2 ... that is free,
// never over an existing file, so that nothing is lost and a new one can take its place. Returns
// the reason of a failure, or an empty string with the new path in `aside`.
QString moveAside(const QString& path, QString& aside);

// Reads a file a person names for a small purpose (a word list, a dictionary): only a regular
// file, reached through links, of at most `limit` bytes. A FIFO is never waited on and a device
// never read. Returns an empty string with the bytes, else the reason ("is not a regular file",
// "is 200 MB, more than the 4 MB allowed", the system's words).
QString readRegularFile(const QString& path, qint64 limit, QByteArray& bytes);
// The same test without reading: why the path is no regular file of at most `limit` bytes.
QString regularFileProblem(const QString& path, qint64 limit);
