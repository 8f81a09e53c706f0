#pragma once

#include "LanguageSession.h"
#include "ProgramValues.h"
#include "ReferenceChecks.h"
#include "WorkbenchModel.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class FindAllDialog;
struct FoundText;
class GlossarySession;
class MemorySession;
class ProblemList;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QStatusBar;
class QTableWidget;
class QToolBar;
class QUndoStack;
class QL_Data;
class QL_Edit;
class RecentFiles;
class RecoveryController;
class ReferenceDock;
class ReferenceSession;
class ShellBackend;
class SpellingSession;
class Toolkit;

// The main window: the settings panel, the form list and the row list, menus, toolbar and
// status bar, and the specified handlers. The document, its working copy and its history live in
// a LanguageSession; the window renders them from the session's signals and turns each command
// into a question, a dialog and one session call. The recovery copy, the recent files and the
// reference have objects of their own; the reference's table is a dock of its own.
//
// The window is spread over a few files: QL_Core.cpp (start-up, rendering, events, drop),
// WindowLayout.cpp (the controls and their places), FileCommands.cpp, Lists.cpp, CommandState.cpp,
// RowCommands.cpp, CodeExport.cpp and ReferenceMenu.cpp.
class QL_Core : public QMainWindow {
    Q_OBJECT
public:
    QL_Core(Toolkit& toolkit, ShellBackend& shell,
            const ProgramValues& values = ProgramValues::standard());
    ~QL_Core() override;

    LanguageSession& session() const { return *m_session; }
    const LanguageDocument& document() const { return m_session->document(); }
    const WorkingCopy& workingCopy() const { return m_session->workingCopy(); }
    const ProgramValues& values() const { return m_values; }
    RecoveryController& recovery() const { return *m_recovery; }
    RecentFiles& recent() const { return *m_recent; }
    ReferenceSession& reference() const { return *m_reference; }
    SpellingSession& spelling() const { return *m_spelling; }
    MemorySession& memory() const { return *m_memory; }
    GlossarySession& glossary() const { return *m_glossary; }
    ProblemList& problems() const { return *m_problems; }
    // The workbench's dock, made when first needed: once the window is on the screen, or before.
    ReferenceDock* referenceDock();
    WorkbenchModel& workbench() const { return *m_workbench; }

    // Start-up, in order: program values (given), SetupMainWindow, SetToolbarTips, QL_Data,
    // New file.
    void startUp();
    void SetupMainWindow();
    void SetToolbarTips();
    // Once the window shows: offers a recovery copy left by a window that ended unsaved, then
    // opens the file asked for (none: empty). A file other than the restored one opens in a
    // window of its own, so that neither is lost.
    void startWith(const QString& file);

    // Opens a file named outside the file dialog (command line, drop) as Open file does after
    // its dialog. A path that cannot be opened gets the loader's message.
    void openPath(const QString& path);

    // Opens the first language file among dropped files, after the unsaved-changes question.
    // Returns false when none of them is a local .lsf file.
    bool dropUrls(const QList<QUrl>& urls);

    // The File menu's entries for the recent files, and choosing one.
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
    QUndoStack* history() const { return m_session->history(); }

    // The session or the process ends: the window closes without asking and keeps the copy.
    void endWithoutAsking();

    // The reference menu: open and close a reference, go from problem to problem (1 next, -1
    // previous) through all forms, find in all forms.
    void mnu_reference_open_Click();
    bool openReference(const QString& path);
    void closeReference();
    // A new document with the reference's form names, application and version.
    void newFromReference();
    void goToProblem(WorkbenchModel::Direction direction);
    FindAllDialog* showFindAll();
    // The workbench: a text typed in the table for a row of a form, stored at that row (as one
    // step, committed as the row dialog's Save commits); with next, the table goes on to the next
    // row that needs work.
    void storeTranslation(int form, int row, const QString& text, bool next);
    // Shows a reference row of a form: the form selected, the row list's item that translates it
    // selected (none when no item does, so that the row commands aim at no other row).
    void showPlace(ProblemPlace place);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class SystemEndWatch;

    void createMenus();
    void createToolbar();
    void createStatusBar();
    void createPanels();
    void createReferenceMenu();
    void describeForAssistiveTechnology();
    void placeControls();
    // The workbench beside the lists while a reference is open, the window fitted to its screen;
    // the designed window again once it closes. Its size is remembered for the next reference.
    void placeWorkbench(bool open);
    void fitWorkbench();
    void rememberWorkbench() const;
    void connectSession();
    // A key in a settings box, or another author: the file is marked changed.
    void markChanged();
    // True when nothing unsaved would be lost, or the user answers Yes to the question.
    bool mayDiscardChanges(const QString& question);
    void openSteps(const QString& path, const QString& title);
    static QString openQuestion();
    // Asked before New file and a new translation from the reference.
    static QString newFileQuestion();

