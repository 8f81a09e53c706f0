#include "QL_Core.h"

#include "GlossarySession.h"
#include "ListTexts.h"
#include "MemorySession.h"
#include "ProblemList.h"
#include "QL_Data.h"
#include "RecentFiles.h"
#include "RecoveryController.h"
#include "ReferenceDock.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"
#include "Toolkit.h"
#include "Twips.h"
#include "WorkbenchModel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

namespace {

bool isLanguageFile(const QUrl& url)
{
    return url.isLocalFile() &&
           url.toLocalFile().endsWith(QLatin1String(".lsf"), Qt::CaseInsensitive);
}

} // namespace

// The system ends the program by sending the application a quit event: the desktop session
// ends (the session manager's "die"), or the system shuts down. The window closes then without
// asking, since nobody is there to answer. A logout that is announced but then cancelled sends
// no quit event and leaves the window as it was.
class QL_Core::SystemEndWatch : public QObject {
public:
    explicit SystemEndWatch(QL_Core* window)
        : QObject(window)
        , m_window(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit)
            m_window->endWithoutAsking();
        return false;
    }

private:
    QL_Core* m_window;
};

QL_Core::QL_Core(Toolkit& toolkit, ShellBackend& shell, const ProgramValues& values)
    : m_toolkit(toolkit)
    , m_shell(shell)
    , m_values(values)
    , m_session(new LanguageSession(this))
    , m_recovery(new RecoveryController(*m_session, toolkit, this))
    , m_recent(new RecentFiles(this))
    , m_reference(new ReferenceSession(*m_session, this))
    , m_spelling(new SpellingSession(*m_session, this))
    , m_memory(new MemorySession(*m_session, *m_reference, *m_spelling, this))
    , m_glossary(new GlossarySession(*m_reference, *m_spelling, *m_memory, this))
    , m_problems(new ProblemList(*m_session, *m_reference, *m_spelling, *m_memory, this))
{
    connect(m_glossary, &GlossarySession::changed, this,
            [this] { m_problems->setGlossary(m_glossary->glossary()); });
    setObjectName(QStringLiteral("QL_Core"));
    setAcceptDrops(true);
    createMenus();
    createToolbar();
    createPanels();
    createStatusBar();
    m_workbench = new WorkbenchModel(*m_reference, *m_problems, *m_session, this);
    // Before the workbench's own, so that the window's place is taken before the workbench shows.
    connect(m_reference, &ReferenceSession::openedOrClosed, this, &QL_Core::placeWorkbench);
    resize(sizeHint());
    connectSession();
    qApp->installEventFilter(new SystemEndWatch(this));
}

QL_Core::~QL_Core()
{
    m_session->disconnect(this); // the session outlives the widgets it would render to
    // An editor still open stores its text as it goes: not into a window half destroyed.
    if (m_referenceDock)
        m_referenceDock->disconnect(this);
    m_workbench->disconnect(this);
    delete m_data;
}

void QL_Core::markChanged()
{
    m_session->setUnsavedChanges(true);
    RefreshCommandState();
}

// Each render follows the session's own signal, connected once here.
void QL_Core::connectSession()
{
    LanguageSession* s = m_session;
    connect(s, &LanguageSession::rowsChanged, this, [this](bool rebuilt) {
        renderRowList(rebuilt);
        RefreshCommandState();
    });
    connect(s, &LanguageSession::formNamesChanged, this, &QL_Core::renderFormList);
    connect(s, &LanguageSession::settingsChanged, this, &QL_Core::renderSettings);
    connect(s, &LanguageSession::unsavedChangesChanged, this, &QL_Core::RefreshCommandState);
    connect(s, &LanguageSession::viewMarksRestored, this, &QL_Core::showViewMarks);
    connect(s, &LanguageSession::currentFileChanged, this,
            [this](const QString& path, const QString& title) {
                if (m_data)
                    m_data->txt_filename->setText(path);
                txt_filetitle->setText(title);
            });
    connect(m_workbench, &WorkbenchModel::currentChanged, this, &QL_Core::showPlace);
    connect(m_workbench, &WorkbenchModel::countsChanged, this,
            [this] { m_panels[4]->setText(m_workbench->countsText()); });
}

