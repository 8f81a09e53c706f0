#include "RecoveryController.h"

#include "LanguageSession.h"
#include "Recovery.h"
#include "Toolkit.h"

#include <QFile>
#include <QTimer>

RecoveryController::RecoveryController(LanguageSession& session, Toolkit& toolkit, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_toolkit(toolkit)
    , m_slot(std::make_unique<RecoverySlot>())
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(2000);
    connect(m_timer, &QTimer::timeout, this, &RecoveryController::write);
    // The copy follows a couple of seconds after the last change, never on every key; with
    // nothing unsaved (saved, undone back to the saved state, another file) it goes.
    connect(&session, &LanguageSession::unsavedChangesChanged, this, [this](bool changed) {
        if (!changed)
            discard();
    });
    connect(&session, &LanguageSession::contentsChanged, this, [this] {
        if (m_session.hasUnsavedChanges())
            m_timer->start();
    });
}

RecoveryController::~RecoveryController() = default;

void RecoveryController::setFolder(const QString& folder)
{
    m_slot = std::make_unique<RecoverySlot>(folder);
}

QString RecoveryController::copyPath() const
{
    return m_slot->copyPath();
}

int RecoveryController::delay() const
{
    return m_timer->interval();
}

void RecoveryController::say(const QString& text)
{
    m_toolkit.messageBox(text, MsgStyle::Exclamation);
}

void RecoveryController::write()
{
    m_timer->stop();
    if (!m_session.hasUnsavedChanges())
        return;
    RecoveryCopy copy{m_session.committed(), m_session.committedReview(), m_session.path(),
                      m_session.selectedForm(), QDateTime::currentDateTime()};
    const QString problem = m_slot->write(recoveryBytes(copy));
    // Said once: a box every few seconds would keep the person from working.
    if (!problem.isEmpty() && !m_failureShown && !m_ending) {
        m_failureShown = true;
        say(tr("The recovery copy of this file cannot be written to %1: %2.\r\nSave "
               "the file to keep your changes.")
                .arg(m_slot->copyPath().isEmpty() ? RecoverySlot::standardFolder()
                                                  : m_slot->copyPath(),
                     problem));
    }
}

void RecoveryController::discard()
{
    m_timer->stop();
    m_slot->remove();
}

std::optional<int> RecoveryController::offer()
{
    const RecoverySlot::Orphan found = m_slot->adoptOrphan();
    if (found.path.isEmpty())
        return std::nullopt;
    RecoveryCopy copy;
    QFile file(found.path);
    const QString problem = file.open(QIODevice::ReadOnly) ? readRecoveryBytes(file.readAll(), copy)
                                                           : file.errorString();
    if (!problem.isEmpty()) {
        const QString notMoved = m_slot->setAside();
        say(notMoved.isEmpty()
                ? tr("The recovery copy %1 cannot be read: %2.\r\nIt has been moved "
                     "to %3.")
                      .arg(found.path, problem, m_slot->asidePath())
                : tr("The recovery copy %1 cannot be read: %2.\r\nIt cannot be moved "
                     "aside either: %3.")
                      .arg(found.path, problem, notMoved));
        return std::nullopt;
    }
    const QString what = copy.path.isEmpty() ? tr("a new file") : copy.path;
    const bool restore =
        m_toolkit.messageBox(
            tr("Lexicant ended on %1 without saving the changes to %2.\r\nA recovery "
               "copy of them was kept. Do you want to restore it?")
                .arg(copy.written.toLocalTime().toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")),
                     what),
            MsgStyle::Question) == MsgResult::Yes;
    if (restore)
        m_session.restore(copy);
    const QString stays = restore ? found.unclaimed : m_slot->remove();
    if (!stays.isEmpty()) {
        // Read-only folders and the like: the copy stays where it is and comes back next time.
        m_failureShown = true;
        say(tr("The recovery copy %1 cannot be %2: %3.\r\nIt will be offered again "
               "at the next start.")
                .arg(found.path, restore ? tr("taken over") : tr("removed"), stays));
    }
    return restore ? std::optional<int>(copy.selectedForm) : std::nullopt;
}
