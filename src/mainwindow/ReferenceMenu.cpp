// The Reference menu: opening and closing the reference, going from problem to problem, the
// checks, and find in all forms.
#include "QL_Core.h"

#include "Dictionaries.h"
#include "FindAllDialog.h"
#include "GlossarySession.h"
#include "LanguageFile.h"
#include "MemorySession.h"
#include "ProblemList.h"
#include "ReferenceDock.h"
#include "ReferenceSession.h"
#include "ScreenText.h"
#include "SpellingSession.h"
#include "TermDialog.h"
#include "TextRules.h"
#include "Toolkit.h"
#include "TranslationMemory.h"
#include "WorkbenchModel.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

// Where the translation memory is: a file, or a server's address (never with its password).
const QString MemoryPlaceKey = QStringLiteral("memory/place");

} // namespace

void QL_Core::createReferenceMenu()
{
    mnu_reference = menuBar()->addMenu(tr("&Reference"));
    mnu_reference->setObjectName(QStringLiteral("mnu_reference"));
    const auto item = [this](const char* name, const QString& caption, const QKeySequence& keys,
                             auto handler) {
        QAction* a = mnu_reference->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    mnu_reference_open = item("mnu_reference_open", tr("&Open reference ..."),
                              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                              [this] { mnu_reference_open_Click(); });
    mnu_reference_close = item("mnu_reference_close", tr("&Close reference"), QKeySequence(),
                               [this] { closeReference(); });
    mnu_reference->addSeparator();
    mnu_problem_next = item("mnu_problem_next", tr("&Next problem"), QKeySequence(Qt::Key_F8),
                            [this] { goToProblem(WorkbenchModel::Direction::Forward); });
    mnu_problem_previous =
        item("mnu_problem_previous", tr("&Previous problem"), QKeySequence(Qt::SHIFT | Qt::Key_F8),
             [this] { goToProblem(WorkbenchModel::Direction::Back); });
    mnu_store_next = item("mnu_store_next", tr("S&tore and go to the next row"),
                          QKeySequence(Qt::CTRL | Qt::Key_Return), [this] {
                              if (!referenceDock()->finishEditing(true))
                                  goToWork(m_workbench->current());
                          });
    mnu_review_next =
        item("mnu_review_next", tr("Mark re&viewed and go to the next"),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return), [this] { reviewAndGoOn(); });
    mnu_accept_problems = item("mnu_accept_problems", tr("Acce&pt the problems of this row"),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), [this] {
                                   referenceDock()->finishEditing(false);
                                   m_workbench->acceptProblems(m_workbench->current());
                               });
    mnu_copy_reference =
        item("mnu_copy_reference", tr("Copy reference te&xt"), QKeySequence(Qt::CTRL | Qt::Key_B),
             [this] { referenceDock()->copyReferenceText(); });
    mnu_copy_shortcut = item("mnu_copy_shortcut", tr("Copy reference s&hortcut"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B),
                             [this] { referenceDock()->copyReferenceShortcut(); });
    mnu_reference->addSeparator();
    mnu_new_from_reference =
        item("mnu_new_from_reference", tr("Ne&w translation from this reference"), QKeySequence(),
             [this] { newFromReference(); });
    mnu_find_all = item("mnu_find_all", tr("&Find in all forms ..."),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), [this] { showFindAll(); });
    mnu_reference->addSeparator();
    mnu_checks = mnu_reference->addMenu(tr("Chec&ks"));
    mnu_checks->setObjectName(QStringLiteral("mnu_checks"));
    for (const int c : AllChecks) {
        // "&" in a description is a character, not the item's access key.
        QAction* check =
            mnu_checks->addAction(checkDescription(Check(c)).replace(u'&', QLatin1String("&&")));
        check->setObjectName(QStringLiteral("mnu_check_") + checkName(Check(c)));
        check->setCheckable(true);
        check->setChecked(true);
        connect(check, &QAction::toggled, this,
                [this, c](bool on) { m_problems->setCheck(Check(c), on); });
    }
    mnu_language = mnu_reference->addMenu(tr("Spe&lling language"));
    mnu_language->setObjectName(QStringLiteral("mnu_language"));
    connect(mnu_language, &QMenu::aboutToShow, this,
            [this] { fillLanguageMenu(mnu_language, m_spelling->language()); });
    QAction* capitals =
        item("mnu_spelling_capitals", tr("Spell na&mes and codes too (EGID, PackageKit)"),
             QKeySequence(), [] {});
    capitals->setCheckable(true);
    capitals->setChecked(m_spelling->checksCapitals());
    connect(capitals, &QAction::toggled, m_spelling, &SpellingSession::setChecksCapitals);
    mnu_reference_language = mnu_reference->addMenu(tr("Lan&guage of the reference"));
    mnu_reference_language->setObjectName(QStringLiteral("mnu_reference_language"));
    connect(mnu_reference_language, &QMenu::aboutToShow, this,
            [this] { fillLanguageMenu(mnu_reference_language, m_reference->referenceLanguage()); });
    QMenu* length = mnu_reference->addMenu(tr("Longest tr&anslation"));
    length->setObjectName(QStringLiteral("mnu_length"));
    auto* lengths = new QActionGroup(length);
    for (const double factor : {1.5, 2.0, 3.0}) {
        QAction* a = length->addAction(
            tr("%1 times the reference and 10 characters").arg(QLocale().toString(factor)));
        a->setCheckable(true);
        a->setChecked(factor == m_problems->checks().lengthFactor);
        lengths->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, factor] { m_problems->setLengthFactor(factor); });
    }
    // The translation memory, while both languages are set.
    mnu_reference->addSeparator();
    mnu_pretranslate = item("mnu_pretranslate", tr("Pre-translat&e"), QKeySequence(), [this] {
        const Pretranslation found = m_memory->pretranslation();
        if (found.texts.isEmpty())
            referenceDock()->sayForNow(tr("Nothing to pre-translate."));
        // A translation the memory gave asks for a look at it here.
        QMap<RowKey, RowReview> reviews;
        for (const PlacedText& t : found.texts) {
            reviews.insert({t.form, t.row},
                           stored(m_session->review().find({t.form, t.row}), t.text,
                                  m_reference->reference()->formText(t.form).at(t.row),
                                  RowState::NeedsReview));
        }
        m_session->fillRows(tr("Pre-translate"), found.texts, reviews);
        QStringList refused;
        for (const auto& [text, why] : found.refused)
            refused
                << tr("Form %1, row %2: the translation %3").arg(text.form).arg(text.row).arg(why);
        if (!refused.isEmpty())
            m_toolkit.messageBox(tr("These rows were left empty, since a language file cannot "
                                    "hold the memory's translation:") +
                                     QStringLiteral("\r\n") + refused.join(QStringLiteral("\r\n")),
                                 MsgStyle::Exclamation);
    });
    QList<QAction*> needsReference = {
        mnu_reference_close,    mnu_problem_next,    mnu_problem_previous, mnu_store_next,
        mnu_review_next,        mnu_accept_problems, mnu_copy_reference,   mnu_copy_shortcut,
        mnu_new_from_reference, mnu_pretranslate};
    for (int i = 1; i <= 3; ++i) {
        needsReference << item(qPrintable(QStringLiteral("mnu_suggestion_%1").arg(i)),
                               tr("Take suggestion &%1").arg(i),
                               QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + i)),
                               [this, i] { referenceDock()->takeSuggestion(i); });
    }
    // The glossary: the current row's terms typed by their number, and a term added.
    QMenu* glossary = mnu_reference->addMenu(tr("Glossar&y"));
    glossary->setObjectName(QStringLiteral("mnu_glossary"));
    for (int i = 1; i <= ReferenceDock::TermKeys; ++i) {
        QAction* term = glossary->addAction(tr("Insert term &%1").arg(i));
        term->setObjectName(QStringLiteral("mnu_term_%1").arg(i));
        mnu_terms << term;
        // Alt, not Ctrl+Alt: that is AltGr on Windows, which types "{", "[" and "]".
        term->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + i)));
        connect(term, &QAction::triggered, this, [this, i] { referenceDock()->insertTerm(i); });
    }
    glossary->addSeparator();
    QAction* addTerm = glossary->addAction(tr("&Add term ..."));
    addTerm->setObjectName(QStringLiteral("mnu_term_add"));
    addTerm->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    connect(addTerm, &QAction::triggered, this, &QL_Core::addTerm);
    needsReference << addTerm;
    item("mnu_memory_place", tr("Translation memo&ry ..."), QKeySequence(),
         [this] { chooseMemory(); });
    connect(m_memory, &MemorySession::memoryProblem, this, [this](const QString& problem) {
        m_toolkit.messageBox(problem, MsgStyle::Exclamation);
    });
    // The memory's server gone or back: said in the workbench, its suggestions looked up again.
    connect(m_memory, &MemorySession::serverNotice, this,
            [this](const QString& notice, bool lasting) {
                referenceDock()->say(lasting ? notice : QString());
                if (!lasting)
                    referenceDock()->sayForNow(notice);
                referenceDock()->forgetSuggestions();
            });
    m_memory->setMemoryPath(QSettings().value(MemoryPlaceKey).toString());
    // The memory opens once a reference and both languages are there.
    connect(m_reference, &ReferenceSession::openedOrClosed, this, &QL_Core::useMemory);
    connect(m_reference, &ReferenceSession::referenceLanguageChanged, this, &QL_Core::useMemory);
    connect(m_spelling, &SpellingSession::languageChanged, this, &QL_Core::useMemory);
    const auto enable = [needsReference](bool open) {
        for (QAction* action : needsReference)
            action->setEnabled(open);
    };
    enable(false);
    connect(m_reference, &ReferenceSession::openedOrClosed, this, enable);
}

