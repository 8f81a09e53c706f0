#pragma once

#include "EditHistory.h"
#include "LanguageDocument.h"
#include "ProgramValues.h"
#include "ReferenceChecks.h"
#include "WorkingCopy.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>

class FindAllDialog;
struct FoundText;
class QAction;
class QDockWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QStatusBar;
class QTableWidget;
class QToolBar;
class QTimer;
class QUndoStack;
class RecoverySlot;
struct RecoveryCopy;
class QL_Data;
class ShellBackend;
class Toolkit;

// The main window: the settings panel, the form list and the row list, menus, toolbar and
// status bar, and the file commands. It owns the document and its working copy: the lists and
// the settings boxes show the working copy, the user's input changes it, and the commit carries
// it into the tables.
//
// It is spread over several files by concern: QL_Core.cpp (start-up, events, drop),
// WindowLayout.cpp (the controls and their places), FileCommands.cpp, RecentFiles.cpp,
// Lists.cpp (with the edit history's states), CommandState.cpp, RowCommands.cpp, CodeExport.cpp,
// RecoveryCopies.cpp and ReferenceView.cpp.
class QL_Core : public QMainWindow {
    Q_OBJECT
public:
    QL_Core(Toolkit& toolkit, ShellBackend& shell,
            const ProgramValues& values = ProgramValues::standard());
    ~QL_Core() override;

    LanguageDocument& document() { return m_document; }
    const WorkingCopy& workingCopy() const { return m_copy; }
    const ProgramValues& values() const { return m_values; }

    // Start-up, in order: program values (given), SetupMainWindow, SetToolbarTips, QL_Data,
    // New file.
    void startUp();
    void SetupMainWindow();
    void SetToolbarTips();

    // Opens a file named outside the file dialog (command line, drop) as Open file does after
    // its dialog. A path that cannot be opened gets the loader's message.
    void openPath(const QString& path);

    // Opens the first language file among dropped files, after the unsaved-changes question.
    // Returns false when none of them is a local .lsf file.
    bool dropUrls(const QList<QUrl>& urls);

    // The recently opened or saved files, newest first (at most five), and the File menu's
    // entries for them.
    QStringList recentFiles();
    void fillRecentFiles();
    void openRecentFile(const QString& path);

    // Selects form 1 to 24 in the form list, as a click on it does.
    void selectForm(int form);

    // File commands.
    void mnu_new_Click();
    void mnu_open_Click();
    void mnu_save_Click();
    void mnu_saveas_Click();
    void mnu_exit_Click();
    void mnu_about_Click();

    // Row commands, search and replace, code export and the website.
    void ExportCode();
    void mnu_text_new_Click();
    void mnu_text_edit_Click();
    void mnu_text_insert_Click();
    void mnu_text_delete_Click();
    void mnu_text_replace_Click();
    void mnu_savecode_Click();
    void mnu_website_Click();

    // The lists.
    void lst_forms_Click();
    void lst_forms_DblClick();
    void lst_lang_Click();
    void lst_lang_DblClick();
    void lst_lang_MouseDown(Qt::MouseButton button);

    // Copies the form list, the row list and the settings boxes into the tables.
    void CommitWorkingCopies();
    // Empties the document and the controls that mirror it.
    void ResetDocument();
    // Enables and disables Save and the row commands from the flag and the row count.
    void RefreshCommandState();
    // The only writers of the unsaved-changes flag (which then refreshes the commands) and of
    // the current file's path and title.
    void setUnsavedChanges(bool changed);
    void setCurrentFile(const QString& path, const QString& title);
    // Runs the command of toolbar button 1 to 9.
    void Toolbar1_ButtonClick(int index);

    // Toolbar button 1 to 9 (1 and 5 are spacers without a command).
    QAction* toolbarButton(int index) const;
    // Status bar panel 1 to 4.
    QLabel* statusPanel(int index) const;
    // The current file's full path, kept in the hidden window.
    QString currentPath() const;
    QL_Data* pathHolder() const;
    // The steps the user can undo and redo; its clean state is the one last opened or saved.
    QUndoStack* history() const { return m_history; }

    // Recovery: while the document has unsaved changes, a copy of what a save would write is
    // kept in the folder (by default the user's data folder), a couple of seconds after the
    // last change. Save, New file, Open file and a close the user agreed to remove it; the end
    // of the session or of the process leaves it.
    void setRecoveryFolder(const QString& folder);
    QString recoveryCopyPath() const;
    void writeRecoveryCopy();
    // At start-up: offers the newest copy no running window holds, once.
    void offerRecovery();
    // The session or the process ends: the window closes without asking and keeps the copy.
    void endWithoutAsking();

    // The reference: the same application's texts in the language translated from, opened
    // read-only beside the document. While one is open, a table below the lists shows the
    // selected form's rows of both with the problems of each row, and status panel 4 counts
    // them. Each document remembers its reference and opens it again with the document.
    void mnu_reference_open_Click();
    bool openReference(const QString& path);
    void closeReference();
    const LanguageDocument* reference() const { return m_reference ? &*m_reference : nullptr; }
    const QList<Problem>& problems() const { return m_problems; }
    QTableWidget* referenceTable() const { return m_referenceTable; }
    // Goes to the next (1) or previous (-1) problem in all forms, selecting its form and row.
    void goToProblem(int step);
    // Find in all forms: shows the dialog, which stays open beside the window.
    FindAllDialog* showFindAll();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class SystemEndWatch;