// The dock costs the start-up more than any other part of the window, and shows nothing until a
// reference is opened: it is made once the window has been painted, or when it is first needed.
ReferenceDock* QL_Core::referenceDock()
{
    if (m_referenceDock)
        return m_referenceDock;
    m_referenceDock =
        new ReferenceDock(*m_reference, *m_spelling, *m_memory, *m_glossary, *m_workbench, this);
    addDockWidget(Qt::RightDockWidgetArea, m_referenceDock);
    m_referenceDock->hide();
    // The dock follows the workbench's place before the window does: connected again after it.
    disconnect(m_workbench, &WorkbenchModel::currentChanged, this, &QL_Core::showPlace);
    connect(m_workbench, &WorkbenchModel::currentChanged, this, &QL_Core::showPlace);
    connect(m_referenceDock, &ReferenceDock::textStored, this, &QL_Core::storeTranslation);
    // Alt+1 to 9 name the current row's terms; the others do nothing, and stay enabled so that
    // their keys type no digit.
    connect(m_referenceDock, &ReferenceDock::termsShown, this, [this](const QStringList& texts) {
        for (int i = 1; i <= int(mnu_terms.size()); ++i) {
            QAction* term = mnu_terms.at(i - 1);
            term->setText(
                i <= texts.size()
                    ? tr("Insert term &%1: %2")
                          .arg(i)
                          .arg(QString(texts.at(i - 1)).replace(u'&', QLatin1String("&&")))
                    : tr("Insert term &%1").arg(i));
        }
    });
    connect(m_referenceDock, &ReferenceDock::noteEdited, this,
            [this](ProblemPlace place, const QString& note) {
                m_workbench->setNote(place, note, reviewer());
            });
    // The memory learns at a save: what it suggests may be new.
    connect(m_session, &LanguageSession::saved, m_referenceDock, &ReferenceDock::forgetSuggestions);
    connect(m_referenceDock, &ReferenceDock::wordAdded, this, &QL_Core::addToDictionary);
    return m_referenceDock;
}

void QL_Core::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (!m_referenceDock)
        QTimer::singleShot(0, this, &QL_Core::referenceDock);
}

void QL_Core::renderFormList(bool rebuild)
{
    showListTexts(*lst_forms, workingCopy().formNames, rebuild);
    noteViewMarks();
}

void QL_Core::renderRowList(bool rebuild)
{
    showListTexts(*lst_lang, workingCopy().rows, rebuild);
    // The highlight never shows a row that SelectedRow does not designate.
    if (m_session->designatedRow() < 0) {
        const QSignalBlocker quiet(lst_lang);
        lst_lang->setCurrentRow(-1);
    }
    noteViewMarks();
}

void QL_Core::renderSettings()
{
    QLineEdit* const boxes[] = {txt_app, txt_versie, txt_naam, txt_rev, txt_date};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        QLineEdit& box = *boxes[i];
        const QSignalBlocker quiet(box);
        box.setText(workingCopy().settings[i]);
    }
    m_markAuthor();
}

void QL_Core::noteViewMarks()
{
    if (m_workbench && lst_lang->currentRow() >= 0)
        m_workbench->setCurrent(
            {m_session->selectedForm(), m_session->rowOf(lst_lang->currentRow())});
    m_session->setViewMarks({lst_forms->currentRow(), lst_lang->currentRow(), m_panels[2]->text(),
                             m_panels[3]->text()});
}

void QL_Core::showViewMarks(const ViewMarks& marks)
{
    const QSignalBlocker quietForms(lst_forms);
    const QSignalBlocker quietRows(lst_lang);
    lst_forms->setCurrentRow(marks.formHighlight);
    lst_lang->setCurrentRow(marks.rowHighlight);
    m_panels[2]->setText(marks.formStatus);
    m_panels[3]->setText(marks.rowStatus);
}
void QL_Core::startUp()
{
    SetupMainWindow();
    SetToolbarTips();
    m_data = new QL_Data;
    mnu_new_Click();
}

