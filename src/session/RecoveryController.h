#pragma once

#include <QObject>

#include <memory>
#include <optional>

class LanguageSession;
class QTimer;
class RecoverySlot;
class Toolkit;

// The recovery copy of a session's document: while changes are unsaved, what a save would write
// is kept in the recovery folder a couple of seconds after the last change; it goes when nothing
// is unsaved any more. At start-up the newest copy that no running window holds is offered.
class RecoveryController : public QObject {
    Q_OBJECT
public:
    RecoveryController(LanguageSession& session, Toolkit& toolkit, QObject* parent = nullptr);
    ~RecoveryController() override;

    // The folder of the copies; by default the user's data folder.
    void setFolder(const QString& folder);
    QString copyPath() const;
    // How long after the last change the copy is written.
    int delay() const;

    // Writes the copy now while something is unsaved. A failure is said once, and never while
    // the program is ending.
    void write();
    // Removes the copy.
    void discard();
    // The program ends without asking: from now on failures are not shown.
    void setEnding() { m_ending = true; }

    // Offers the newest copy no running window holds; the person restores it (the session takes
    // it over, unsaved) or deletes it. Returns the form the copy had selected when restored.
    std::optional<int> offer();

private:
    void say(const QString& text);

    LanguageSession& m_session;
    Toolkit& m_toolkit;
    std::unique_ptr<RecoverySlot> m_slot;
    QTimer* m_timer = nullptr;
    bool m_failureShown = false;
    bool m_ending = false;
};
