// The workbench's model: storing a text at its row without moving another, the next row to do
// among the rows shown, and the question a commit asks before it would move rows.
#include "LanguageSession.h"
#include "LsfBytes.h"
#include "ReferenceParts.h"
#include "ScriptedToolkit.h"
#include "TempFiles.h"
#include "WorkbenchModel.h"

#include <QSettings>
#include <QUndoStack>

namespace {

// Form 1 "One" to "Five" (row 1 as given), form 2 "Yes" and "No".
QByteArray referenceFile(const QByteArray& row1 = "Two")
{
    return lsfFile(1, {packed({"F", "G"}), packed({"One", row1, "Three", "Four", "Five"}),
                       packed({"Yes", "No"})});
}

struct Workbench : public ::testing::Test, public TempFiles {
    ScriptedToolkit toolkit;
    LanguageSession session;
    std::unique_ptr<ReferenceParts> parts;
    std::unique_ptr<WorkbenchModel> model;

    // Form 1 holds "Een", "Drie" and "Vijf" at rows 0, 2 and 4; form 2 "Ja" at row 0.
    void start(const QByteArray& referenceBytes = referenceFile())
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder());
        const QString file =
            write("nl.lsf", lsfFile(1, {packed({"V", "W"}), packed({"Een", "", "Drie", "", "Vijf"}),
                                        packed({"Ja"})}));
        ASSERT_TRUE(session.open(file, "nl.lsf", toolkit));
        session.selectForm(1);
        parts = std::make_unique<ReferenceParts>(session);
        ASSERT_EQ(parts->reference.open(write("en.lsf", referenceBytes)), "");
        model = std::make_unique<WorkbenchModel>(parts->reference, parts->problems, session);
        model->refresh();
    }
    // Form 1's stored rows.
    QStringList stored() const
    {
        QStringList rows;
        for (int r = 0; r < 5; ++r)
            rows << session.document().formText(1).at(r);
        return rows;
    }
};

} // namespace

