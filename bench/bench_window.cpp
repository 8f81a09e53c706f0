// How the real window responds (offscreen): opening a largest file, showing a form of 200 rows
// of 400 characters, a commit, a search and replace that changes all 200 rows, and its undo and
// redo; opening a largest reference beside a largest document, every check over all 24 forms,
// and an edit with the reference open. Each should take less than a frame (16 ms). Also the memory
// that 200 such steps in the edit history take, beside the memory of the 201 versions of the rows
// they must keep. And the workbench with both languages set and a memory of 100,000 units (and
// a glossary of 5,000 terms): a Ctrl+Enter and a key typed in its editor.
#include "GlossarySession.h"
#include "LanguageFile.h"
#include "MemorySession.h"
#include "ProblemList.h"
#include "QL_Core.h"
#include "QL_Edit.h"
#include "QL_Replace.h"
#include "Recovery.h"
#include "ReferenceChecks.h"
#include "ReferenceDock.h"
#include "ReferenceSession.h"
#include "Review.h"
#include "SafeFile.h"
#include "ShellBackend.h"
#include "SpellingSession.h"
#include "Toolkit.h"
#include "TranslationMemory.h"
#include "WorkbenchModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUndoStack>

#include <functional>
#include <memory>

#include <malloc.h>

#include <benchmark/benchmark.h>

namespace {

// Answers every box with OK, and hands a modal dialog to the benchmark.
class QuietToolkit : public Toolkit {
public:
    std::function<void(QDialog&)> onModal;

    FileDialogResult showOpen(const FileDialogRequest& r) override { return {r.fileName, {}}; }
    FileDialogResult showSave(const FileDialogRequest& r) override { return {r.fileName, {}}; }
    void setBusyPointer(bool) override {}
    int showModal(QDialog& dialog) override
    {
        if (onModal)
            onModal(dialog);
        return 0;
    }
    void showPopupMenu(QMenu&) override {}
    bool openInNewWindow(const QString&) override { return false; }

protected:
    MsgResult showMessageBox(const QString&, MsgStyle, const QString&) override
    {
        return MsgResult::Ok;
    }
};

class NoShell : public ShellBackend {
public:
    WindowHandle GetDesktopWindow() override { return 0; }
    std::intptr_t ShellExecuteA(WindowHandle, const std::string&, const std::string&,
                                const std::string&, const std::string&, int) override
    {
        return 42;
    }
    unsigned GetSystemDirectoryA(char*, unsigned) override { return 0; }
};

// The words of a dictionary installed for a language, of 3 to 10 plain letters: spelt right in
// that language and stored by a language file as they are.
QStringList wordsOf(const QString& language)
{
    QFile file(QStringLiteral("/usr/share/hunspell/%1.dic").arg(language));
    QStringList words;
    if (!file.open(QIODevice::ReadOnly))
        return words;
    static const QRegularExpression plain(QStringLiteral("^[a-z]{3,10}$"));
    while (!file.atEnd()) {
        const QString word = QString::fromLatin1(file.readLine()).section(u'/', 0, 0).trimmed();
        if (plain.match(word).hasMatch())
            words << word;
    }
    return words;
}

// Words of the list, as many as fit in the length.
QString textOf(const QStringList& words, QRandomGenerator& random, qsizetype length)
{
    QString text;
    for (;;) {
        const QString& word = words.at(int(random.bounded(words.size())));
        if (text.size() + 1 + word.size() > length)
            return text;
        if (!text.isEmpty())
            text += u' ';
        text += word;
    }
}

// A largest file in words of a language: every table packed to 65,535 bytes.
QStringList writeLargestInWords(const QString& path, const QStringList& words, quint32 seed)
{
    QRandomGenerator random(seed);
    LanguageDocument document;
    QStringList texts;
    for (int t = 0; t < LanguageDocument::TableCount; ++t) {
        LanguageTable& table = document.table(t);
        const int each = (int(lsf::MaxFieldBytes) - table.size()) / table.size();
        for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
            table.set(i, textOf(words, random, each));
            texts << table.at(i);
        }
    }
    writeLanguageFile(document, path);
    return texts;
}

