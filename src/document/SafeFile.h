#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at the path with the bytes: written beside it and put in its place only
// when complete, so a failure leaves any earlier file as it was. A path that names a folder,
// or a file that is read-only, is refused. A symbolic link stays a link; its target gets the
// bytes. Returns an empty string on success, else what went wrong.
QString replaceFileContents(const QString& path, const QByteArray& bytes);