void QL_Core::useMemory()
{
    if (const QString problem = m_memory->open(); !problem.isEmpty())
        m_toolkit.messageBox(problem, MsgStyle::Exclamation);
    // A language the memory lacks is said once in the workbench, after the reference opened
    // (which clears what the workbench says), and no longer once it is set.
    QTimer::singleShot(0, this, [this] {
        const QString missing = m_memory->missing();
        if (missing != std::exchange(m_saidMissing, missing))
            referenceDock()->say(missing);
    });
}

void QL_Core::addTerm()
{
    if (!m_memory->isUsable()) {
        const QString missing = m_memory->missing();
        m_toolkit.messageBox(missing.isEmpty() ? tr("The translation memory cannot be opened.")
                                               : missing,
                             MsgStyle::Exclamation);
        return;
    }
    // The current row's reference as the term to cut down (without its access key and closing
    // marks), and what is selected in the editor as its translation.
    const ProblemPlace place = m_workbench->current();
    QString reference =
        place.form > 0 && place.row >= 0
            ? withoutAccessKeys(m_reference->reference()->formText(place.form).at(place.row))
            : QString();
    static const QRegularExpression closing(QStringLiteral("[\\s.:…!?]+$"));
    reference.remove(closing);
    // The dialog takes the keyboard from an open editor, which stores its text as it would for
    // any step away; it is opened again as it was, text and selection, when the step is done.
    const std::optional<ReferenceDock::EditorState> editing = referenceDock()->editorState();
    const auto resume = qScopeGuard([&] {
        if (editing)
            referenceDock()->restoreEditor(*editing);
    });
    TermDialog dialog(reference.trimmed(), editing ? editing->selected() : QString(), this);
    if (m_toolkit.showModal(dialog) != QDialog::Accepted)
        return;
    GlossaryTerm term = dialog.term();
    // A term of the same source (in any case) is changed by it: only when the person says so.
    const auto said = [this](const GlossaryTerm& t) {
        return t.doNotTranslate ? tr("kept as written") : QStringLiteral("\"%1\"").arg(t.target);
    };
    const QList<GlossaryTerm> terms =
        m_glossary->glossary() ? m_glossary->glossary()->terms() : QList<GlossaryTerm>();
    const auto known = std::ranges::find_if(terms, [&](const GlossaryTerm& t) {
        return t.source.compare(term.source, Qt::CaseInsensitive) == 0;
    });
    if (known != terms.end() && *known != term) {
        if (m_toolkit.messageBox(tr("\"%1\" is %2 in the glossary. Make it %3?")
                                     .arg(known->source, said(*known), said(term)),
                                 MsgStyle::Question) != MsgResult::Yes)
            return;
        // A change without a note of its own keeps the one the term had.
        if (term.note.isEmpty())
            term.note = known->note;
    }
    if (const QString problem = m_glossary->addTerm(term); !problem.isEmpty())
        m_toolkit.messageBox(tr("The term cannot be added: %1.").arg(problem),
                             MsgStyle::Exclamation);
    else
        referenceDock()->sayForNow(tr("\"%1\" is in the glossary.").arg(term.source));
}

