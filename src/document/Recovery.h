#pragma once

#include "LanguageDocument.h"
#include "Review.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

// What a recovery copy holds: the document as a save would have written it at that moment, the
// file it belongs to (empty for a file never saved) and the form that was selected.
struct RecoveryCopy {
    LanguageDocument document;
    Review review; // what is known of its rows beyond their texts
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
// first write. The slot changes only a copy whose lock it holds, and tries to take the lock first
// when it has not; a failure names its reason, e.g. "another window holds it".
class RecoverySlot {
public:
    // "recovery" in the user's data folder for this program.
    static QString standardFolder();

    explicit RecoverySlot(QString folder = standardFolder());
    ~RecoverySlot(); // lets go of the lock; the copy stays
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    // A copy that adoptOrphan found.
    struct Orphan {
        QString path; // empty when there is none
        // Empty when the slot took the copy over. Else why its lock cannot be taken, in the
        // system's words (e.g. "Permission denied" in a read-only folder): the copy can still
        // be read and offered, but another window may find it too, remove and setAside fail
        // while the lock cannot be taken, and write takes the copy over if it can by then,
        // else gives the slot a copy of its own (and copyPath() changes to it).
        QString unclaimed;
    };
    // Before the slot has a copy: finds the newest copy in the folder that no running window
    // holds (one look at the folder) and makes it the slot's copy, taking it over if it can.
    Orphan adoptOrphan();
    // The copy's path, empty before the slot has one.
    QString copyPath() const;
    // Replaces the copy with the bytes as a save replaces a file. Returns the reason of a
    // failure, or an empty string.
    QString write(const QByteArray& bytes);
    // Deletes the copy; the slot keeps its name for the next write. Returns the reason of a
    // failure, or an empty string (also when there is no copy).
    QString remove();
    // Moves a copy that cannot be read out of the way, to asidePath(), replacing what was there.
    // Returns the reason of a failure, or an empty string.
    QString setAside();
    // copyPath() with ".damaged" added.
    QString asidePath() const;

private:
    QString claim(const QString& name);

    QString m_folder;
    QString m_name;                    // of the copy, without ".json"
    std::unique_ptr<QLockFile> m_lock; // null while the slot does not hold its copy
};
