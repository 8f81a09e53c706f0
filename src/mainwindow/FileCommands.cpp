// The file commands of the main window: New, Open, Save, Save as, Exit, About, and the reset
// of the document that New file starts with.
#include "QL_Core.h"

#include "ErrorTrap.h"
#include "LanguageFile.h"
#include "QL_Data.h"
#include "Toolkit.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTimer>
#include <QUndoStack>

namespace {

const QString FileFilter = QStringLiteral("*.LSF format|*.lsf");
const QString PresetName = QStringLiteral(".lsf");

} // namespace

QString QL_Core::openQuestion()
{
    return QStringLiteral("The changes in this file are not saved yet.\r\n"
                          "Are you sure that you want to open another file?");
}

void QL_Core::mnu_new_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.3"), [this] {
        if (!mayDiscardChanges(QStringLiteral("Changes are not saved yet.\r\n"
                                              "Are you sure that you want to start a new file?")))
            return;
        discardRecoveryCopy();
        ResetDocument();
        m_copy.formNames = newFormNames();
        renderFormList(true);
        m_history->clear();
        setUnsavedChanges(false);
    });
}

void QL_Core::ResetDocument()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #F1.2"), [this] {
        m_document.clearTables();
        setCurrentFile(QString(), QString());
        // The revision and the date keep their text.
        WorkingCopy cleared;
        for (FileSetting kept : {FileSetting::Revision, FileSetting::Date})
            cleared.settings[std::size_t(kept)] = m_copy.settings[std::size_t(kept)];
        m_copy = cleared;
        renderSettings();
        renderFormList(true);
        renderRowList(true);
        m_document.SelectedRow = 0;
        m_document.SelectedForm = 0;
    });
}

void QL_Core::mnu_open_Click()
{
    runSilently([this] {
        if (!mayDiscardChanges(openQuestion()))
            return;
        const FileDialogResult chosen = m_toolkit.showOpen(
            {PresetName, QStringLiteral("Open an existing language file:"), FileFilter});
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
    // The window shows the cleared lists and boxes while the loader may report a failure.
    m_copy.rows.clear();
    m_copy.formNames.clear();
    for (FileSetting cleared :
         {FileSetting::Application, FileSetting::Version, FileSetting::Author})
        m_copy.settings[std::size_t(cleared)].clear();
    renderRowList(true);
    renderFormList(true);
    renderSettings();
    txt_filetitle->clear();
    m_document.SelectedForm = 0;
    m_document.SelectedRow = 0;

    discardRecoveryCopy();
    // On failure the loader has said so; the window goes on with the tables as they are.
    const bool loaded = LoadLanguageFile(m_document, path, m_toolkit);

    showOpenedDocument(path, title);
    m_history->clear();
    setUnsavedChanges(false);
    if (loaded) {
        rememberFile(path);
        // After the event at hand, so that a file opened at start-up reads no setting first.
        QTimer::singleShot(0, this, [this, path] { reopenRememberedReference(path); });
    }
}

void QL_Core::showOpenedDocument(const QString& path, const QString& title)
{
    setCurrentFile(path, title);
    m_copy = openedWorkingCopy(m_document, 0);
    renderFormList(true);
    renderRowList(true);
    renderSettings();
}

void QL_Core::setCurrentFile(const QString& path, const QString& title)
{
    m_data->txt_filename->setText(path);
    txt_filetitle->setText(title);
}

void QL_Core::setUnsavedChanges(bool changed)
{
    m_document.UnsavedChanges = changed ? 1 : 0;
    RefreshCommandState();
    // The recovery copy follows a couple of seconds after the last change, never on every key;
    // with nothing unsaved (saved, undone back to the saved state, another file) it goes.
    if (changed)
        m_recoveryTimer->start();
    else
        discardRecoveryCopy();
}

void QL_Core::mnu_saveas_Click()
{
    runSilently([this] {
        const FileDialogResult chosen =
            m_toolkit.showSave({PresetName, QStringLiteral("Save file as ..."), FileFilter});
        if (chosen.fileName.isEmpty() || chosen.fileName == PresetName ||
            chosen.fileTitle == PresetName)
            return;
        setCurrentFile(chosen.fileName, chosen.fileTitle);
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
        CommitWorkingCopies();
        const QString path = currentPath();
        if (path.isEmpty() || path == PresetName)
            return;
        if (!SaveLanguageFile(m_document, path, m_toolkit))
            return;
        m_history->setClean();
        setUnsavedChanges(false);
        rememberFile(path);
        m_toolkit.messageBox(QStringLiteral("The languagefile has been saved."),
                             MsgStyle::Information);
    });
}

void QL_Core::mnu_exit_Click()
{
    if (!mayDiscardChanges(QStringLiteral("Changes are not saved yet.\r\n"
                                          "Are you sure that you want to exit the program?")))
        return;
    const QScopedValueRollback fromCode(m_closingFromCode, true);
    close();
}

void QL_Core::mnu_about_Click()
{
    m_toolkit.messageBox(m_values.ProgramTitle + QStringLiteral("\r\n") +
                             QStringLiteral("Version: ") + m_values.ProgramVersion +
                             QStringLiteral("\r\n") + QStringLiteral("Release date: 01-06-05\r\n") +
                             QStringLiteral("\r\n") + m_values.EnglishWebsite +
                             QStringLiteral("\r\n") + m_values.DutchWebsite +
                             QStringLiteral("\r\n"),
                         MsgStyle::Information);
}