void QL_Core::chooseMemory()
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(tr("Translation memory"));
    dialog.setLabelText(tr("The translation memory: a file, or the address of a PostgreSQL "
                           "server a team shares (postgresql://host/database). Empty for your "
                           "own, %1.")
                            .arg(QDir::toNativeSeparators(TranslationMemory::defaultPath())));
    dialog.setTextValue(QSettings().value(MemoryPlaceKey).toString());
    dialog.resize(dialog.fontMetrics().averageCharWidth() * 80, dialog.sizeHint().height());
    // Asked again, with the address as typed, until it holds no password.
    QString where;
    for (;;) {
        if (m_toolkit.showModal(dialog) != QDialog::Accepted)
            return;
        where = dialog.textValue().trimmed();
        const QUrl address(where);
        if (!isServerAddress(where) ||
            (address.password().isEmpty() &&
             !QUrlQuery(address).hasQueryItem(QStringLiteral("password"))))
            break;
        m_toolkit.messageBox(tr("Lexicant keeps no passwords: write the address without it, and "
                                "the password in ~/.pgpass, PGPASSWORD or a service file."),
                             MsgStyle::Exclamation);
    }
    QSettings().setValue(MemoryPlaceKey, where);
    m_memory->moveTo(where);
    referenceDock()->say({});
    referenceDock()->forgetSuggestions();
    useMemory();
}

