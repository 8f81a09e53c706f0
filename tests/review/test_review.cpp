#include "Review.h"

#include "QtPrint.h"

#include <gtest/gtest.h>

namespace {

const QDateTime Monday(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC);

// Where a row stands, from what was recorded of it and what it holds now.
TEST(Review, ARowsStateFollowsItsTextAndItsReference)
{
    const RowReview reviewedRow = reviewed(nullptr, "Openen", "Open", "Anna", Monday);
    const RowReview pretranslated = stored(nullptr, "Openen", "Open", RowState::NeedsReview);
    struct Case {
        const char* what;
        const RowReview* record;
        QString text, reference;
        RowState state;
    } cases[] = {
        {"no text", &reviewedRow, "", "Open", RowState::Untranslated},
        {"a text nobody said anything of", nullptr, "Openen", "Open", RowState::Translated},
        {"reviewed as it is", &reviewedRow, "Openen", "Open", RowState::Reviewed},
        {"reviewed, with no reference open", &reviewedRow, "Openen", "", RowState::Reviewed},
        {"edited since the review", &reviewedRow, "Open maken", "Open", RowState::Translated},
        {"its reference changed", &reviewedRow, "Openen", "Open...", RowState::NeedsReview},
        {"pre-translated, then edited elsewhere", &pretranslated, "Open", "Open",
         RowState::NeedsReview},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stateOf(c.record, c.text, c.reference), c.state) << c.what;

    RowReview accepted = reviewedRow;
    accepted.accepted = QStringList{"same"};
    EXPECT_TRUE(isAccepted(&accepted, "same", "Openen", "Open"));
    EXPECT_FALSE(isAccepted(&accepted, "spelling", "Openen", "Open"));
    EXPECT_FALSE(isAccepted(&accepted, "same", "Openen!", "Open")) << "the text changed";
    EXPECT_FALSE(isAccepted(&accepted, "same", "Openen", "Open!")) << "the reference changed";
    RowReview withoutReference = accepted;
    withoutReference.reference.clear();
    EXPECT_TRUE(isAccepted(&withoutReference, "same", "Openen", "Open"))
        << "accepted while no reference was known";
    const RowReview edited = stored(&accepted, "Open maken", "Open", RowState::Translated);
    EXPECT_TRUE(edited.accepted.isEmpty() && edited.reviewedBy.isEmpty());
    EXPECT_EQ(stored(&accepted, "Openen", "Open", RowState::Translated).accepted, accepted.accepted)
        << "stored again unchanged";
}

TEST(Review, TheCompanionFileKeepsEveryRowAndRefusesWhatIsNoReview)
{
    Review review;
    RowReview first = reviewed(nullptr, "Bestand \"openen\"", "Open file", "Anna", Monday);
    first.note = "Vraag:\nwelk \\ \x01"
                 "bestand?\t";
    first.noteBy = "Bert";
    first.noteAt = Monday.addSecs(60);
    first.accepted = QStringList{"same", "spelling"};
    review.rows.insert({10, 3}, first);
    review.rows.insert({2, 200}, stored(nullptr, "Café", "", RowState::NeedsReview));
    const QByteArray bytes = reviewBytes(review);
    EXPECT_EQ(readReview(bytes).problem, "");
    EXPECT_EQ(readReview(bytes).review, review);
    // A row a line, in form and row order, its keys in the order a person reads them.
    EXPECT_EQ(QString::fromUtf8(bytes).split('\n').mid(1, 2),
              QStringList({"{\"form\": 2, \"row\": 200, \"state\": \"needs-review\", \"text\": "
                           "\"Café\", \"reference\": \"\"},",
                           "{\"form\": 10, \"row\": 3, \"state\": \"reviewed\", \"text\": "
                           "\"Bestand \\\"openen\\\"\", \"reference\": \"Open file\", \"note\": "
                           "\"Vraag:\\nwelk \\\\ \\u0001bestand?\\t\", \"note-by\": \"Bert\", "
                           "\"note-at\": \"2026-12-07T09:31:00Z\", \"reviewed-by\": \"Anna\", "
                           "\"reviewed-at\": \"2026-12-07T09:30:00Z\", \"accepted\": [\"same\", "
                           "\"spelling\"]}"}));

    const struct {
        QByteArray bytes;
        QString problem;
    } damaged[] = {
        {"{\"format\": \"lexicant-review\", \"rows\": [",
         "is no JSON: unterminated array at byte 39"},
        {"{\"rows\": []}", "is no review of a language file"},
        {"{\"format\": \"lexicant-review\", \"version\": 2}",
         "is a review of version 2, which this version cannot read"},
        {"{\"format\": \"lexicant-review\", \"version\": 1, \"rows\": [{\"form\": 25, \"row\": "
         "0}]}",
         "a row without a form of 1 to 24 and a row of 0 to 200"},
        {"{\"format\": \"lexicant-review\", \"version\": 1, \"rows\": [{\"form\": 1, \"row\": 0, "
         "\"state\": \"done\"}]}",
         "form 1 row 0 has no state that is one of untranslated,needs-review,translated,reviewed"},
        {"{\"format\": \"lexicant-review\", \"version\": 1, \"rows\": [{\"form\": 1, \"row\": 0, "
         "\"state\": \"translated\", \"note\": 5}]}",
         "form 1 row 0: \"note\" is no text"},
        {"{\"format\": \"lexicant-review\", \"version\": 1, \"rows\": [{\"form\": 1, \"row\": 0, "
         "\"state\": \"reviewed\", \"reviewed-at\": \"Monday\"}]}",
         "form 1 row 0: \"reviewed-at\" is no date and time"},
    };
    for (const auto& d : damaged)
        EXPECT_EQ(readReview(d.bytes).problem, d.problem) << d.bytes.toStdString();
    const QByteArray twice = QByteArray(bytes)
                                 .replace("\"form\": 10", "\"form\": 2")
                                 .replace("\"row\": 3", "\"row\": 200");
    EXPECT_EQ(readReview(twice).problem, "form 2 row 200 is there twice");
}

} // namespace