TEST_F(Workbench, AStoredTextStaysAtItsRowOrSaysWhyNot)
{
    using Kind = StoreOutcome::Kind;
    const QString fillQuestion = "Row 3 of this form has no text yet. Saving the form would close "
                                 "up the empty rows and move row 4 away from the rows the "
                                 "application reads.\r\nFill the empty rows with the reference's "
                                 "texts first?";
    const QString asIs = "Een||Drie||Vijf";
    const struct Case {
        const char* name;
        QByteArray row1; // the reference's
        int row;
        QString text;
        bool fill;
        Kind kind;
        QString message;
        QString rows; // form 1 after it
    } cases[] = {
        {"two letters, asked to fill", "Two", 1, "Ja", false, Kind::NeedsFill, fillQuestion, asIs},
        {"two letters, filled", "Two", 1, "Ja", true, Kind::Stored, "", "Een|Ja|Drie|Four|Vijf"},
        {"the gap after the row", "Two", 3, "Vier", false, Kind::NeedsFill,
         "Row 1 of this form has no text yet. Saving the form would close up the empty rows and "
         "move rows 2, 3 and 4 away from the rows the application reads.\r\nFill the empty rows "
         "with the reference's texts first?",
         asIs},
        {"one character", "Two", 1, "J", false, Kind::Refused,
         "A row keeps a text of two characters or more.", asIs},
        {"not in Windows-1252", "Two", 1, "Łódź", true, Kind::Refused,
         "This text cannot be stored: it holds the character \"Ł\" (U+0141), which Windows-1252 "
         "cannot store.",
         asIs},
        {"a row terminator", "Two", 1, "Half ¼", true, Kind::Refused,
         "Please remove the ½, ¾ or ¼ characters.", asIs},
        {"left empty", "Two", 1, "", false, Kind::Unchanged, "", asIs},
        {"the same text", "Two", 0, "Een", false, Kind::Unchanged, "", asIs},
        {"cleared, nothing moves", "Two", 2, "", false, Kind::Stored, "", "Een||||Vijf"},
        {"a line broken as the reference's", "Two\r\nlines", 1, "Twee\nregels", true, Kind::Stored,
         "", "Een|Twee\r\nregels|Drie|Four|Vijf"},
        {"no reference to fill with", "", 3, "Vier", true, Kind::Refused,
         "Row 1 of this form has no text, in this file nor in the reference.\r\nStoring row 3 "
         "would move rows 2, 3 and 4 away from the rows the application reads.",
         asIs},
        {"a two-letter reference fills", "Up", 3, "Vier", true, Kind::Stored, "",
         "Een|Up|Drie|Vier|Vijf"},
        {"a reference too short to fill with", "A", 3, "Vier", true, Kind::Refused,
         "Row 1 of this form has no text, and the reference's \"A\" is too short to fill it.\r\n"
         "Storing row 3 would move rows 2, 3 and 4 away from the rows the application reads.",
         asIs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start(referenceFile(c.row1));
        const StoreOutcome outcome = model->store({1, c.row}, c.text, c.fill);
        EXPECT_EQ(int(outcome.kind), int(c.kind));
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(stored().join('|'), c.rows);
        EXPECT_EQ(session.history()->count(), c.kind == Kind::Stored ? 1 + c.fill : 0);
        if (c.kind == Kind::Stored) {
            EXPECT_EQ(session.history()->undoText(),
                      c.text.isEmpty() ? "Clear row" : "Translate row");
        }
    }
}

TEST_F(Workbench, StoringInAnotherFormKeepsWhatTheSelectedFormHasNotStored)
{
    start();
    session.deleteRow(0);
    ASSERT_EQ(int(model->store({2, 1}, "Nee").kind), int(StoreOutcome::Kind::Stored));
    EXPECT_EQ(session.workingCopy().rows, QStringList({"Drie", "Vijf"}));
    EXPECT_EQ(session.document().formText(2).at(1), "Nee");
    EXPECT_EQ(session.history()->undoText(), "Translate row");
    model->setCurrent({2, 1});
    session.newDocument();
    EXPECT_EQ(model->current(), ProblemPlace()) << "nowhere in another document";
}

TEST_F(Workbench, UndoAndRedoBringTheTranslatorToTheRowTheyChange)
{
    start();
    ASSERT_EQ(int(model->store({1, 4}, "Vijf!", true).kind), int(StoreOutcome::Kind::Stored));
    session.selectForm(2);
    model->setCurrent({2, 1});
    session.history()->undo();
    EXPECT_EQ(session.selectedForm(), 1);
    EXPECT_EQ(model->current(), ProblemPlace({1, 4}));
    model->setCurrent({1, 0});
    session.history()->redo();
    EXPECT_EQ(model->current(), ProblemPlace({1, 4}));
    model->setAllForms(true);
    session.setSetting(FileSetting::Author, "Anne");
    session.history()->undo();
    EXPECT_EQ(model->current(), ProblemPlace({1, 4})) << "a step that changed no row stays";
    model->markReviewed({2, 0}, "Anne");
    model->setCurrent({1, 0});
    session.history()->undo();
    EXPECT_EQ(model->current(), ProblemPlace({2, 0})) << "a row marked reviewed";
}

TEST_F(Workbench, NextToDoIsAmongTheRowsTheFilterShowsRoundThroughAllForms)
{
    using Filter = WorkbenchModel::Filter;
    constexpr auto Forward = WorkbenchModel::Direction::Forward;
    start();
    const struct Case {
        Filter filter;
        ProblemPlace from;
        WorkbenchModel::Direction direction;
        ProblemPlace next;
    } cases[] = {
        {Filter::Untranslated, {1, 0}, Forward, {1, 1}},
        {Filter::Untranslated, {1, 1}, Forward, {1, 3}},
        {Filter::Untranslated, {1, 3}, Forward, {2, 1}},
        {Filter::Untranslated, {2, 1}, Forward, {1, 1}},
        {Filter::Untranslated, {1, 1}, WorkbenchModel::Direction::Back, {2, 1}},
        {Filter::Untranslated, {2, -1}, Forward, {2, 1}},
        {Filter::OneCheck, {0, -1}, Forward, {1, 2}},
        {Filter::NeedsWork, {1, -1}, Forward, {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.filter) << " from " << c.from.form << ','
                                        << c.from.row << " forward " << (c.direction == Forward));
        model->setFilter(c.filter, Check::MovesAtSave);
        const std::optional<ProblemPlace> next = model->nextToDo(c.from, c.direction);
        ASSERT_TRUE(next.has_value());
        EXPECT_EQ(next->form * 1000 + next->row, c.next.form * 1000 + c.next.row);
    }
}

TEST_F(Workbench, ACommitThatWouldMoveRowsNamesThemAndKeepsThemInPlaceFilledOrNot)
{
    for (const bool fill : {true, false}) {
        start();
        EXPECT_EQ(model->rowsMovedAtCommit(), QList<int>({2, 4}));
        EXPECT_EQ(model->commitQuestion(),
                  "Form 1 has empty rows before its last text. Saving would close them up and "
                  "move rows 2 and 4 away from the rows the application reads, so they are kept "
                  "at their rows.\r\nFill the empty rows with the reference's texts? No leaves "
                  "them empty.");
        model->keepRowsOfSelectedForm(fill);
        EXPECT_EQ(model->rowsMovedAtCommit(), QList<int>());
        session.commit();
        EXPECT_EQ(stored(), fill ? QStringList({"Een", "Two", "Drie", "Four", "Vijf"})
                                 : QStringList({"Een", "", "Drie", "", "Vijf"}));
        EXPECT_EQ(session.history()->undoText(), fill ? "Fill rows" : "Keep rows in place");
    }
}

TEST_F(Workbench, TheTableShowsTabsAndLineBreaksAndEachRowsProblemsInWords)
{
    start(lsfFile(1, {packed({"F"}), packed({"&Open...\tCtrl+O\r\nA\nB"})}));
    model->setFilter(WorkbenchModel::Filter::All);
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->index(0, WorkbenchModel::ReferenceColumn).data().toString(),
              "&Open...→Ctrl+O¶A¶B");
    EXPECT_EQ(model->index(0, WorkbenchModel::ReferenceColumn).data(Qt::EditRole).toString(),
              "&Open...\tCtrl+O\r\nA\nB");
    EXPECT_EQ(model->index(0, WorkbenchModel::ProblemsColumn).data().toString(),
              "access-keys, line-breaks, tabs");
    EXPECT_EQ(model->countsText(), "1 of 1 reference rows translated, 8 problems");
}

