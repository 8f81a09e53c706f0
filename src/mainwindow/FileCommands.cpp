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
#include <QListWidget>

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
        ResetDocument();
        fillFormList(false);
        // After the reset and the list: emptying the author box marks the document changed.
        m_document.UnsavedChanges = 0;
        RefreshCommandState();
    });
}

void QL_Core::ResetDocument()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #F1.2"), [this] {
        m_document.FormNames.clear();
        for (int t = 1; t < LanguageDocument::TableCount; ++t)
            m_document.table(t).clear();
        reach(reach(m_data).txt_filename).clear();
        reach(txt_filetitle).clear();
        reach(txt_app).clear();
        reach(txt_versie).clear();
        reach(txt_naam).clear();
        clearFormList();
        reach(lst_lang).clear();
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
    reach(lst_lang).clear();
    clearFormList();
    reach(txt_filetitle).clear();
    reach(txt_app).clear();
    reach(txt_versie).clear();
    reach(txt_naam).clear();
    m_document.SelectedForm = 0;
    m_document.SelectedRow = 0;

    // On failure the loader has said so; the window goes on with the tables as they are.
    const bool loaded = LoadLanguageFile(m_document, path, m_toolkit);

    reach(reach(m_data).txt_filename).setText(path);
    reach(txt_filetitle).setText(title);
    fillFormList(true);
    reach(txt_app).setText(m_document.setting(FileSetting::Application));
    reach(txt_versie).setText(m_document.setting(FileSetting::Version));
    reach(txt_naam).setText(m_document.setting(FileSetting::Author));
    reach(txt_rev).setText(m_document.setting(FileSetting::Revision));
    reach(txt_date).setText(m_document.setting(FileSetting::Date));
    m_document.UnsavedChanges = 0;
    RefreshCommandState();
    if (loaded)
        rememberFile(path);
}

void QL_Core::clearFormList()
{
    reach(lst_forms).clear();
}

// The 24 items of the form list: the placeholder with a trailing blank for a new document; the
// stored names, or the placeholder without it for names under 2 characters, for an opened one.
void QL_Core::fillFormList(bool opened)
{
    clearFormList();
    QListWidget& forms = reach(lst_forms);
    for (int form = 1; form <= LanguageDocument::FormCount; ++form) {
        const QString& name = m_document.FormNames.at(form);
        if (!opened)
            forms.addItem(QString::fromUtf16(NewFormPlaceholder));
        else
            forms.addItem(name.size() > 1 ? name : QString::fromUtf16(OpenedFormPlaceholder));
    }
}

void QL_Core::mnu_saveas_Click()
{
    runSilently([this] {
        const FileDialogResult chosen =
            m_toolkit.showSave({PresetName, QStringLiteral("Save file as ..."), FileFilter});
        if (chosen.fileName.isEmpty() || chosen.fileName == PresetName ||
            chosen.fileTitle == PresetName)
            return;
        reach(reach(m_data).txt_filename).setText(chosen.fileName);
        reach(txt_filetitle).setText(chosen.fileTitle);
        mnu_save_Click();
    });
}

void QL_Core::mnu_save_Click()
{
    runTrapped(m_toolkit, QStringLiteral("ERROR CODE #10.0"), [this] {
        QLineEdit& path = reach(reach(m_data).txt_filename);
        if (path.text().isEmpty()) {
            mnu_saveas_Click();
            return;
        }
        CommitWorkingCopies();
        if (path.text().isEmpty() || path.text() == PresetName)
            return;
        if (!SaveLanguageFile(m_document, path.text(), m_toolkit))
            return;
        m_document.UnsavedChanges = 0;
        RefreshCommandState();
        rememberFile(path.text());
        m_toolkit.messageBox(QStringLiteral("The languagefile has been saved."),
                             MsgStyle::Information);
    });
}

void QL_Core::mnu_exit_Click()
{
    if (!mayDiscardChanges(QStringLiteral("Changes are not saved yet.\r\n"
                                          "Are you sure that you want to exit the program?")))
        return;
    m_closingFromCode = true;
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
