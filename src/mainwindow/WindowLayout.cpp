// The main window's controls: menus, toolbar, status bar, the settings panel and the two lists,
// placed as designed in twips, with the names assistive technology speaks.
#include "QL_Core.h"

#include "ChoiceList.h"
#include "CutTextDelegate.h"
#include "ReferenceDock.h"
#include "TextMarks.h"
#include "ToolbarPictures.h"

#include "Toolkit.h"
#include "Twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QWindow>

namespace {

// The designed layout counts its tops from the window's client area, toolbar strip included;
// here the toolbar sits above the central area, so its strip comes off every top.
constexpr int ToolbarStrip = 600;
constexpr int DesignRight = 10995 + 60; // the rightmost control's edge and a margin
constexpr int DesignBottom = 7640 + 60;

struct Place {
    int left, top, width, height;
};

constexpr Place Frame1Place{60, 660, 3495, 1815};
constexpr Place Frame4Place{60, 2580, 3495, 5055};
constexpr Place FormsPlace{120, 240, 3255, 4740};
constexpr Place Frame1RowsPlace{3600, 660, 7395, 6980};
constexpr Place RowsPlace{60, 240, 7215, 6690};
// While the workbench stands beside them, the row list narrows to this width (it shows the same
// rows as the workbench's table) and the form list keeps room for a few forms.
constexpr int WorkbenchRowsWidth = 3000;
constexpr int WorkbenchFormsHeight = 1500;

// The window's size while the workbench is open, and the workbench's width, as last left.
const QString WorkbenchSizeKey = QStringLiteral("workbench/windowSize");
const QString WorkbenchWidthKey = QStringLiteral("workbench/width");

QRect inCentral(const Twips& t, const Place& p)
{
    return t.rect(p.left, p.top - ToolbarStrip, p.width, p.height);
}

QRect inFrame(const Twips& t, const Place& p)
{
    return t.rect(p.left, p.top, p.width, p.height);
}

QLabel* makeLabel(QWidget* parent, const Twips& t, const char* name, const QString& caption,
                  const Place& p)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(inFrame(t, p));
    return label;
}

QLineEdit* makeBox(QWidget* parent, const Twips& t, const char* name, const Place& p, int maxLength,
                   bool readOnly)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(inFrame(t, p));
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    if (readOnly) {
        box->setReadOnly(true);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        box->setPalette(palette);
    }
    return box;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

} // namespace

