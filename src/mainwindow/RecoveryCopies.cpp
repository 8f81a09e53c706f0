// The recovery copy of the window's document: kept while changes are unsaved, removed when they
// are saved or given up, offered again at the next start when the window ended without either.
#include "QL_Core.h"

#include "Recovery.h"
#include "Toolkit.h"

#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTimer>
#include <QUndoStack>

void QL_Core::setRecoveryFolder(const QString& folder)
{
    m_recovery = std::make_unique<RecoverySlot>(folder);
}

QString QL_Core::recoveryCopyPath() const
{
    return m_recovery->copyPath();
}

void QL_Core::writeRecoveryCopy()
{
    m_recoveryTimer->stop();
    if (m_document.UnsavedChanges != 1)
        return;
    // What a save would write now: the working copies committed into a copy of the document,
    // so that the live tables keep their own commit timing.
    RecoveryCopy copy{m_document, currentPath(), int(m_document.SelectedForm),
                      QDateTime::currentDateTime()};
    commitWorkingCopy(m_copy, copy.selectedForm, copy.document);
    const QString problem = m_recovery->write(recoveryBytes(copy));
    // Said once: a box every few seconds would keep the user from working.
    if (!problem.isEmpty() && !m_recoveryFailureShown && !m_systemEnding) {
        m_recoveryFailureShown = true;
        m_toolkit.messageBox(QStringLiteral("The recovery copy of this file cannot be written to "
                                            "%1: %2.\r\nSave the file to keep your changes.")
                                 .arg(m_recovery->copyPath().isEmpty()
                                          ? RecoverySlot::standardFolder()
                                          : m_recovery->copyPath(),
                                      problem),
                             MsgStyle::Exclamation);
    }
}

void QL_Core::discardRecoveryCopy()
{
    m_recoveryTimer->stop();
    m_recovery->remove();
}

void QL_Core::offerRecovery()
{
    const QString found = m_recovery->adoptOrphan();
    if (found.isEmpty())
        return;
    RecoveryCopy copy;
    QFile file(found);
    const QString problem = file.open(QIODevice::ReadOnly) ? readRecoveryBytes(file.readAll(), copy)
                                                           : file.errorString();
    if (!problem.isEmpty()) {
        const QString aside = m_recovery->setAside();
        m_toolkit.messageBox(QStringLiteral("The recovery copy %1 cannot be read: %2.\r\nIt has "
                                            "been moved to %3.")
                                 .arg(found, problem, aside),
                             MsgStyle::Exclamation);
        return;
    }
    const QString what = copy.path.isEmpty() ? QStringLiteral("a new file") : copy.path;
    if (m_toolkit.messageBox(
            QStringLiteral("Lexicant ended on %1 without saving the changes to %2.\r\nA recovery "
                           "copy of them was kept. Do you want to restore it?")
                .arg(copy.written.toLocalTime().toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")),
                     what),
            MsgStyle::Question) == MsgResult::Yes)
        restoreRecoveryCopy(copy);
    else
        m_recovery->remove();
}

void QL_Core::restoreRecoveryCopy(const RecoveryCopy& copy)
{
    const float unsaved = m_document.UnsavedChanges;
    m_document = copy.document;
    m_document.UnsavedChanges = unsaved;
    m_document.SelectedForm = 0;
    m_document.SelectedRow = 0;
    showOpenedDocument(copy.path, QFileInfo(copy.path).fileName());
    {
        // Quietly: the history's signal would take the changes for saved and drop the copy.
        const QSignalBlocker quiet(m_history);
        m_history->clear();
        // The restored document is not the file on disk: no undo leads back to a saved state.
        m_history->resetClean();
    }
    selectForm(copy.selectedForm);
    setUnsavedChanges(true);
    writeRecoveryCopy(); // the copy taken over now describes this window's document
}