void QL_Core::mnu_reference_open_Click()
{
    // A reference usually lies beside the file it is the reference of.
    const QString start = m_session->path().isEmpty()
                              ? QStringLiteral(".lsf")
                              : QFileInfo(m_session->path()).dir().filePath(QStringLiteral(".lsf"));
    const FileDialogResult chosen = m_toolkit.showOpen(
        {start, tr("Open a reference language file:"), tr("*.LSF format|*.lsf")});
    if (CanOpenFile(chosen.fileName))
        openReference(chosen.fileName);
}

bool QL_Core::openReference(const QString& path)
{
    referenceDock(); // there to show the reference as it opens
    const QString problem = m_reference->open(path);
    if (!problem.isEmpty())
        m_toolkit.messageBox(tr("The reference %1 cannot be read: %2.").arg(path, problem),
                             MsgStyle::Exclamation);
    return problem.isEmpty();
}

void QL_Core::newFromReference()
{
    if (!mayDiscardChanges(newFileQuestion()))
        return;
    ResetDocument();
    m_session->newDocumentFrom(*m_reference->reference());
}

void QL_Core::closeReference()
{
    m_reference->close();
}

void QL_Core::reopenRememberedReference()
{
    // After the event at hand, so that a file opened at start-up reads no setting first.
    QTimer::singleShot(0, this, [this, path = currentPath()] {
        if (path != currentPath())
            return; // another file came in meanwhile
        const QString remembered = m_reference->rememberedFor(path);
        if (!remembered.isEmpty())
            openReference(remembered);
        const QString language = m_spelling->rememberedLanguageFor(path);
        if (language != m_spelling->language() && !m_spelling->setLanguage(language).isEmpty())
            referenceDock()->say(
                tr("No dictionary for %1: the spelling is not checked.").arg(language));
        else
            sayWordListProblem();
    });
}