void QL_Core::createMenus()
{
    const auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    const auto item = [](QMenu* m, const char* name, const QString& caption,
                         const QKeySequence& shortcut, auto handler, QL_Core* window) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(shortcut);
        QObject::connect(a, &QAction::triggered, window,
                         [window, handler] { (window->*handler)(); });
        return a;
    };
    const auto bar = [](QMenu* m, const char* name) {
        QAction* a = m->addSeparator();
        a->setObjectName(QLatin1String(name));
        return a;
    };

    mnu_file = menu("mnu_file", tr("&File"));
    mnu_new = item(mnu_file, "mnu_new", tr("New file"), QKeySequence(Qt::CTRL | Qt::Key_N),
                   &QL_Core::mnu_new_Click, this);
    mnu_open = item(mnu_file, "mnu_open", tr("Open file"), QKeySequence(Qt::CTRL | Qt::Key_O),
                    &QL_Core::mnu_open_Click, this);
    mnu_bar_1 = bar(mnu_file, "mnu_bar_1");
    mnu_save = item(mnu_file, "mnu_save", tr("Save file"), QKeySequence(Qt::CTRL | Qt::Key_S),
                    &QL_Core::mnu_save_Click, this);
    mnu_saveas = item(mnu_file, "mnu_saveas", tr("Save file as ..."), QKeySequence(),
                      &QL_Core::mnu_saveas_Click, this);
    mnu_bar_2 = bar(mnu_file, "mnu_bar_2");
    // The recently used files go between here and Exit, read when the menu opens, which also
    // shows this separator only when there are any.
    m_recentBar = mnu_file->addSeparator();
    m_recentBar->setObjectName(QStringLiteral("mnu_bar_recent"));
    connect(mnu_file, &QMenu::aboutToShow, this, &QL_Core::fillRecentFiles);
    mnu_exit = item(mnu_file, "mnu_exit", tr("Exit"), QKeySequence(Qt::CTRL | Qt::Key_X),
                    &QL_Core::mnu_exit_Click, this);

    mnu_edit = menu("mnu_edit", tr("&Edit"));
    // Undo and Redo name the step they take back or do again; Ctrl+Z in a settings box is the
    // box's own undo, as Del and Ctrl+X are the box's there.
    QUndoStack* const steps = history();
    mnu_undo = steps->createUndoAction(this);
    mnu_undo->setObjectName(QStringLiteral("mnu_undo"));
    mnu_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnu_redo = steps->createRedoAction(this);
    mnu_redo->setObjectName(QStringLiteral("mnu_redo"));
    mnu_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnu_edit->addActions({mnu_undo, mnu_redo});
    mnu_bar_undo = bar(mnu_edit, "mnu_bar_undo");
    mnu_text_new = item(mnu_edit, "mnu_text_new", tr("New text"), QKeySequence(Qt::Key_F5),
                        &QL_Core::mnu_text_new_Click, this);
    mnu_text_edit = item(mnu_edit, "mnu_text_edit", tr("Edit text"), QKeySequence(Qt::Key_F6),
                         &QL_Core::mnu_text_edit_Click, this);
    mnu_text_insert = item(mnu_edit, "mnu_text_insert", tr("Insert text"), QKeySequence(Qt::Key_F7),
                           &QL_Core::mnu_text_insert_Click, this);
    mnu_text_delete = item(mnu_edit, "mnu_text_delete", tr("Delete text"),
                           QKeySequence(Qt::Key_Delete), &QL_Core::mnu_text_delete_Click, this);
    mnu_text_replace =
        item(mnu_edit, "mnu_text_replace", tr("Search and replace"),
             QKeySequence(Qt::CTRL | Qt::Key_F), &QL_Core::mnu_text_replace_Click, this);

    mnu_extra = menu("mnu_extra", tr("&Extra"));
    mnu_savecode = item(mnu_extra, "mnu_savecode", tr("Save as code"), QKeySequence(),
                        &QL_Core::mnu_savecode_Click, this);
    createReferenceMenu();

    mnu_informatie = menu("mnu_informatie", tr("&Information"));
    mnu_about = item(mnu_informatie, "mnu_about", tr("About"), QKeySequence(Qt::CTRL | Qt::Key_A),
                     &QL_Core::mnu_about_Click, this);
    mnu_bar_4 = bar(mnu_informatie, "mnu_bar_4");
    mnu_website = item(mnu_informatie, "mnu_website", tr("Visit our website"),
                       QKeySequence(Qt::Key_F1), &QL_Core::mnu_website_Click, this);
}

void QL_Core::createToolbar()
{
    Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    const int icon = Twips(this).px(360);
    Toolbar1->setIconSize(QSize(icon, icon));

    struct Picture {
        ToolbarPicture picture;
        const char* name; // what a screen reader says for the button
    };
    // Pictures for buttons 1 to 9; 1 and 5 are spacers.
    const Picture pictures[10] = {
        {},
        {},
        {ToolbarPicture::NewFile, "New file"},
        {ToolbarPicture::OpenFile, "Open file"},
        {ToolbarPicture::SaveFile, "Save file"},
        {},
        {ToolbarPicture::NewText, "New text"},
        {ToolbarPicture::DeleteText, "Delete text"},
        {ToolbarPicture::EditText, "Edit text"},
        {ToolbarPicture::Replace, "Search and replace"},
    };
    for (int index = 1; index <= 9; ++index) {
        QAction* button = nullptr;
        if (index == 1 || index == 5) {
            button = Toolbar1->addSeparator();
        } else {
            const Picture& p = pictures[index];
            button = Toolbar1->addAction(toolbarPicture(p.picture, icon, devicePixelRatioF()),
                                         QString::fromUtf8(p.name));
            connect(button, &QAction::triggered, this,
                    [this, index] { Toolbar1_ButtonClick(index); });
        }
        button->setObjectName(QStringLiteral("Toolbar1_%1").arg(index));
        m_buttons[std::size_t(index)] = button;
    }
}

void QL_Core::createStatusBar()
{
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(StatusBar);
    for (int index = 1; index <= 4; ++index) {
        auto* panel = new QLabel(StatusBar);
        panel->setObjectName(QStringLiteral("StatusBar_%1").arg(index));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        StatusBar->addWidget(panel, index == 4 ? 1 : 0);
        m_panels[std::size_t(index)] = panel;
    }
    m_panels[2]->setText(tr("Form:"));
    m_panels[3]->setText(tr("Row:"));
}

