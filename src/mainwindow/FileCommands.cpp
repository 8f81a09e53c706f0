// The file commands of the main window: New, Open, Save, Save as, Exit, About, and the reset
// of the document that New file starts with.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "LanguageFile.h"
#include "QL_Data.h"
#include "RecentFiles.h"
#include "ReferenceDock.h"
#include "Toolkit.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScopedValueRollback>

namespace {

const QString PresetName = QStringLiteral(".lsf");

// The file dialogs' filter, "description|pattern".
QString fileFilter()
{
    return QCoreApplication::translate("QL_Core", "*.LSF format|*.lsf");
}

} // namespace

QString QL_Core::openQuestion()
{
    return tr("The changes in this file are not saved yet.\r\n"
              "Are you sure that you want to open another file?");
}

QString QL_Core::newFileQuestion()
{
    return tr("Changes are not saved yet.\r\n"
              "Are you sure that you want to start a new file?");
}

void QL_Core::mnu_new_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.3"), [this] {
        if (!mayDiscardChanges(newFileQuestion()))
            return;
        ResetDocument();
        m_session->newDocument();
    });
}

void QL_Core::ResetDocument()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #F1.2"), [this] { m_session->reset(); });
}

void QL_Core::mnu_open_Click()
{
    runSilently([this] {
        if (!mayDiscardChanges(openQuestion()))
            return;
        const FileDialogResult chosen =
            m_toolkit.showOpen({PresetName, tr("Open an existing language file:"), fileFilter()});
        if (!CanOpenFile(chosen.fileName))
            return;
        openSteps(chosen.fileName, chosen.fileTitle);
    });
}

void QL_Core::openPath(const QString& path)
{
    runSilently([&] {
        if (!CanOpenFile(path)) {
            m_toolkit.messageBox(loadErrorText(), MsgStyle::Critical, loadErrorTitle());
            return;
        }
        openSteps(path, QFileInfo(path).fileName());
    });
}

// Open file from the point where the path is known to open.
void QL_Core::openSteps(const QString& path, const QString& title)
{
    if (!m_session->open(path, title, m_toolkit))
        return; // the loader has said why
    m_recent->add(path);
    reopenRememberedReference();
}

void QL_Core::mnu_saveas_Click()
{
    runSilently([this] {
        const FileDialogResult chosen =
            m_toolkit.showSave({PresetName, tr("Save file as ..."), fileFilter()});
        if (chosen.fileName.isEmpty() || chosen.fileName == PresetName ||
            chosen.fileTitle == PresetName)
            return;
        m_session->setCurrentFile(chosen.fileName, chosen.fileTitle);
        mnu_save_Click();
    });
}

void QL_Core::mnu_save_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.0"), [this] {
        if (currentPath().isEmpty()) {
            mnu_saveas_Click();
            return;
        }
        // A text still in the workbench's editor is part of what is saved.
        if (m_referenceDock)
            m_referenceDock->finishEditing(false);
        keepRowsInPlace();
        CommitWorkingCopies();
        const QString path = currentPath();
        if (path.isEmpty() || path == PresetName)
            return;
        if (!m_session->save(m_toolkit))
            return;
        RefreshCommandState();
        m_recent->add(path);
        m_toolkit.messageBox(tr("The languagefile has been saved."), MsgStyle::Information);
    });
}

void QL_Core::mnu_exit_Click()
{
    if (!mayDiscardChanges(tr("Changes are not saved yet.\r\n"
                              "Are you sure that you want to exit the program?")))
        return;
    const QScopedValueRollback fromCode(m_closingFromCode, true);
    close();
}

void QL_Core::mnu_about_Click()
{
    m_toolkit.messageBox(m_values.ProgramTitle + QStringLiteral("\r\n") + tr("Version: ") +
                             m_values.ProgramVersion + QStringLiteral("\r\n") +
                             tr("Release date: 01-06-05\r\n") + QStringLiteral("\r\n") +
                             m_values.EnglishWebsite + QStringLiteral("\r\n") +
                             m_values.DutchWebsite + QStringLiteral("\r\n"),
                         MsgStyle::Information);
}