void QL_Core::fillLanguageMenu(QMenu* menu, const QString& current)
{
    menu->clear();
    auto* choices = new QActionGroup(menu);
    const QMap<QString, QString> installed = installedDictionaries();
    const QStringList languages = QStringList{QString()} + installed.keys();
    for (const QString& language : languages) {
        QAction* a = menu->addAction(language.isEmpty() ? tr("None") : language);
        a->setObjectName(menu->objectName() + u'_' + language);
        a->setCheckable(true);
        a->setChecked(language == current);
        choices->addAction(a);
        connect(a, &QAction::triggered, this, [this, menu, language] {
            if (menu == mnu_language)
                chooseLanguage(language);
            else
                m_reference->setReferenceLanguage(language);
        });
    }
}

void QL_Core::chooseLanguage(const QString& language)
{
    const QString problem = m_spelling->setLanguage(language);
    if (!problem.isEmpty())
        m_toolkit.messageBox(tr("The spelling cannot be checked in %1: %2.").arg(language, problem),
                             MsgStyle::Exclamation);
    else
        sayWordListProblem();
}

void QL_Core::sayWordListProblem()
{
    if (const HunspellSpeller* speller = m_spelling->speller();
        speller && !speller->wordListProblem().isEmpty())
        referenceDock()->say(
            tr("Your own words are not used: %1.").arg(speller->wordListProblem()));
}

void QL_Core::addToDictionary(const QString& word)
{
    const QString problem = m_spelling->addWord(word);
    if (!problem.isEmpty())
        m_toolkit.messageBox(tr("The word %1 cannot be added to the dictionary %2: %3.")
                                 .arg(word, personalWordList(m_spelling->language()), problem),
                             MsgStyle::Exclamation);
}

void QL_Core::showPlace(ProblemPlace place)
{
    const auto [form, row] = place;
    // The table shows the selected form alone: a place in another form selects it, as a click
    // on it does. With all forms shown, the form stays, and so does what its list holds. A row
    // the list does not hold (an empty one) leaves no row highlighted there.
    if (form != m_session->selectedForm() && !m_workbench->allForms())
        selectForm(form);
    if (row < 0 || form != m_session->selectedForm())
        return;
    // The item the list shows the row as, if any: the form may have fewer rows.
    if (const int item = m_session->itemOf(row); item >= 0) {
        if (lst_lang->currentRow() != item) {
            lst_lang->setCurrentRow(item); // which also scrolls the list to it
            lst_lang_Click();
        }
        return;
    }
    const QSignalBlocker quiet(lst_lang);
    lst_lang->setCurrentRow(-1);
    m_panels[3]->setText(tr("Row:"));
    m_session->selectRow(-1);
    noteViewMarks();
}

void QL_Core::goToProblem(WorkbenchModel::Direction direction)
{
    const std::optional<ProblemPlace> found =
        m_workbench->nextToDo(m_workbench->current(), direction);
    if (!found) {
        referenceDock()->sayForNow(tr("Nothing left to translate."));
        return;
    }
    // The keyboard on the row gone to, so that typing starts its translation.
    referenceDock()->showRow(*found);
    referenceDock()->table()->setFocus();
}

// Who is logged in to the desktop: the name the session gives, else the account's.
static QString desktopUser()
{
    for (const char* name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString user = qEnvironmentVariable(name);
        if (!user.isEmpty())
            return user;
    }
#ifdef Q_OS_UNIX
    if (const passwd* account = getpwuid(getuid()))
        return QString::fromLocal8Bit(account->pw_name);
#endif
    return {};
}