void QL_Core::createPanels()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    const Twips t(this);
    m_designSize = QSize(t.px(DesignRight), t.px(DesignBottom - ToolbarStrip));
    m_compactSize = QSize(t.px(Frame1RowsPlace.left + WorkbenchRowsWidth + 60),
                          t.px(Frame4Place.top - ToolbarStrip + WorkbenchFormsHeight + 60));
    central->setMinimumSize(m_designSize);
    central->installEventFilter(this);

    Frame1 = makeFrame(central, "Frame1", tr("Language file settings:"));
    Frame1->setGeometry(inCentral(t, Frame1Place));
    lbl_1 = makeLabel(Frame1, t, "lbl_1", tr("Filename:"), {240, 380, 975, 255});
    txt_filetitle = makeBox(Frame1, t, "txt_filetitle", {1200, 360, 2175, 285}, 0, true);
    lbl_2 = makeLabel(Frame1, t, "lbl_2", tr("Application:"), {240, 740, 975, 255});
    const auto& lengths = WorkingCopy::SettingLengths;
    txt_app = makeBox(Frame1, t, "txt_app", {1200, 720, 1575, 285}, lengths[0], true);
    txt_versie = makeBox(Frame1, t, "txt_versie", {2880, 720, 495, 285}, lengths[1], true);
    lbl_3 = makeLabel(Frame1, t, "lbl_3", tr("Author:"), {240, 1100, 975, 255});
    txt_naam = makeBox(Frame1, t, "txt_naam", {1200, 1080, 2175, 285}, lengths[2], false);
    lbl_4 = makeLabel(Frame1, t, "lbl_4", tr("Revision:"), {240, 1460, 975, 255});
    txt_rev = makeBox(Frame1, t, "txt_rev", {1200, 1440, 615, 285}, lengths[3], false);
    Label1 = makeLabel(Frame1, t, "Label1", tr("Date:"), {2160, 1460, 495, 255});
    txt_date = makeBox(Frame1, t, "txt_date", {2640, 1440, 735, 285}, lengths[4], false);

    Frame_4 = makeFrame(central, "Frame_4", tr("Form names: (double click to edit)"));
    lst_forms = new ChoiceList(Frame_4, false);
    lst_forms->setObjectName(QStringLiteral("lst_forms"));

    Frame_1 = makeFrame(central, "Frame_1", tr("Text in this form: (double click to edit)"));
    lst_lang = new ChoiceList(Frame_1, true);
    lst_lang->setObjectName(QStringLiteral("lst_lang"));
    lst_lang->setItemDelegate(new CutTextDelegate(lst_lang));

    // A list selects one item and keeps the order it is given. All its items are one line high,
    // which spares measuring each of 201 rows.
    for (QListWidget* list : {lst_forms, lst_lang})
        list->setUniformItemSizes(true);
    placeControls();

    describeForAssistiveTechnology();

    for (QLineEdit* box : {txt_date, txt_naam, txt_rev})
        box->installEventFilter(this);
    txt_filetitle->installEventFilter(this);
    lst_lang->viewport()->installEventFilter(this);
    // What the user types goes into the working copy as a step, which marks the document
    // changed; the boxes also do so on any key, in the event filter.
    const std::pair<QLineEdit*, FileSetting> editable[] = {{txt_naam, FileSetting::Author},
                                                           {txt_rev, FileSetting::Revision},
                                                           {txt_date, FileSetting::Date}};
    for (const auto& [box, setting] : editable) {
        connect(box, &QLineEdit::textChanged, this, [this, setting = setting](const QString& text) {
            m_session->setSetting(setting, text);
        });
    }
    // An author a language file cannot store is underlined as typed, before Save refuses it.
    m_markAuthor = underlineAsTyped(
        txt_naam, [](const QString& text) { return textMarks(text, QString(), nullptr); });

    // A form is selected when the selected item changes; a row on every click, also on the row
    // clicked last.
    connect(static_cast<ChoiceList*>(lst_forms), &ChoiceList::chosen, this,
            [this] { lst_forms_Click(); });
    connect(lst_forms, &QListWidget::itemDoubleClicked, this, [this] { lst_forms_DblClick(); });
    connect(static_cast<ChoiceList*>(lst_lang), &ChoiceList::chosen, this,
            [this] { lst_lang_Click(); });
    connect(lst_lang, &QListWidget::itemDoubleClicked, this, [this] { lst_lang_DblClick(); });
}