// A memory of 100,000 English to Dutch units: two for each text of the reference, with one word
// changed, and screen texts of three to eight words. Made once and kept in the temporary folder
// (making it takes minutes).
QString largeMemory(const QStringList& referenceTexts, const QStringList& english,
                    const QStringList& dutch)
{
    const QString path =
        QDir::temp().filePath(QStringLiteral("lexicant-bench-memory-100000-1.sqlite"));
    if (QFile::exists(path))
        return path;
    QRandomGenerator random(13);
    QList<MemoryUnit> units;
    const auto unit = [&units](const QString& source, const QString& target) {
        const int i = int(units.size());
        units.append({QStringLiteral("en_US"),
                      QStringLiteral("nl_NL"),
                      source,
                      target,
                      QStringLiteral("memory%1.lsf").arg(i / 4824),
                      1 + i % 4824 / 201,
                      i % 201,
                      {}});
    };
    for (const QString& text : referenceTexts) {
        for (int copy = 0; copy < 2 && !text.isEmpty(); ++copy) {
            QStringList changed = text.split(u' ');
            changed[int(random.bounded(changed.size()))] =
                english.at(int(random.bounded(english.size())));
            unit(changed.join(u' '), textOf(dutch, random, text.size()));
        }
    }
    while (units.size() < 100000) {
        const int words = 3 + int(random.bounded(6));
        QStringList source, target;
        for (int w = 0; w < words; ++w) {
            source << english.at(int(random.bounded(english.size())));
            target << dutch.at(int(random.bounded(dutch.size())));
        }
        unit(source.join(u' '), target.join(u' '));
    }
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    {
        TranslationMemory memory;
        if (!memory.open(part).error.isEmpty() || !memory.add(units).error.isEmpty())
            return {};
    }
    return QFile::rename(part, path) ? path : QString();
}

struct Window {
    QuietToolkit toolkit;
    NoShell shell;
    QL_Core window{toolkit, shell};
    QTemporaryDir dir;
    QString largest = dir.filePath("largest.lsf");

    Window()
    {
        window.startUp();
        window.show();
        // Every table packed to 65,535 bytes.
        LanguageDocument document;
        for (int t = 0; t < LanguageDocument::TableCount; ++t) {
            LanguageTable& table = document.table(t);
            const int each = (int(lsf::MaxFieldBytes) - table.size()) / table.size();
            for (int i = table.firstIndex(); i <= table.lastIndex(); ++i)
                table.set(i, QString(each, QChar(u'a' + i % 26)));
        }
        writeLanguageFile(document, largest);
    }

    // A largest pair in words: an English reference and its Dutch translation, with the memory
    // of 100,000 units for them.
    QString english = dir.filePath("largest-en.lsf");
    QString dutch = dir.filePath("largest-nl.lsf");
    QString memory;

    // Whether the pair in words and its memory are there; says why not.
    QString makePairInWords()
    {
        if (!memory.isEmpty())
            return {};
        const QStringList englishWords = wordsOf(QStringLiteral("en_US"));
        const QStringList dutchWords = wordsOf(QStringLiteral("nl_NL"));
        if (englishWords.isEmpty() || dutchWords.isEmpty())
            return QStringLiteral("the en_US and nl_NL dictionaries are needed");
        const QStringList texts = writeLargestInWords(english, englishWords, 3);
        writeLargestInWords(dutch, dutchWords, 5);
        memory = largeMemory(texts, englishWords, dutchWords);
        if (memory.isEmpty())
            return QStringLiteral("the memory could not be made");
        // The memory opens once both languages are set, and only once.
        window.memory().setMemoryPath(memory);
        return {};
    }

    // Forms 1 and 2 hold 200 rows of 400 characters (more than a file can hold, but not more
    // than the window can be given).
    void fillTwoBigForms()
    {
        RecoveryCopy big{window.document(), {}, {}, 0, {}};
        for (int form : {1, 2})
            for (int r = 0; r < 200; ++r)
                big.document.formText(form).set(r, QString(399, u'x') + QChar(u'0' + form));
        window.session().restore(big);
    }
};

// Made on first use; gone before the application object is.
std::unique_ptr<Window> theWindow;

Window& window()
{
    if (!theWindow)
        theWindow = std::make_unique<Window>();
    return *theWindow;
}

void BM_OpenLargestFile(benchmark::State& state)
{
    for (auto _ : state) {
        window().window.openPath(window().largest);
        window().window.repaint(); // what the user sees is part of the work
    }
}

void BM_ShowFormOf200RowsOf400Characters(benchmark::State& state)
{
    window().fillTwoBigForms();
    int form = 1;
    for (auto _ : state) {
        window().window.selectForm(form);
        window().window.repaint();
        form = 3 - form;
    }
}

