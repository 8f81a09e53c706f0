#pragma once

#include "LanguageDocument.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

// What a recovery copy holds: the document as a save would have written it at that moment, the
// file it belongs to (empty for a file never saved) and the form that was selected.
struct RecoveryCopy {
    LanguageDocument document;
    QString path;
    int selectedForm = 0;
    QDateTime written;
};

// The copy as UTF-8 JSON, the document in the form of documentToJson.
QByteArray recoveryBytes(const RecoveryCopy& copy);
// Reads such JSON. Returns an empty string on success, else what is wrong.
QString readRecoveryBytes(const QByteArray& bytes, RecoveryCopy& copy);

// One window's recovery copy, a file in the recovery folder held with a lock file while the
// window lives, so that other windows and later starts can tell a copy whose window is gone
// (crashed, killed, ended with the session) from one still in use. Nothing is created before the
// first write.
class RecoverySlot {
public:
    // "recovery" in the user's data folder for this program.
    static QString standardFolder();

    explicit RecoverySlot(QString folder = standardFolder());
    ~RecoverySlot(); // lets go of the lock; the copy stays
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    // Before the slot has a copy of its own: takes over the newest copy in the folder that no
    // running window holds and returns its path; empty when there is none (one look at the
    // folder).
    QString adoptOrphan();
    // The copy's path, empty before the slot has one.
    QString copyPath() const;
    // Replaces the copy with the bytes as a save replaces a file. Returns the reason of a
    // failure, or an empty string.
    QString write(const QByteArray& bytes);
    // Deletes the copy; the slot keeps its name for the next write.
    void remove();
    // Moves a copy that cannot be read out of the way, beside it with ".damaged" added, and
    // returns where it went.
    QString setAside();

private:
    bool claim(const QString& name);

    QString m_folder;
    QString m_name; // of the copy, without ".json"
    std::unique_ptr<QLockFile> m_lock;
};