// Names a screen reader speaks, labels tied to their boxes, and Tab through the settings, then
// the form list, then the row list.
void QL_Core::describeForAssistiveTechnology()
{
    const std::pair<QLabel*, QLineEdit*> buddies[] = {{lbl_1, txt_filetitle},
                                                      {lbl_2, txt_app},
                                                      {lbl_3, txt_naam},
                                                      {lbl_4, txt_rev},
                                                      {Label1, txt_date}};
    for (const auto& [label, box] : buddies)
        label->setBuddy(box);
    const std::pair<QWidget*, const char*> names[] = {
        {txt_filetitle, QT_TR_NOOP("File name")}, {txt_app, QT_TR_NOOP("Application")},
        {txt_versie, QT_TR_NOOP("Version")},      {txt_naam, QT_TR_NOOP("Author")},
        {txt_rev, QT_TR_NOOP("Revision")},        {txt_date, QT_TR_NOOP("Date")},
        {lst_forms, QT_TR_NOOP("Form names")},    {lst_lang, QT_TR_NOOP("Text in this form")}};
    QWidget* previous = nullptr;
    for (const auto& [widget, name] : names) {
        widget->setAccessibleName(tr(name));
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

// The frames and lists at their designed places, the lists and their frames grown by what the
// central area has beyond its designed size (shrunk, while the workbench takes room from them).
void QL_Core::placeControls()
{
    const Twips t(this);
    const QWidget* central = centralWidget();
    const QSize room = central->size().expandedTo(central->minimumSize());
    const int dx = room.width() - m_designSize.width();
    const int dy = room.height() - m_designSize.height();
    Frame_4->setGeometry(inCentral(t, Frame4Place).adjusted(0, 0, 0, dy));
    lst_forms->setGeometry(inFrame(t, FormsPlace).adjusted(0, 0, 0, dy));
    Frame_1->setGeometry(inCentral(t, Frame1RowsPlace).adjusted(0, 0, dx, dy));
    lst_lang->setGeometry(inFrame(t, RowsPlace).adjusted(0, 0, dx, dy));
}

// A laptop's screen has no room for the workbench below the designed window: while a reference
// is open, the workbench stands beside the lists, which give up width and height to it, and the
// window takes its screen's work area, or the size it was last left at there. Closed, the window
// is as designed again, where it was.
void QL_Core::placeWorkbench(bool open)
{
    QWidget* central = centralWidget();
    if (!open) {
        if (m_beforeWorkbench.isNull())
            return;
        rememberWorkbench();
        referenceDock()->hide();
        central->setMinimumSize(m_designSize);
        layout()->activate();
        setGeometry(std::exchange(m_beforeWorkbench, QRect()));
        return;
    }
    if (!m_beforeWorkbench.isNull())
        return;
    m_beforeWorkbench = geometry();
    referenceDock()->show();
    central->setMinimumSize(m_compactSize);
    layout()->activate(); // the window's least size follows
    fitWorkbench();
}

void QL_Core::fitWorkbench()
{
    if (m_beforeWorkbench.isNull() || isMaximized() || isFullScreen())
        return;
    // The window's frame is known once the window is on the screen.
    if (isVisible() && !windowHandle()->isExposed()) {
        QTimer::singleShot(20, this, &QL_Core::fitWorkbench);
        return;
    }
    const QRect work = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const QSettings settings;
    resize(settings.value(WorkbenchSizeKey, work.size())
               .toSize()
               .boundedTo(work.size() - frame)
               .expandedTo(minimumSizeHint()));
    const QSize outer = size() + frame;
    const auto within = [](int at, int first, int room, int length) {
        return std::max(first, std::min(at, first + room - length));
    };
    move(within(x(), work.left(), work.width(), outer.width()),
         within(y(), work.top(), work.height(), outer.height()));
    resizeDocks({m_referenceDock},
                {settings.value(WorkbenchWidthKey, width() - m_compactSize.width()).toInt()},
                Qt::Horizontal);
}

void QL_Core::rememberWorkbench() const
{
    if (m_beforeWorkbench.isNull() || isMaximized() || isFullScreen())
        return;
    QSettings settings;
    settings.setValue(WorkbenchSizeKey, size());
    settings.setValue(WorkbenchWidthKey, m_referenceDock->width());
}