void BM_Commit(benchmark::State& state)
{
    window().fillTwoBigForms();
    window().window.selectForm(1);
    for (auto _ : state)
        window().window.CommitWorkingCopies();
}

void BM_ReplaceChangingAll200Rows(benchmark::State& state)
{
    window().fillTwoBigForms();
    window().window.selectForm(2);
    bool forth = true;
    window().toolkit.onModal = [&forth](QDialog& shown) {
        auto& dialog = static_cast<QL_Replace&>(shown);
        dialog.txt_zoek->setText(forth ? QStringLiteral("x2") : QStringLiteral("y2"));
        dialog.txt_vervang->setText(forth ? QStringLiteral("y2") : QStringLiteral("x2"));
        dialog.cmd_replace_Click();
    };
    for (auto _ : state) {
        window().window.mnu_text_replace_Click(); // the dialog, one replacement, and its close
        window().window.repaint();
        forth = !forth;
    }
    window().toolkit.onModal = nullptr;
}

// One Replace over form 2's 200 rows of 400 characters is on the history.
void replaceOnce(bool forth)
{
    window().toolkit.onModal = [forth](QDialog& shown) {
        auto& dialog = static_cast<QL_Replace&>(shown);
        dialog.txt_zoek->setText(forth ? QStringLiteral("x2") : QStringLiteral("y2"));
        dialog.txt_vervang->setText(forth ? QStringLiteral("y2") : QStringLiteral("x2"));
        dialog.cmd_replace_Click();
    };
    window().window.mnu_text_replace_Click();
    window().toolkit.onModal = nullptr;
}

void BM_UndoOfAReplaceOver200Rows(benchmark::State& state)
{
    window().fillTwoBigForms();
    window().window.selectForm(2);
    replaceOnce(true);
    QUndoStack& history = *window().window.history();
    for (auto _ : state) {
        history.undo();
        window().window.repaint();
        state.PauseTiming();
        history.redo();
        window().window.repaint();
        state.ResumeTiming();
    }
}

void BM_RedoOfAReplaceOver200Rows(benchmark::State& state)
{
    window().fillTwoBigForms();
    window().window.selectForm(2);
    replaceOnce(true);
    QUndoStack& history = *window().window.history();
    for (auto _ : state) {
        state.PauseTiming();
        history.undo();
        window().window.repaint();
        state.ResumeTiming();
        history.redo();
        window().window.repaint();
    }
}