    // The lists and the settings boxes show the working copy. A rebuilt list has no current or
    // selected item; one updated in place keeps them where the row still exists.
    void renderFormList(bool rebuild);
    void renderRowList(bool rebuild);
    void renderSettings();
    void showViewMarks(const ViewMarks& marks);
    // Tells the session what the lists highlight and the status bar says.
    void noteViewMarks();
    // Selects the row at the list index in the row list, as a click on it does.
    void showFound(const FoundText& found);
    // While a reference is open, the row dialog shows the reference's text of the row.
    void showReferenceIn(QL_Edit& dialog, int row);
    // The spelling language: chosen in the menu, or the one remembered for the document.
    void sayWordListProblem();
    void chooseLanguage(const QString& language);
    // Adds the word to the personal word list of the spelling language; says why it cannot.
    void addToDictionary(const QString& word);
    void fillLanguageMenu(QMenu* menu, const QString& current);
    // Goes on to the next row to do after a place, editing it.
    void goToWork(ProblemPlace from);
    // Marks the current row reviewed and goes to the next translation not reviewed yet.
    void reviewAndGoOn();
    // Who a review and a note are by: the file's author, or the desktop's user.
    QString reviewer() const;
    // With a reference open, a commit never moves rows off their index: it asks whether the
    // reference's texts may fill the empty rows before them, or leaves those empty.
    void keepRowsInPlace();
    // Opens the translation memory once it can be used; says why it cannot, once.
    void useMemory();
    // Asks where the translation memory is, and uses it from now on.
    void chooseMemory();
    // Asks for a term, from the current row's reference and the editor's selection, and adds it
    // to the glossary.
    void addTerm();
    // Once the event at hand is done: the reference remembered for the document's file.
    void reopenRememberedReference();

    Toolkit& m_toolkit;
    ShellBackend& m_shell;
    ProgramValues m_values;
    LanguageSession* m_session = nullptr;
    RecoveryController* m_recovery = nullptr;
    RecentFiles* m_recent = nullptr;
    ReferenceSession* m_reference = nullptr;
    SpellingSession* m_spelling = nullptr;
    MemorySession* m_memory = nullptr;
    GlossarySession* m_glossary = nullptr;
    ProblemList* m_problems = nullptr;
    ReferenceDock* m_referenceDock = nullptr;
    WorkbenchModel* m_workbench = nullptr;
    FindAllDialog* m_findAll = nullptr;
    QPointer<QL_Data> m_data;
    bool m_closingFromCode = false;
    bool m_systemEnding = false; // the desktop session or the system ends the program
    QString m_saidMissing;       // what the translation memory lacks, as the workbench said it

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
    QMenu *mnu_reference = nullptr, *mnu_checks = nullptr, *mnu_language = nullptr,
          *mnu_reference_language = nullptr;
    QAction *mnu_copy_shortcut = nullptr, *mnu_new_from_reference = nullptr;
    QList<QAction*> mnu_terms; // Insert term 1 to 9
    QAction *mnu_copy_reference = nullptr, *mnu_store_next = nullptr, *mnu_pretranslate = nullptr;
    QAction *mnu_review_next = nullptr, *mnu_accept_problems = nullptr;
    QAction *mnu_reference_open = nullptr, *mnu_reference_close = nullptr,
            *mnu_problem_next = nullptr, *mnu_problem_previous = nullptr, *mnu_find_all = nullptr;
    QAction *mnu_new = nullptr, *mnu_open = nullptr, *mnu_bar_1 = nullptr, *mnu_save = nullptr,
            *mnu_saveas = nullptr, *mnu_bar_2 = nullptr, *mnu_exit = nullptr;
    QAction *mnu_text_new = nullptr, *mnu_text_edit = nullptr, *mnu_text_insert = nullptr,
            *mnu_text_delete = nullptr, *mnu_text_replace = nullptr;
    QAction *mnu_savecode = nullptr, *mnu_about = nullptr, *mnu_bar_4 = nullptr,
            *mnu_website = nullptr;

private:
    std::array<QAction*, 10> m_buttons{}; // 1 to 9
    QAction* m_recentBar = nullptr;
    QList<QAction*> m_recentItems;
    std::array<QLabel*, 5> m_panels{};  // 1 to 4
    QSize m_designSize;                 // the central area at its designed size
    QSize m_compactSize;                // and its least while the workbench is beside it
    std::function<void()> m_markAuthor; // underlines what the author box holds
    QRect m_beforeWorkbench;            // the window before the workbench opened; null when closed
};