TEST_F(Workbench, AFormsRowsFollowAStoreInAnotherFormThatChangesTheirProblems)
{
    // "One" is at form 1 row 0 ("Een") and at form 2 rows 1 and 2.
    start(lsfFile(1, {packed({"F", "G"}), packed({"One", "Two"}), packed({"Yes", "One", "One"})}));
    model->setAllForms(true);
    ASSERT_EQ(model->rowCount(), 7) << "the rows of both forms";
    const auto problemsOf = [this](ProblemPlace place) {
        return model->index(model->lineOf(place), WorkbenchModel::ProblemsColumn).data().toString();
    };
    QList<int> changed;
    QObject::connect(model.get(), &QAbstractItemModel::dataChanged, model.get(),
                     [&](const QModelIndex& from) { changed << from.row(); });
    model->store({2, 1}, "Uno");
    model->store({2, 2}, "Uno");
    model->catchUp();
    // Two rows translate "One" as "Uno": form 1's "Een", stored as before, is the odd one now.
    EXPECT_TRUE(problemsOf({1, 0}).contains("consistency")) << qPrintable(problemsOf({1, 0}));
    EXPECT_TRUE(changed.contains(model->lineOf({1, 0})));
    EXPECT_EQ(model->index(model->lineOf({2, 2}), WorkbenchModel::TextColumn).data(), "Uno");
}

// A row's state as the table shows it, from storing through review to an edit, with its note, as
// steps; the filters and the progress follow.
TEST_F(Workbench, ARowGoesFromTranslatedToReviewedAndBackWithItsNote)
{
    start();
    const auto state = [this](int row) {
        const QModelIndex cell = model->index(model->lineOf({1, row}), WorkbenchModel::StateColumn);
        return cell.data().toString() + ' ' + cell.data(Qt::ToolTipRole).toString();
    };
    EXPECT_EQ(state(1), "○ Untranslated");
    EXPECT_EQ(state(2), "● Translated") << "a text nobody said anything of";
    // Row 1's problem accepted: no work left there until its text changes, nor counted.
    const int problemsBefore = parts->problems.counts().problems;
    model->acceptProblems({1, 1});
    model->refresh();
    EXPECT_EQ(model->index(1, WorkbenchModel::ProblemsColumn).data().toString(), "");
    EXPECT_EQ(parts->problems.counts().problems, problemsBefore - 1);
    EXPECT_EQ(model->nextToDo({1, 0}, WorkbenchModel::Direction::Forward), ProblemPlace({1, 2}))
        << "row 1 passed over";
    ASSERT_EQ(model->store({1, 3}, "Vier", false, RowState::NeedsReview).kind,
              StoreOutcome::Kind::NeedsFill);
    model->store({1, 3}, "Vier", true, RowState::NeedsReview);
    model->refresh();
    EXPECT_EQ(state(3), "◐ Needs review");
    model->markReviewed({1, 2}, "Anna");
    model->setNote({1, 2}, "Klopt dit?", "Anna");
    model->refresh();
    EXPECT_TRUE(state(2).startsWith("✔ ✎ Reviewed by Anna, ")) << qPrintable(state(2));
    EXPECT_TRUE(state(2).endsWith("\nAnna: Klopt dit?")) << qPrintable(state(2));
    EXPECT_TRUE(model->progressText().endsWith(", 1 reviewed"))
        << model->progressText().toStdString();
    EXPECT_EQ(model->nextNotReviewed({1, 2}), ProblemPlace({1, 3}));
    model->setFilter(WorkbenchModel::Filter::NeedsReview);
    EXPECT_EQ(model->rowCount(), 1);
    model->setFilter(WorkbenchModel::Filter::NotReviewed);
    EXPECT_EQ(model->placeAt(0), ProblemPlace({1, 0})) << "the first translation not reviewed";
    model->setFilter(WorkbenchModel::Filter::All);

    model->store({1, 2}, "Drie!");
    model->refresh();
    EXPECT_EQ(state(2), "● ✎ Translated\nAnna: Klopt dit?")
        << "an edit takes back the review, not the note";
    session.history()->undo();
    model->refresh();
    EXPECT_TRUE(state(2).startsWith("✔ ✎ Reviewed by Anna, ")) << qPrintable(state(2));

    // Row 4 was translated from another reference text: back to review, the changed word shown.
    session.reviewRows("Review",
                       {{{1, 4}, ::stored(nullptr, "Vijf", "Fife", RowState::Translated)}});
    model->refresh();
    EXPECT_EQ(state(4), "◐ Needs review");
    EXPECT_EQ(model->index(model->lineOf({1, 4}), 0).data(WorkbenchModel::ProblemHtmlRole),
              "the reference was \"<b>Fife</b>\" when translated, now \"<b>Five</b>\"");
}