QString QL_Core::reviewer() const
{
    const QString author = m_session->workingCopy().settings[std::size_t(FileSetting::Author)];
    return author.isEmpty() ? desktopUser() : author;
}

void QL_Core::reviewAndGoOn()
{
    // The text being typed is stored first, and what is reviewed is what is stored.
    referenceDock()->finishEditing(false);
    const ProblemPlace here = m_workbench->current();
    m_workbench->markReviewed(here, reviewer());
    const std::optional<ProblemPlace> next = m_workbench->nextNotReviewed(here);
    if (!next) {
        referenceDock()->sayForNow(tr("Nothing left to review."));
        referenceDock()->table()->setFocus();
        return;
    }
    referenceDock()->showRow(*next);
    referenceDock()->table()->setFocus();
}

void QL_Core::goToWork(ProblemPlace from)
{
    const std::optional<ProblemPlace> next =
        m_workbench->nextToDo(from, WorkbenchModel::Direction::Forward);
    if (!next) {
        referenceDock()->sayForNow(tr("Nothing left to translate."));
        // The stored row may have left the rows shown, and its editor with it: the keyboard
        // stays in the table, so that Ctrl+Z and typing act on its current row.
        referenceDock()->table()->setFocus();
        return;
    }
    referenceDock()->showRow(*next, true);
}

void QL_Core::storeTranslation(int form, int row, const QString& text, bool next)
{
    using Kind = StoreOutcome::Kind;
    const ProblemPlace place{form, row};
    const RowState state = referenceDock()->stateOfStored(place, text);
    StoreOutcome outcome = m_workbench->store(place, text, false, state);
    if (outcome.kind == Kind::NeedsFill) {
        if (m_toolkit.messageBox(outcome.message, MsgStyle::Question) != MsgResult::Yes) {
            referenceDock()->editRow(place, text);
            return;
        }
        outcome = m_workbench->store(place, text, true, state);
    }
    // What refuses the text gives it back in the editor on its row, to change or to cancel.
    if (outcome.kind == Kind::Refused) {
        m_toolkit.messageBox(outcome.message, MsgStyle::Exclamation);
        referenceDock()->editRow(place, text);
        return;
    }
    if (next)
        goToWork(place);
}

void QL_Core::keepRowsInPlace()
{
    if (m_reference->isOpen() && !m_workbench->rowsMovedAtCommit().isEmpty())
        m_workbench->keepRowsOfSelectedForm(
            m_toolkit.messageBox(m_workbench->commitQuestion(), MsgStyle::Question) ==
            MsgResult::Yes);
}

FindAllDialog* QL_Core::showFindAll()
{
    if (!m_findAll) {
        m_findAll =
            new FindAllDialog(this, [this](const QString& needle, Qt::CaseSensitivity sensitivity) {
                return findInAllForms(document(), workingCopy(), m_session->selectedForm(),
                                      m_reference->reference(), needle, sensitivity);
            });
        connect(m_findAll, &FindAllDialog::chosen, this, &QL_Core::showFound);
        // The results follow the document and the reference, as the reference table does.
        for (auto signal : {&LanguageSession::contentsChanged, &LanguageSession::documentReplaced})
            connect(m_session, signal, m_findAll, &FindAllDialog::searchAgain);
        connect(m_reference, &ReferenceSession::openedOrClosed, m_findAll,
                &FindAllDialog::searchAgain);
    }
    m_findAll->show();
    m_findAll->raise();
    return m_findAll;
}

void QL_Core::showFound(const FoundText& found)
{
    if (found.kind == FoundText::Kind::Setting) {
        QLineEdit* const boxes[] = {txt_app, txt_versie, txt_naam, txt_rev, txt_date};
        boxes[found.row]->setFocus();
        return;
    }
    if (found.kind != FoundText::Kind::Row) {
        if (found.form != m_session->selectedForm())
            selectForm(found.form);
        return;
    }
    // The keyboard goes with the row found, out of the dialog, so that typing translates it.
    activateWindow();
    referenceDock()->showRow({found.form, found.row}, true);
}
