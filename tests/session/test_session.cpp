// The session without a window: every edit as one step, undone and redone to the same state and
// bytes; the flag following the history; the recovery copy, the recent files and the reference.
#include "Faults.h"
#include "LanguageFormat.h"
#include "LanguageSession.h"
#include "LsfBytes.h"
#include "PostgresServer.h"
#include "RecentFiles.h"
#include "Recovery.h"
#include "RecoveryController.h"
#include "ReferenceChecks.h"
#include "ReferenceParts.h"
#include "ScriptedToolkit.h"
#include "TempFiles.h"
#include "TranslationMemory.h"
#include "WorkbenchModel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QSettings>
#include <QUndoStack>

#include <sys/stat.h>

#include <functional>

class SessionTest : public ::testing::Test, public TempFiles {
protected:
    ScriptedToolkit toolkit;
    LanguageSession session;

    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder());
        QList<QByteArray> fields = {packed({"Main", "Second"}),
                                    packed({"One row", "Two row", "Three row"}),
                                    packed({"Other form"})};
        for (int f = 3; f <= 24; ++f)
            fields << emptyEntries(201);
        file = write("s.lsf", lsfFile(1, fields << packed({"App", "1.0", "Ann", "2", "01"})));
        reopen();
    }
    void reopen()
    {
        session.reset(); // a load keeps what the file does not hold
        ASSERT_TRUE(session.open(file, "s.lsf", toolkit));
        session.selectForm(1);
        session.selectRow(1);
    }

    // What the window would show, and whether anything is unsaved.
    QString seen() const
    {
        const WorkingCopy& c = session.workingCopy();
        return QStringList({c.formNames.mid(0, 2).join('|'), c.rows.join('|'),
                            QStringList(c.settings.begin(), c.settings.end()).join('|'),
                            QString("form %1 row %2")
                                .arg(session.selectedForm())
                                .arg(session.selectedRow()),
                            session.hasUnsavedChanges() ? "unsaved" : "saved"})
            .join('\n');
    }
    QByteArray bytes() const { return lsf::packFile(session.committed()).bytes; }

    QString file;
};

