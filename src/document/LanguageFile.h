#pragma once

#include "LanguageDocument.h"
#include "LanguageFormat.h"

#include <QString>

#include <optional>

class Toolkit;

// True when the path names an existing file that can be opened for reading and closed again
// without waiting (a folder, a pipe or a socket is refused). Shows nothing, changes nothing.
bool CanOpenFile(const QString& path);

// CannotOpen: the path failed CanOpenFile (say nothing). ReadFailed: it opened a moment ago but
// cannot be read now. NotALanguageFile: it holds no complete first record.
enum class ReadStatus { Ok, CannotOpen, ReadFailed, NotALanguageFile };

struct ReadResult {
    ReadStatus status = ReadStatus::CannotOpen;
    lsf::ParsedFile parsed;
    QString reason; // why it failed, for a command-line message
};

// Reads the record count and the first record of a language file. Reads no more than a first
// record can take, so no length or count from the file makes it read or allocate more.
ReadResult readLanguageFile(const QString& path);

// Loads the file into the document's tables. Returns false without a message when the path
// cannot be opened, and false after the "Error during loading!" box when the file holds no
// complete first record; the tables are then unchanged.
bool LoadLanguageFile(LanguageDocument& document, const QString& path, Toolkit& toolkit);

enum class WriteStatus { Ok, Refused, Failed };

struct WriteResult {
    WriteStatus status = WriteStatus::Failed;
    std::optional<lsf::SaveRefusal> refusal; // when Refused
    QString reason;                          // when Failed, for a command-line message
    QString failedPath;                      // when Failed: the file that could not be written
};

// Writes the document's tables to the path. The new file is written beside the target and put
// in its place only when complete, so a failure leaves the earlier file as it was. A document
// that the format cannot hold is refused before the file is touched, and so is a target that
// is read-only or a folder. Files that belong with it (path, bytes) are written in step: when
// one cannot be, none is replaced.
WriteResult writeLanguageFile(const LanguageDocument& document, const QString& path,
                              const QList<std::pair<QString, QByteArray>>& beside = {});

// writeLanguageFile with the program's messages: the refusal's own text, or "An error occured
// while saving the languagefile". Returns true when the file was written.
bool SaveLanguageFile(const LanguageDocument& document, const QString& path, Toolkit& toolkit,
                      const QList<std::pair<QString, QByteArray>>& beside = {});

// The boxes' texts, for those who show them.
QString loadErrorText();
QString loadErrorTitle();
QString saveErrorText();