// The heap in use (resident memory would not grow where freed pages are used again).
double heapMiB()
{
    const struct mallinfo2 heap = mallinfo2();
    return double(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

// The history full (200 steps of a Replace over 200 rows of 400 characters), against the floor:
// the 201 versions of those rows held in a plain list, which any history must keep.
void BM_MemoryOf200ReplaceSteps(benchmark::State& state)
{
    for (auto _ : state) {
        window().window.openPath(window().largest);
        window().fillTwoBigForms();
        window().window.selectForm(2);
        const double before = heapMiB();
        for (int step = 0; step < 200; ++step)
            replaceOnce(step % 2 == 0);
        const double history = heapMiB() - before;
        window().window.history()->clear();

        const double floorBefore = heapMiB();
        QList<QStringList> versions;
        QStringList rows;
        for (int r = 0; r < 200; ++r)
            rows << QString(399, u'x') + u'2';
        for (int version = 0; version < 201; ++version) {
            for (QString& row : rows)
                row = QString(row).replace(version % 2 ? u'y' : u'x', version % 2 ? u'x' : u'y');
            versions << rows;
        }
        const double floor = heapMiB() - floorBefore;
        state.counters["history_MiB"] = history;
        state.counters["floor_MiB"] = floor;
        state.counters["steps"] = double(window().window.history()->undoLimit());
    }
}

// The table and the counts repaint once the change is done, as the event loop goes on.
__attribute__((noinline)) void repaintAll()
{
    QCoreApplication::processEvents();
    window().window.repaint();
}

// How many times the checks ran over all forms for each user action.
void countPasses(benchmark::State& state, int before)
{
    state.counters["check_passes_per_action"] =
        double(window().window.problems().checkPasses() - before) / double(state.iterations());
}

void BM_OpenLargestReferenceBesideALargestDocument(benchmark::State& state)
{
    window().window.openPath(window().largest);
    window().window.selectForm(1);
    for (auto _ : state) {
        window().window.openReference(window().largest);
        repaintAll();
    }
    window().window.closeReference();
}

void BM_EveryCheckOverAllFormsWithTheTable(benchmark::State& state)
{
    window().window.openPath(window().largest);
    window().window.selectForm(1);
    window().window.openReference(window().largest);
    // Switching a check runs every check again over all forms, with the counts and the table.
    QAction* same = window().window.mnu_checks->actions().at(int(Check::Same));
    const int passes = window().window.problems().checkPasses();
    for (auto _ : state) {
        same->toggle();
        repaintAll();
    }
    countPasses(state, passes);
    window().window.closeReference();
}

void BM_ReplaceOver200RowsWithTheReferenceOpen(benchmark::State& state)
{
    window().window.openPath(window().largest);
    window().fillTwoBigForms();
    window().window.selectForm(2);
    window().window.openReference(window().largest);
    repaintAll();
    bool forth = true;
    const int passes = window().window.problems().checkPasses();
    for (auto _ : state) {
        replaceOnce(forth);
        repaintAll();
        forth = !forth;
    }
    countPasses(state, passes);
    window().window.closeReference();
}

// Form 1 of a largest file one row short of the limit up to which rows are edited.
void openShorterLargest(const QString& path = window().largest)
{
    window().window.openPath(path);
    RecoveryCopy shorter{window().window.document(), {}, {}, 0, {}};
    for (int row = 199; row < LanguageDocument::RowCount; ++row)
        shorter.document.formText(1).set(row, {});
    window().window.session().restore(shorter);
    window().window.selectForm(1);
}

// Save in the row dialog on a row of the largest file, with the largest reference beside it.
void BM_SaveInTheRowDialogWithTheReferenceOpen(benchmark::State& state)
{
    openShorterLargest();
    window().window.openReference(window().largest);
    window().window.lst_lang->setCurrentRow(3);
    window().window.lst_lang_Click();
    repaintAll();
    bool forth = true;
    window().toolkit.onModal = [&forth](QDialog& shown) {
        auto& dialog = static_cast<QL_Edit&>(shown);
        dialog.txt_newtxt->setText(forth ? QStringLiteral("Edited once") : QStringLiteral("Again"));
        dialog.cmd_save->click();
    };
    const int passes = window().window.problems().checkPasses();
    for (auto _ : state) {
        window().window.mnu_text_edit_Click();
        repaintAll();
        forth = !forth;
    }
    countPasses(state, passes);
    window().toolkit.onModal = nullptr;
    window().window.closeReference();
}

// The Dutch largest file in words beside the English one, its spelling checked; with memory,
// both languages set and the memory of 100,000 units open. Says why not.
QString openPairInWords(bool memory)
{
    if (const QString problem = window().makePairInWords(); !problem.isEmpty())
        return problem;
    openShorterLargest(window().dutch);
    if (const QString problem = window().window.spelling().setLanguage(QStringLiteral("nl_NL"));
        !problem.isEmpty())
        return problem;
    window().window.openReference(window().english);
    if (memory) {
        window().window.reference().setReferenceLanguage(QStringLiteral("en_US"));
        if (!window().window.memory().isUsable())
            return QStringLiteral("the memory is not open");
    }
    repaintAll();
    return {};
}

void closePairInWords()
{
    window().window.closeReference();
    window().window.spelling().setLanguage({});
}

// The memory of 100,000 units with a glossary of 5,000 terms: dictionary words spread over the
// whole list (so that about one word in eight of the pair's texts is a term), each with a Dutch
// word. Made once beside the memory.
QString memoryWithGlossary()
{
    const QString path =
        QDir::temp().filePath(QStringLiteral("lexicant-bench-memory-100000-glossary-1.sqlite"));
    if (QFile::exists(path))
        return path;
    const QStringList english = wordsOf(QStringLiteral("en_US"));
    const QStringList dutch = wordsOf(QStringLiteral("nl_NL"));
    QList<GlossaryTerm> terms;
    const qsizetype step = std::min(english.size(), dutch.size()) / 5000;
    for (qsizetype i = 0; i < 5000 && step > 0; ++i)
        terms.append({english.at(i * step), dutch.at(i * step)});
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(window().memory, part))
        return {};
    {
        TranslationMemory memory;
        if (!memory.open(part).error.isEmpty() ||
            !memory.addTerms(QStringLiteral("en_US"), QStringLiteral("nl_NL"), terms).isEmpty())
            return {};
    }
    return QFile::rename(part, path) ? path : QString();
}

// Ctrl+Enter in the table: the row stored, committed, checked, counted, and the next row to do
// shown with its editor open, its suggestions looked up; the floor (0) stores the same row with
// no reference open. 1: with the largest reference; 2: the largest pair in words with both
// languages set and a memory of 100,000 units, whose texts are like the reference's; 3: the same
// with a glossary of 5,000 terms beside the memory, checked in every row and marked in the one
// shown.
void BM_StoreAndGoToTheNextRow(benchmark::State& state)
{
    const bool withReference = state.range(0) >= 1;
    if (state.range(0) >= 2) {
        if (const QString problem = openPairInWords(true); !problem.isEmpty()) {
            state.SkipWithError(qPrintable(problem));
            return;
        }
        const QString glossary = state.range(0) == 3 ? memoryWithGlossary() : QString();
        if (state.range(0) == 3) {
            window().window.memory().moveTo(glossary);
            if (glossary.isEmpty() || !window().window.memory().open().isEmpty() ||
                !window().window.glossary().glossary()) {
                state.SkipWithError("the memory with a glossary could not be made");
                return;
            }
        }
    } else {
        openShorterLargest();
        if (withReference)
            window().window.openReference(window().largest);
    }
    repaintAll();
    bool forth = true;
    qint64 commandNs = 0, eventsNs = 0;
    for (auto _ : state) {
        const QString text = forth ? QStringLiteral("Stored once") : QStringLiteral("Again");
        QElapsedTimer command;
        command.start();
        if (withReference) {
            // Untimed: the row shown, its text typed in the editor, as the translator has it.
            state.PauseTiming();
            window().window.referenceDock()->showRow({1, 5}, true);
            window().window.referenceDock()->openEditor()->setPlainText(text);
            repaintAll();
            state.ResumeTiming();
            command.start();
            window().window.mnu_store_next->trigger();
        } else {
            window().window.storeTranslation(1, 5, text, false);
        }
        commandNs += command.nsecsElapsed();
        command.start();
        QCoreApplication::processEvents();
        eventsNs += command.nsecsElapsed();
        window().window.repaint();
        forth = !forth;
    }
    // The command; then the event loop going on, which paints what changed; the rest is the
    // whole window painted again.
    state.counters["command_ms"] = double(commandNs) / 1e6 / double(state.iterations());
    state.counters["events_ms"] = double(eventsNs) / 1e6 / double(state.iterations());
    // The suggestions shown for the row gone to.
    int suggestions = 0;
    for (int number = 1; number <= 3; ++number) {
        const QLabel* label = window().window.referenceDock()->suggestionLabel(number);
        suggestions += label && !label->isHidden() && !label->text().isEmpty();
    }
    state.counters["suggestions_shown"] = suggestions;
    const QLabel* terms = window().window.referenceDock()->termLabel();
    state.counters["terms_shown"] =
        terms->isHidden() ? 0.0 : double(terms->text().count(QStringLiteral("Alt+")));
    if (state.range(0) == 3)
        window().window.memory().moveTo(window().memory);
    closePairInWords();
}

// A key typed in the workbench's open editor, at the end of a row of the Dutch largest file in
// words: the highlighter marks the misspelt words and the characters the file cannot store, over
// the row's text. The floor (0) is the same keys in a plain editor of the same size and text;
// 2 is that editor showing spaces, tabs and line ends as marks, as the workbench's does while its
// text holds a tab or a line break.
// Keys alternate between a letter and Backspace, so the text stays as it is.
void BM_KeyInTheEditor(benchmark::State& state)
{
    if (const QString problem = openPairInWords(false); !problem.isEmpty()) {
        state.SkipWithError(qPrintable(problem));
        return;
    }
    ReferenceDock& dock = *window().window.referenceDock();
    dock.showRow({1, 5}, true);
    repaintAll();
    QPlainTextEdit* editor = dock.openEditor();
    std::unique_ptr<QPlainTextEdit> plain;
    if (state.range(0) != 1) {
        plain = std::make_unique<QPlainTextEdit>();
        if (state.range(0) == 2) { // the spaces, tabs and line ends shown as marks
            QTextOption marks = plain->document()->defaultTextOption();
            marks.setFlags(marks.flags() | QTextOption::ShowTabsAndSpaces |
                           QTextOption::ShowLineAndParagraphSeparators);
            plain->document()->setDefaultTextOption(marks);
        }
        plain->resize(editor->size());
        plain->setPlainText(editor->toPlainText());
        plain->show();
        editor = plain.get();
    }
    editor->moveCursor(QTextCursor::End);
    state.counters["characters"] = double(editor->toPlainText().size());
    bool letter = true;
    for (auto _ : state) {
        const int key = letter ? Qt::Key_E : Qt::Key_Backspace;
        const QString text = letter ? QStringLiteral("e") : QString();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(editor, &press);
        QCoreApplication::sendEvent(editor, &release);
        QCoreApplication::processEvents();
        editor->viewport()->repaint();
        letter = !letter;
    }
    plain.reset();
    dock.finishEditing(false);
    closePairInWords();
}

// The table switched between this form and all forms, showing the rows that need work.
// Opening the largest pair's translation with the largest reference open: with a review beside it
// of every row, each with a note, and without one (0, the floor).
void BM_OpenTheLargestPairWithItsReview(benchmark::State& state)
{
    if (const QString problem = openPairInWords(false); !problem.isEmpty()) {
        state.SkipWithError(qPrintable(problem));
        return;
    }
    Review review;
    const LanguageDocument& english = *window().window.reference().reference();
    const LanguageDocument& dutch = window().window.document();
    for (const int form : LanguageDocument::Forms)
        for (const int row : LanguageDocument::Rows)
            if (!dutch.formText(form).at(row).isEmpty()) {
                RowReview r = stored(nullptr, dutch.formText(form).at(row),
                                     english.formText(form).at(row), RowState::NeedsReview);
                r.note = QStringLiteral("Is this the word the application uses elsewhere?");
                review.rows.insert({form, row}, r);
            }
    const QString companion = reviewPath(window().dutch);
    if (state.range(0) == 1)
        replaceFileContents(companion, reviewBytes(review));
    for (auto _ : state) {
        window().window.openPath(window().dutch);
        window().window.selectForm(1);
        repaintAll();
    }
    state.counters["rows reviewed"] = double(window().window.session().review().rows.size());
    QFile::remove(companion);
    closePairInWords();
}

// Ctrl+Shift+Enter on the largest pair: the row marked reviewed and the next one shown; each
// second time Undo takes the mark back.
void BM_MarkReviewedOnTheLargestPair(benchmark::State& state)
{
    if (const QString problem = openPairInWords(false); !problem.isEmpty()) {
        state.SkipWithError(qPrintable(problem));
        return;
    }
    QAction* review = window().window.findChild<QAction*>(QStringLiteral("mnu_review_next"));
    window().window.referenceDock()->showRow({1, 3});
    bool forth = true;
    for (auto _ : state) {
        if (forth) {
            review->trigger();
        } else {
            window().window.session().history()->undo();
            window().window.referenceDock()->showRow({1, 3});
        }
        repaintAll();
        forth = !forth;
    }
    closePairInWords();
}

void BM_AllFormsFilteredToWhatNeedsWork(benchmark::State& state)
{
    openShorterLargest();
    window().window.openReference(window().largest);
    ReferenceDock& dock = *window().window.referenceDock();
    dock.filterBox()->setCurrentIndex(int(WorkbenchModel::Filter::NeedsWork));
    for (auto _ : state) {
        dock.scopeBox()->setCurrentIndex(1 - dock.scopeBox()->currentIndex());
        repaintAll();
    }
    dock.scopeBox()->setCurrentIndex(0);
    dock.filterBox()->setCurrentIndex(0);
    window().window.closeReference();
}

BENCHMARK(BM_OpenLargestFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowFormOf200RowsOf400Characters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Commit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceChangingAll200Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoOfAReplaceOver200Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoOfAReplaceOver200Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLargestReferenceBesideALargestDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryCheckOverAllFormsWithTheTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceOver200RowsWithTheReferenceOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveInTheRowDialogWithTheReferenceOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreAndGoToTheNextRow)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyInTheEditor)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AllFormsFilteredToWhatNeedsWork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTheLargestPairWithItsReview)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkReviewedOnTheLargestPair)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryOf200ReplaceSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings, word lists and memory of the person running it stay as they are.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