TEST_F(SessionTest, EveryEditIsOneStepUndoneAndRedoneToTheSameStateAndBytes)
{
    const struct {
        const char* step;
        int steps;
        std::function<void(LanguageSession&)> edit;
    } cases[] = {
        {"New text", 1, [](LanguageSession& s) { s.appendRow("Four row"); }},
        {"Edit text", 1, [](LanguageSession& s) { s.replaceRow(1, "Two, edited"); }},
        {"Insert text", 1, [](LanguageSession& s) { s.insertRow(1); }},
        {"Delete text", 1, [](LanguageSession& s) { s.deleteRow(1); }},
        {"Replace", 2,
         [](LanguageSession& s) {
             EXPECT_EQ(s.replaceInRows("row", "line"), 3);
             EXPECT_EQ(s.replaceInRows("nothing", "x"), 0);
             s.replaceInRows("line", "lines");
         }},
        {"Edit form", 1, [](LanguageSession& s) { s.renameForm(1, "Renamed"); }},
        {"Typing in Author", 1,
         [](LanguageSession& s) {
             s.setSetting(FileSetting::Author, "Anne");
             s.setSetting(FileSetting::Author, "Annet");
         }},
        {"Typing in Date", 3,
         [](LanguageSession& s) {
             s.setSetting(FileSetting::Date, "0");
             s.setSetting(FileSetting::Revision, "29");
             s.setSetting(FileSetting::Date, "07");
         }},
        {"Store", 1,
         [](LanguageSession& s) {
             // Rows of one character end the form.
             s.storeRows("Store", {"Een", "Tw", "x", ""}, {0});
             EXPECT_EQ(s.workingCopy().rows, QStringList({"Een", "Tw"}));
         }},
        {"Select form", 2,
         [](LanguageSession& s) {
             s.deleteRow(0);
             s.selectForm(2); // drops the delete, which was not stored
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        reopen();
        const QString before = seen(), beforeBytes = bytes().toHex();
        c.edit(session);
        const QString after = seen(), afterBytes = bytes().toHex();
        ASSERT_NE(after, before);
        EXPECT_EQ(session.history()->undoText(), c.step);
        ASSERT_EQ(session.history()->count(), c.steps);
        session.history()->setIndex(0);
        EXPECT_EQ(seen() + bytes().toHex(), before + beforeBytes);
        session.history()->setIndex(c.steps);
        EXPECT_EQ(seen() + bytes().toHex(), after + afterBytes);
    }
    EXPECT_TRUE(toolkit.boxes.empty());
}

// The review beside the file comes in with it, follows each row to where a commit stores it, is
// part of every step, goes out with a save, and is moved aside, said, when it cannot be read.
TEST_F(SessionTest, TheReviewBesideTheFileFollowsItsRowsThroughStepsAndSaves)
{
    Review kept;
    kept.rows.insert({1, 2}, stored(nullptr, "Three row", "Three", RowState::NeedsReview));
    kept.rows[{1, 2}].note = "Ask";
    write("s.lsf.review", reviewBytes(kept));
    reopen();
    EXPECT_EQ(session.review(), kept);
    session.deleteRow(0);
    EXPECT_EQ(session.committedReview().rows.keys(), QList<RowKey>({{1, 1}}));
    session.commit();
    EXPECT_EQ(session.review().rows.value({1, 1}).note, "Ask") << "with its row, one up";

    const Review before = session.review();
    session.reviewRows("Mark reviewed",
                       {{{1, 0}, reviewed(nullptr, "Two row", "", "Anna", QDateTime())}});
    EXPECT_EQ(session.review().rows.value({1, 0}).state, RowState::Reviewed);
    session.history()->undo();
    EXPECT_EQ(session.review(), before);
    session.history()->redo();
    ASSERT_TRUE(session.save(toolkit));
    EXPECT_EQ(readReview(read(path("s.lsf.review"))).review, session.review());

    write("s.lsf.review", "{");
    reopen();
    EXPECT_EQ(toolkit.takeBoxes(48),
              QStringList("The review beside this file, " + file +
                          ".review, cannot be read (is no JSON: unterminated object at byte 1). "
                          "It was moved to " +
                          file + ".review.damaged; the file opens without it."));
    EXPECT_EQ(read(path("s.lsf.review.damaged")), "{");
    EXPECT_TRUE(session.review().rows.isEmpty());
    EXPECT_EQ(session.workingCopy().rows, QStringList({"Two row", "Three row"}))
        << "the file itself opened, as saved";
}

TEST_F(SessionTest, SaveMarksTheSavedPointAndOnlyARealChangeIsAStep)
{
    session.replaceRow(1, "Two row"); // the same text: marked, but nothing to undo
    EXPECT_TRUE(session.hasUnsavedChanges());
    session.setUnsavedChanges(false);
    session.replaceInRows("row", "row");
    EXPECT_TRUE(session.hasUnsavedChanges());
    session.setSetting(FileSetting::Author, "Bob");
    session.setSetting(FileSetting::Author, "Ann"); // typed back: no step is left
    EXPECT_EQ(session.history()->count(), 0);

    session.insertRow(0);
    QList<bool> rebuilt;
    QObject::connect(&session, &LanguageSession::formNamesChanged, &session,
                     [&](bool all) { rebuilt << all; });
    session.renameForm(24, "Last form");
    EXPECT_EQ(rebuilt, QList<bool>{false}) << "the form list keeps its selection and place";
    EXPECT_THROW(session.renameForm(25, "None"), std::out_of_range);
    ASSERT_TRUE(session.save(toolkit));
    EXPECT_FALSE(session.hasUnsavedChanges());
    session.history()->undo();
    EXPECT_TRUE(session.hasUnsavedChanges()) << "a step away from the saved state";
    session.history()->redo();
    EXPECT_FALSE(session.hasUnsavedChanges());
    EXPECT_EQ(bytes(), read(file));

    session.reset();
    session.newDocument();
    EXPECT_EQ(session.history()->count(), 0);
    EXPECT_EQ(session.path(), "");
    EXPECT_EQ(seen(), "- EMPTY FORM - |- EMPTY FORM - \n\n|||2|01\nform 0 row 0\nsaved");
}

TEST_F(SessionTest, UndoOfAStepThatKeptTheSelectionKeepsTheSelectionOfNow)
{
    session.selectForm(0);
    session.setSetting(FileSetting::Revision, "3");
    session.selectForm(1);
    session.selectRow(2);
    session.history()->undo();
    EXPECT_EQ(seen(),
              "Main|Second\nOne row|Two row|Three row\nApp|1.0|Ann|2|01\nform 1 row 2\nsaved");
    session.history()->redo();
    EXPECT_EQ(session.workingCopy().settings[3], "3");
    EXPECT_EQ(session.selectedForm(), 1);
}

TEST_F(SessionTest, UndoOfAStoreThatClosedAGapPairsEachRowWithItsRowAgain)
{
    session.reset();
    session.open(write("gap.lsf", lsfFile(1, {packed({"F"}), packed({"Een", "", "Drie"})})), "",
                 toolkit);
    session.selectForm(1);
    const auto pairs = [&] {
        QStringList found;
        for (const PairedText& p : pairedTexts(session.document(), session.workingCopy(), 1, 1))
            found << QString::number(p.row) + ":" + p.text;
        return found.join(' ');
    };
    session.replaceRow(1, "Drie"); // the same text, but the commit closes the gap
    EXPECT_EQ(pairs(), "0:Een 1:Drie");
    session.history()->undo();
    EXPECT_EQ(pairs(), "0:Een 2:Drie");
}

TEST_F(SessionTest, RecoveryCopyInAReadOnlyFolderIsOfferedAndTheReasonItStaysIsSaid)
{
    {
        LanguageSession killed;
        RecoveryController left(killed, toolkit);
        left.setFolder(path("r"));
        killed.open(file, "s.lsf", toolkit);
        killed.selectForm(1);
        killed.deleteRow(0);
        left.write();
    } // the window is gone, its copy stays
    chmod(QFile::encodeName(folder()).constData(), 0755);
    chmod(QFile::encodeName(path("r")).constData(), 0555);
    const QString copy = path("r/") + QDir(path("r")).entryList({"*.json"}).value(0);
    session.renameForm(2, "Before the copy"); // a step the restored copy leaves behind
    for (MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
        AsNobody nobody;
        RecoveryController recovery(session, toolkit);
        recovery.setFolder(path("r"));
        toolkit.answers = {answer};
        const std::optional<int> form = recovery.offer();
        ASSERT_EQ(toolkit.boxes.size(), 2u);
        EXPECT_EQ(toolkit.boxes[1].text,
                  "The recovery copy " + copy + " cannot be " +
                      (answer == MsgResult::Yes ? "taken over" : "removed") +
                      ": Permission denied.\r\nIt will be offered again at the next start.");
        toolkit.boxes.clear();
        EXPECT_EQ(form.has_value(), answer == MsgResult::Yes);
    }
    EXPECT_EQ(session.document().formText(1).at(0), "Two row");
    EXPECT_EQ(session.path(), file);
    EXPECT_TRUE(session.hasUnsavedChanges());
    EXPECT_FALSE(session.history()->isClean());
    EXPECT_EQ(session.history()->count(), 0);
}

TEST_F(SessionTest, TheReferenceIsRememberedUnderTheNameTheDocumentIsSavedAs)
{
    const QString reference = write("en.lsf", lsfFile(1, {}));
    ReferenceSession references(session);
    ASSERT_EQ(references.open(reference), "");
    session.setCurrentFile(path("copy.lsf"), "copy.lsf");
    ASSERT_TRUE(session.save(toolkit));
    session.setCurrentFile(path("other.lsf"), "other.lsf");
    references.close(); // forgets it for other.lsf, the document's file now
    EXPECT_EQ(references.rememberedFor(file), reference);
    EXPECT_EQ(references.rememberedFor(path("copy.lsf")), reference);
    ASSERT_EQ(references.open(reference), "");
    EXPECT_EQ(references.rememberedFor(path("copy.lsf")), "") << "it is the one open";
    references.close();
    EXPECT_EQ(references.rememberedFor(path("other.lsf")), "") << "forgotten at close";
    EXPECT_EQ(references.rememberedFor(path("copy.lsf")), reference);
}

TEST_F(SessionTest, ProblemsFollowTheSpellingLanguageLengthLimitWordsAddedAndUndoInAnotherForm)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    ReferenceParts parts(session);
    ASSERT_EQ(parts.reference.open(file), "") << "the file as its own reference";
    const auto found = [&](Check check) {
        QStringList places;
        for (const Problem& p : parts.problems.problems())
            if (p.check == check)
                places << QStringLiteral("%1/%2").arg(p.form).arg(p.row);
        return places.join(' ');
    };
    session.insertRow(0);
    session.renameForm(1, "Main"); // stores the inserted row: a step that keeps the selection
    session.selectForm(2);
    EXPECT_EQ(found(Check::Same), "2/0");
    session.history()->undo(); // the stored rows of form 1 change while form 2 is selected
    EXPECT_EQ(session.selectedForm(), 2);
    EXPECT_EQ(found(Check::Same), "1/0 1/1 1/2 2/0");

    session.selectForm(1);
    session.replaceRow(0, "Een lange rij opslaam"); // "One row" in form 1, row 0
    EXPECT_EQ(found(Check::Spelling), "") << "no language, no spelling";
    ASSERT_EQ(parts.spelling.setLanguage("nl_NL"), "");
    EXPECT_EQ(found(Check::Spelling), "1/0") << "opslaam";
    ASSERT_EQ(parts.spelling.addWord("opslaam"), "");
    EXPECT_EQ(found(Check::Spelling), "");
    EXPECT_EQ(found(Check::Length), "");
    parts.problems.setLengthFactor(1.0);
    EXPECT_EQ(found(Check::Length), "1/0")
        << "21 characters: more than 7 and 10, less than 14 and 10";
}

// The memory's record of what each row was translated from: this file translated against the
// 4.0 reference and saved, then opened against 4.1, where row 1's "Close" became "Close all".
class MemoryRecord : public SessionTest {
protected:
    std::unique_ptr<ReferenceParts> parts;

    void begin(const QString& name)
    {
        qputenv("XDG_DATA_HOME", folder().toUtf8());
        ASSERT_TRUE(QFile::copy(file, path(name + ".lsf")));
        // As a shell gives it ("lexicant relative.lsf"): the record is of the file, not the name.
        ASSERT_TRUE(QDir::setCurrent(folder()));
        const QString given = name.startsWith("relative") ? name + ".lsf" : path(name + ".lsf");
        ASSERT_TRUE(session.open(given, name, toolkit));
        session.selectForm(1);
        parts = std::make_unique<ReferenceParts>(session);
        parts->memory.setMemoryPath(path(name + ".sqlite"));
        const auto english = [&](const QString& row1) {
            return write(name + row1 + ".lsf",
                         lsfFile(1, {packed({"Main"}), packed({"One", row1.toLatin1(), "Three"})}));
        };
        ASSERT_EQ(parts->reference.open(english("Close")), "");
        parts->reference.setReferenceLanguage("en_US");
        ASSERT_EQ(parts->spelling.setLanguage("nl_NL"), "");
        ASSERT_EQ(parts->memory.open(), "");
        ASSERT_TRUE(session.save(toolkit));
        ASSERT_EQ(parts->reference.open(english("Close all")), "");
    }
    QList<int> changedRows() const
    {
        QList<int> rows;
        for (const Problem& p : parts->problems.problems())
            if (p.check == Check::Changed)
                rows << p.row;
        return rows;
    }
    // What another process (lexicant-cli check --tm) reads as row 1's source, and the memory's
    // exact match for the new text.
    QString recorded(const QString& name) const
    {
        TranslationMemory memory;
        EXPECT_EQ(memory.open(path(name + ".sqlite")).error, "");
        const QList<Suggestion> match = memory.suggest("en_US", "nl_NL", "Close all", 1, 100);
        return memory.sourcesOf("en_US", "nl_NL", memoryOrigin(session.path())).value({1, 1}) +
               '|' + (match.isEmpty() ? QString() : match.first().unit.target);
    }
};

TEST_F(MemoryRecord, AChangedRowIsNamedAndUnlearntUntilItIsStoredAgain)
{
    const struct {
        const char* name;
        std::function<void(LanguageSession&)> step;
        QString recorded; // after the save
    } cases[] = {
        {"another-row", [](LanguageSession& s) { s.replaceRow(0, "Een"); }, "Close|"},
        {"relative-path", [](LanguageSession& s) { s.replaceRow(0, "Een"); }, "Close|"},
        {"table-same-text",
         [this](LanguageSession& s) {
             WorkbenchModel table(parts->reference, parts->problems, s);
             table.refresh();
             table.store({1, 1}, "Two row");
         },
         "Close all|Two row"},
        {"row-dialog", [](LanguageSession& s) { s.replaceRow(1, "Sluit"); }, "Close all|Sluit"},
        {"fill",
         [](LanguageSession& s) {
             s.fillRows("Fill", {{1, 1, "Sluit"}});
         },
         "Close all|Sluit"},
        {"stored-then-undone",
         [](LanguageSession& s) {
             s.replaceRow(1, "Sluit");
             s.history()->undo();
         },
         "Close|"},
        {"copy-under-a-new-name", // keeps the record of the file it came from
         [this](LanguageSession& s) { s.setCurrentFile(path("nl41.lsf"), "nl41.lsf"); }, "Close|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        begin(c.name);
        EXPECT_EQ(parts->reference.referenceLanguage(), "en_US") << "carried to the new release";
        ASSERT_EQ(changedRows(), QList<int>{1});
        c.step(session);
        const QList<int> named = c.recorded == "Close|" ? QList<int>{1} : QList<int>{};
        EXPECT_EQ(changedRows(), named) << "before the save";
        ASSERT_TRUE(session.save(toolkit));
        EXPECT_EQ(changedRows(), named) << "after the save";
        EXPECT_EQ(recorded(c.name), c.recorded);
    }
    // The record is of a language pair: this file in another language has none.
    ASSERT_EQ(parts->spelling.setLanguage("en_US"), "");
    EXPECT_EQ(changedRows(), QList<int>{});
    // Another window on the copy: a reference it never had takes the language of the one before.
    ReferenceParts other(session);
    ASSERT_EQ(other.reference.open(write("en42.lsf", lsfFile(1, {}))), "");
    EXPECT_EQ(other.reference.referenceLanguage(), "en_US");
    other.reference.setReferenceLanguage("en_GB"); // one of its own, which it keeps
    ASSERT_EQ(other.reference.open(write("en43.lsf", lsfFile(1, {}))), "");
    other.reference.setReferenceLanguage("en_US");
    ASSERT_EQ(other.reference.open(path("en42.lsf")), "");
    EXPECT_EQ(other.reference.referenceLanguage(), "en_GB");
    other.reference.close();
    EXPECT_EQ(other.reference.referenceLanguage(), "") << "a closed reference leaves no language";
}

TEST_F(SessionTest, RecentFilesAreNewestFirstAndReadingThemWritesNothing)
{
    RecentFiles recent;
    for (const char* name : {"a", "b", "c", "d", "e", "f", "e"})
        recent.add(path(name));
    EXPECT_EQ(QSettings().value("recentFiles"), QVariant()) << "not before the event is done";
    EXPECT_EQ(recent.files(), QStringList({path("e"), path("f"), path("d"), path("c"), path("b")}));
    recent.remove(path("e"));
    EXPECT_EQ(QSettings().value("recentFiles").toStringList(),
              QStringList({path("f"), path("d"), path("c"), path("b")}));
}

// A window whose memory is on a server that stops goes on with the person's own memory, says so
// once, and hands the server what it learnt meanwhile when it is back.
TEST_F(MemoryRecord, AServerThatStopsLeavesTheWindowItsOwnMemoryUntilItIsBack)
{
    PostgresServer server;
    ASSERT_EQ(server.problem(), "");
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    ASSERT_TRUE(QFile::copy(file, path("nl.lsf")));
    ASSERT_TRUE(session.open(path("nl.lsf"), "nl.lsf", toolkit));
    ReferenceParts parts(session);
    parts.memory.setMemoryPath(server.uri());
    parts.memory.setRetryInterval(100);
    QStringList notices;
    QObject::connect(&parts.memory, &MemorySession::serverNotice,
                     [&](const QString& notice, bool) { notices << notice; });
    const auto waitFor = [&](qsizetype count) {
        for (QDeadlineTimer time(20000); notices.size() < count && !time.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    };
    ASSERT_EQ(parts.reference.open(
                  write("en.lsf", lsfFile(1, {packed({"Main"}), packed({"One", "Two"})}))),
              "");
    parts.reference.setReferenceLanguage("en");
    ASSERT_EQ(parts.spelling.setLanguage("nl"), "");
    ASSERT_EQ(parts.memory.open(), "");
    session.selectForm(1);
    session.replaceRow(0, "Een");
    ASSERT_TRUE(session.save(toolkit));
    ASSERT_EQ(server.stop(), "");
    parts.memory.suggestionsFor(1, 0); // finds the server gone
    waitFor(1);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(
        notices.at(0).startsWith("The translation memory on " + server.uri() + " cannot be read: "))
        << notices.at(0).toStdString();
    session.replaceRow(1, "Twee");
    ASSERT_TRUE(session.save(toolkit)) << "a save never waits on the server";
    EXPECT_EQ(parts.memory.suggestionsFor(1, 1).value(0).unit.target, "Twee") << "its own memory";
    EXPECT_EQ(parts.memory.addTerm({"two", "twee"}),
              "the team's server cannot be reached, and its glossary is changed only there");
    ASSERT_EQ(server.start(), "");
    waitFor(2);
    ASSERT_EQ(notices.size(), 2);
    EXPECT_EQ(notices.at(1), "The translation memory on " + server.uri() +
                                 " can be reached again, and has the unit learnt meanwhile.");
    TranslationMemory team;
    ASSERT_EQ(team.open(server.uri()).error, "");
    EXPECT_EQ(team.suggest("en", "nl", "Two", 1).value(0).unit.target, "Twee");
    EXPECT_FALSE(QFileInfo::exists(TranslationMemory::outboxPath(server.uri())));
}