void QL_Core::startWith(const QString& file)
{
    const std::optional<int> restoredForm = m_recovery->offer();
    if (restoredForm) {
        selectForm(*restoredForm);
        m_recovery->write(); // the copy taken over now describes this window's document
        reopenRememberedReference();
    }
    if (file.isEmpty())
        return;
    if (!restoredForm)
        openPath(file);
    else if (QFileInfo(file).absoluteFilePath() != QFileInfo(currentPath()).absoluteFilePath())
        m_toolkit.openInNewWindow(file);
}

void QL_Core::SetupMainWindow()
{
    const Twips t(this);
    const int widths[5] = {0, 2000, 1500, 1500, t.toTwips(width()) - 5000};
    for (int index = 1; index <= 4; ++index)
        m_panels[std::size_t(index)]->setFixedWidth(t.px(std::max(0, widths[index])));
    const QString caption = m_values.ProgramTitle + u' ' + m_values.ProgramVersion;
    m_panels[1]->setText(caption);
    setWindowTitle(caption);
    mnu_text_replace->setVisible(false);
    // 0 hides the Extra menu; 1, or any other value, leaves it shown.
    bool isNumber = false;
    const double extra = m_values.ExtraMenuSwitch.toDouble(&isNumber);
    mnu_extra->menuAction()->setVisible(!isNumber || extra != 0);
}

QAction* QL_Core::toolbarButton(int index) const
{
    return m_buttons.at(std::size_t(index));
}

QLabel* QL_Core::statusPanel(int index) const
{
    return m_panels.at(std::size_t(index));
}

QL_Data* QL_Core::pathHolder() const
{
    return m_data;
}

QString QL_Core::currentPath() const
{
    return m_data ? m_data->txt_filename->text() : QString(); // none once the window closed
}

bool QL_Core::mayDiscardChanges(const QString& question)
{
    return !m_session->hasUnsavedChanges() ||
           m_toolkit.messageBox(question, MsgStyle::Question) != MsgResult::No;
}

bool QL_Core::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease &&
        (watched == txt_date || watched == txt_naam || watched == txt_rev)) {
        markChanged();
    } else if (type == QEvent::MouseButtonDblClick && watched == txt_filetitle) {
        m_toolkit.messageBox(tr("Filename: ") + currentPath(), MsgStyle::OkOnly);
        return true;
    } else if (type == QEvent::MouseButtonPress && lst_lang && watched == lst_lang->viewport()) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        lst_lang_MouseDown(button);
        // The right button shows the pop-up without selecting the row under the pointer.
        return button == Qt::RightButton;
    } else if (type == QEvent::Resize && watched == centralWidget()) {
        placeControls();
    }
    return QMainWindow::eventFilter(watched, event);
}

void QL_Core::closeEvent(QCloseEvent* event)
{
    // Only a close by the user through the window's frame asks; Exit has asked already and the
    // end of the desktop session or of the system does not wait for an answer.
    if (!m_closingFromCode && !m_systemEnding && m_session->hasUnsavedChanges()) {
        const MsgResult answer = m_toolkit.messageBox(
            tr("The file that is currently opened is not saved yet.\r\n"
               "If you close the program without saving all changes will be lost!\r\n"
               "\r\n"
               "Are you sure that you want to exit the program?"),
            MsgStyle::Question, tr("File is not saved yet!"));
        if (answer == MsgResult::No) {
            event->ignore();
            return;
        }
    }
    // The event comes accepted: the window closes.
    rememberWorkbench();
    if (m_systemEnding)
        m_recovery->write();
    else
        m_recovery->discard();
    delete m_data; // unloading the main window unloads the hidden one
}

void QL_Core::endWithoutAsking()
{
    const QScopedValueRollback ending(m_systemEnding, true);
    m_recovery->setEnding();
    close();
}

void QL_Core::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), isLanguageFile))
        event->acceptProposedAction();
}

void QL_Core::dropEvent(QDropEvent* event)
{
    if (dropUrls(event->mimeData()->urls()))
        event->acceptProposedAction();
}

bool QL_Core::dropUrls(const QList<QUrl>& urls)
{
    const auto file = std::find_if(urls.begin(), urls.end(), isLanguageFile);
    if (file == urls.end())
        return false;
    if (!mayDiscardChanges(openQuestion()))
        return true;
    openPath(file->toLocalFile());
    return true;
}