    void createMenus();
    void createToolbar();
    void createStatusBar();
    void createPanels();
    void describeForAssistiveTechnology();
    void placeControls();
    // True when nothing unsaved would be lost, or the user answers Yes to the question.
    bool mayDiscardChanges(const QString& question);
    void openSteps(const QString& path, const QString& title);
    // After a document came in (opened or restored): its path, and the lists and boxes as
    // opening shows them, no form selected.
    void showOpenedDocument(const QString& path, const QString& title);
    static QString openQuestion();

    // The lists and the settings boxes show the working copy. A rebuilt list has no current or
    // selected item; one updated in place keeps them where the row still exists.
    void renderFormList(bool rebuild);
    void renderRowList(bool rebuild);
    void renderSettings();
    // The row SelectedRow designates in the row list, or -1 when it designates none.
    int designatedRow() const;
    // After an edit of the rows: the list shows them and the document is marked changed.
    void rowsEdited();

    // The edit history: the state on screen, showing a state again, and recording the change
    // from a state captured before it to the state on screen now as a step (none when nothing
    // changed). Steps with the same merge id that follow each other become one.
    EditState currentState() const;
    void showState(const EditState& state);
    void recordStep(const QString& name, const EditState& before, int mergeId = -1);
    // The merge id of typing in a settings box: the same while the user goes on typing there.
    int typingMergeId(FileSetting setting) const;

    Toolkit& m_toolkit;
    ShellBackend& m_shell;
    ProgramValues m_values;
    LanguageDocument m_document;
    WorkingCopy m_copy;
    QPointer<QL_Data> m_data;
    QUndoStack* m_history = nullptr;
    int m_typingRun = 0; // counts the steps and selections that end a run of typing
    bool m_closingFromCode = false;
    bool m_systemEnding = false; // the desktop session or the system ends the program
    std::unique_ptr<RecoverySlot> m_recovery;
    QTimer* m_recoveryTimer = nullptr;
    bool m_recoveryFailureShown = false;
    void discardRecoveryCopy();
    void restoreRecoveryCopy(const RecoveryCopy& copy);

    void createReferenceMenu();
    void enableReferenceCommands(bool referenceOpen);
    void refreshReferenceView();
    // Selects the row at the list index in the row list, as a click on it does.
    void chooseRow(int row);
    void showFound(const FoundText& found);
    void reopenRememberedReference(const QString& documentPath);
    std::optional<LanguageDocument> m_reference;
    QString m_referencePath;
    CheckSet m_checks;
    QList<Problem> m_problems;
    QDockWidget* m_referenceDock = nullptr;
    QTableWidget* m_referenceTable = nullptr;
    FindAllDialog* m_findAll = nullptr;
    int m_problemPlace = -1, m_problemLanding = -1; // where Next problem went, and landed
    struct CheckedState {
        LanguageDocument document;
        WorkingCopy copy;
        int selectedForm;
        std::array<bool, CheckCount> checks;
        QString reference;
        bool operator==(const CheckedState& other) const
        {
            return selectedForm == other.selectedForm && checks == other.checks &&
                   reference == other.reference && copy == other.copy &&
                   document.sameTables(other.document);
        }
    };
    std::optional<CheckedState> m_referenceChecked; // what the table and counts show

public:
    // The controls, by their names. They are public so that tests and tools can reach them;
    // each also carries its name as objectName.
    QToolBar* Toolbar1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel *lbl_1 = nullptr, *lbl_2 = nullptr, *lbl_3 = nullptr, *lbl_4 = nullptr,
           *Label1 = nullptr;
    QLineEdit *txt_filetitle = nullptr, *txt_app = nullptr, *txt_versie = nullptr,
              *txt_naam = nullptr, *txt_rev = nullptr, *txt_date = nullptr;
    QGroupBox *Frame_4 = nullptr, *Frame_1 = nullptr;
    QListWidget *lst_forms = nullptr, *lst_lang = nullptr;
    QStatusBar* StatusBar = nullptr;
    QMenu *mnu_file = nullptr, *mnu_edit = nullptr, *mnu_extra = nullptr, *mnu_informatie = nullptr;
    QAction *mnu_undo = nullptr, *mnu_redo = nullptr, *mnu_bar_undo = nullptr;
    QMenu *mnu_reference = nullptr, *mnu_checks = nullptr;
    QAction *mnu_reference_open = nullptr, *mnu_reference_close = nullptr,
            *mnu_problem_next = nullptr, *mnu_problem_previous = nullptr, *mnu_find_all = nullptr;
    QAction *mnu_new = nullptr, *mnu_open = nullptr, *mnu_bar_1 = nullptr, *mnu_save = nullptr,
            *mnu_saveas = nullptr, *mnu_bar_2 = nullptr, *mnu_exit = nullptr;
    QAction *mnu_text_new = nullptr, *mnu_text_edit = nullptr, *mnu_text_insert = nullptr,
            *mnu_text_delete = nullptr, *mnu_text_replace = nullptr;
    QAction *mnu_savecode = nullptr, *mnu_about = nullptr, *mnu_bar_4 = nullptr,
            *mnu_website = nullptr;

private:
    void rememberFile(const QString& path);
    void recordRecentFiles();

    std::array<QAction*, 10> m_buttons{}; // 1 to 9
    QAction* m_recentBar = nullptr;
    QList<QAction*> m_recentItems;
    QStringList m_unrecordedFiles;     // opened or saved, not yet in the settings
    std::array<QLabel*, 5> m_panels{}; // 1 to 4
    QSize m_designSize;                // the central area at its designed size
};
