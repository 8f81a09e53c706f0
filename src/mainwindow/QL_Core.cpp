#include "QL_Core.h"

#include "LanguageFile.h"
#include "QL_Data.h"
#include "Recovery.h"
#include "Toolkit.h"
#include "Twips.h"

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
{
    setObjectName(QStringLiteral("QL_Core"));
    setAcceptDrops(true);
    createMenus();
    createToolbar();
    createPanels();
    createStatusBar();
    resize(sizeHint());
    qApp->installEventFilter(new SystemEndWatch(this));
    m_recovery = std::make_unique<RecoverySlot>();
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(2000);
    connect(m_recoveryTimer, &QTimer::timeout, this, &QL_Core::writeRecoveryCopy);
}

QL_Core::~QL_Core()
{
    m_history->disconnect(this); // its destructor empties it, with the window half gone
    recordRecentFiles();
    delete m_data;
}
void QL_Core::startUp()
{
    SetupMainWindow();
    SetToolbarTips();
    m_data = new QL_Data;
    mnu_new_Click();
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
    bool isNumber = false;
    const double extra = m_values.ExtraMenuSwitch.toDouble(&isNumber);
    if (isNumber && extra == 0)
        mnu_extra->menuAction()->setVisible(false);
    else if (isNumber && extra == 1)
        mnu_extra->menuAction()->setVisible(true);
}

QAction* QL_Core::toolbarButton(int index) const
{
    return index >= 1 && index <= 9 ? m_buttons[std::size_t(index)] : nullptr;
}

QLabel* QL_Core::statusPanel(int index) const
{
    return index >= 1 && index <= 4 ? m_panels[std::size_t(index)] : nullptr;
}

QL_Data* QL_Core::pathHolder() const
{
    return m_data;
}

QString QL_Core::currentPath() const
{
    return m_data && m_data->txt_filename ? m_data->txt_filename->text() : QString();
}

bool QL_Core::mayDiscardChanges(const QString& question)
{
    return m_document.UnsavedChanges != 1 ||
           m_toolkit.messageBox(question, MsgStyle::Question) != MsgResult::No;
}

bool QL_Core::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease &&
        (watched == txt_date || watched == txt_naam || watched == txt_rev)) {
        setUnsavedChanges(true);
    } else if (type == QEvent::MouseButtonDblClick && watched == txt_filetitle) {
        m_toolkit.messageBox(QStringLiteral("Filename: ") + currentPath(), MsgStyle::OkOnly);
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
    if (!m_closingFromCode && !m_systemEnding && m_document.UnsavedChanges == 1) {
        const MsgResult answer = m_toolkit.messageBox(
            QStringLiteral("The file that is currently opened is not saved yet.\r\n"
                           "If you close the program without saving all changes will be lost!\r\n"
                           "\r\n"
                           "Are you sure that you want to exit the program?"),
            MsgStyle::Question, QStringLiteral("File is not saved yet!"));
        if (answer == MsgResult::No) {
            event->ignore();
            return;
        }
    }
    event->accept();
    if (m_systemEnding)
        writeRecoveryCopy();
    else
        discardRecoveryCopy();
    delete m_data; // unloading the main window unloads the hidden one
}

void QL_Core::endWithoutAsking()
{
    const QScopedValueRollback ending(m_systemEnding, true);
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
