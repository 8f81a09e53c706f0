#pragma once

#include "LanguageDocument.h"
#include "Review.h"
#include "ScreenText.h"
#include "WorkingCopy.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <compare>
#include <optional>

class Glossary;

// Checks of a translation against its reference: the same application's texts in the language
// it is translated from, in a file with the same forms and rows.
enum class Check {
    Missing,      // the reference row is used, this one is empty
    Extra,        // this row is used, the reference's is empty
    Same,         // the same text as the reference
    AccessKeys,   // a different number of "&" access keys
    Placeholders, // different %1, %s or {0} placeholders
    Spaces,       // different leading or trailing spaces
    Punctuation,  // a different final punctuation mark
    LineBreaks,   // a different number of line breaks
    MovesAtSave,  // the commit will move the row away from the index the application reads
    Numbers,      // a number of the reference missing or there fewer times, or one added
    Tabs,         // a different number of tabs (Windows menus: "&Open...\tCtrl+O")
    Capitals,     // starts with a capital letter where the reference does not, or the reverse
    Brackets,     // a different number of ( ) [ ] { }
    DoubleWords,  // a word twice in a row
    DoubleSpaces, // a different number of double spaces
    Urls,         // different web or e-mail addresses
    Tags,         // different XML or HTML tags
    Encoding,     // characters a language file cannot store
    Consistency,  // the reference's text translated otherwise elsewhere in the file
    Length,       // much longer than the reference
    Spelling,     // a word the dictionary does not know
    Changed,      // the reference's text is not the one the row was translated from
    Glossary,     // a term of the reference not translated as the glossary says
};
inline constexpr int CheckCount = 23;
// Every check's number, for a range-for.
inline constexpr std::ranges::iota_view<int, int> AllChecks{0, CheckCount};

// Tells whether a word is spelt right, in one language.
class Speller {
public:
    virtual ~Speller() = default;
    virtual bool knows(const QString& word) const = 0;
    // Whether words in capitals ("EGID") and with a capital inside ("PackageKit") are asked
    // about; otherwise they are names and codes, and spelt right.
    bool checksCapitals = false;
};

// The check's short name ("missing", "access-keys", ...) and what it looks for.
QString checkName(Check check);
QString checkDescription(Check check);
// The check's short name in the interface's language (checkName is the one scripts use).
QString checkLabel(Check check);

// Which checks run (all of them by default), and how: a translation is too long beyond
// lengthFactor times its reference's length plus ten characters; spelling needs a speller, the
// glossary's check a glossary.
struct CheckSet {
    CheckSet() { on.fill(true); }
    std::array<bool, CheckCount> on;
    double lengthFactor = 2.0;
    const Speller* speller = nullptr;
    const Glossary* glossary = nullptr;
    bool has(Check check) const { return on[std::size_t(check)]; }
};

// The check named ("numbers", "double-words", ...), if there is one.
std::optional<Check> checkNamed(const QString& name);

// The words of a translation a dictionary is asked about, each with its place in the text (its
// access key markers included) and as asked ("Be&werken" is "Bewerken"), a compound joined by
// hyphens part by part: not placeholders, web and e-mail addresses, tags, numbers, words with
// digits and single letters, nor the words found unchanged in the reference (product names). Words
// in capitals ("EGID") and with a capital inside
// ("PackageKit") are names and codes, asked about only when capitals is set.
struct SpelledWord {
    int start, length;
    QString word;
};
QList<SpelledWord> spellingRanges(const QString& text, const QString& reference,
                                  bool capitals = false);
// What to underline in a text as it is typed: the words the speller (if any) does not know and
// the characters a language file cannot store, in text order.
QList<SpelledWord> textMarks(const QString& text, const QString& reference, const Speller* speller);
// Whether the speller knows the word of the text as it is written there: an abbreviation with
// the full stop after it ("bzw.", "bijv."), the first part of a compound with the s that links it
// ("Replikations-Slot", "veiligheids-instelling").
bool spelledRight(const Speller& speller, const QString& text, const SpelledWord& word);

struct RowProblem {
    Check check;
    QString message;
};

// The problems of one row: its reference text and this file's text.
QList<RowProblem> rowProblems(const QString& reference, const QString& text,
                              const CheckSet& checks = {});

// A text of this file and the reference row it translates.
struct PairedText {
    int row;      // the row it was read from; a text added in the row list: where it is stored
    QString text; // as the person sees it
    int item;     // its index in the row list of the selected form; -1 in another form
    int savedAt;  // where saving the form stores it: its row, unless the save moves it
};

// The texts of a form in row order, each with the reference row it translates: the row list of
// the selected form (where saving stores item i at row i), any other form as stored (where saving
// it would close its gaps the same way).
QList<PairedText> pairedTexts(const LanguageDocument& document, const WorkingCopy& copy,
                              int selectedForm, int form);

// The texts paired with a row as the workbench shows them: one, or several (a row list can hold
// more than one for a row until a save) with " | " between them; empty when there is none, and
// `any` says so. Moves `pair`, of pairs in row order, past those of the row and any before it.
QString textsAt(QList<PairedText>::const_iterator& pair, QList<PairedText>::const_iterator end,
                int row, bool* any = nullptr);

struct Problem {
    int form; // 1 to 24
    int row;  // the index the application reads
    Check check;
    QString message;
    QString was = {}; // a changed reference: the text the row was translated from
    bool operator==(const Problem&) const = default;
};

// A place in the document: form 1 to 24 (0: none) and row (-1: none), ordered form by form.
struct ProblemPlace {
    int form = 0;
    int row = -1;
    auto operator<=>(const ProblemPlace&) const = default;
};
inline ProblemPlace placeOf(const Problem& problem)
{
    return {problem.form, problem.row};
}

struct ReferenceCounts {
    int referenceRows = 0; // rows the reference uses
    int translated = 0;    // of those, rows this file uses too
    int problems = 0;
};

// Each row's own problems as found by one check set, row by row: its reference text and this
// file's texts at it (one, or more where rows were inserted), each with its problems. A row's
// own problems follow from its two texts alone, so a row whose texts are the ones checked before
// is not checked again; texts are compared, not hashed, and a row that did not change holds the
// very strings it held.
struct CheckedRow {
    QString source;
    QList<std::pair<QString, QList<RowProblem>>> texts;
};
using CheckedRows = QList<CheckedRow>; // by row; shorter when rows were not checked

// The problems of one form, appended; its reference rows and those translated, added to the
// counts (not the problems). With rows, each row's problems are taken from `rows.before` when its
// texts are those at the same row there, and kept in `rows.now`.
struct RowCache {
    const CheckedRows& before;
    CheckedRows& now;
};
void formProblems(const LanguageDocument& reference, const LanguageDocument& document,
                  const WorkingCopy& copy, int selectedForm, int form, const CheckSet& checks,
                  QList<Problem>& problems, ReferenceCounts& counted,
                  std::optional<RowCache> rows = std::nullopt);

// The places of each reference text that is at more than one row, in form and row order: the
// only rows that can be translated two ways, bar rows inserted in the selected form.
using RepeatedTexts = QList<QList<ProblemPlace>>;
RepeatedTexts repeatedTexts(const LanguageDocument& reference);

// Rows whose reference text most other rows translate otherwise (the first way, on a tie), each
// naming a row translated that way; in form and row order. With the reference's repeated texts,
// they are not looked for again.
QList<Problem> consistencyProblems(const LanguageDocument& reference,
                                   const LanguageDocument& document, const WorkingCopy& copy,
                                   int selectedForm, const RepeatedTexts* repeated = nullptr);

// What each row was translated from, by form and row (as a translation memory remembers it).
using TranslatedFrom = QHash<std::pair<int, int>, QString>;

// What a changed reference's problem says, given the text it was and the one it is now.
QString changedMessage(const QString& was, const QString& now);

// Rows whose reference text differs from the one they were translated from (by form and row, as
// a translation memory remembers them); in form and row order.
QList<Problem> changedProblems(const LanguageDocument& reference,
                               const TranslatedFrom& translatedFrom);

// The problems with more added, all in form and row order (each row's own order kept).
void mergeProblems(QList<Problem>& problems, const QList<Problem>& more);

// Each form's problems and counts with the stored rows they were found in, kept between passes:
// a form that is not selected is checked again only when its stored rows changed (an edit
// changes one form). The selected form, whose row list is what is checked, is never kept whole,
// but of any form checked again only the rows whose texts changed are.
struct CheckedForm {
    std::optional<LanguageTable> table;
    QList<Problem> problems;
    ReferenceCounts counts;
    CheckedRows rows;
};
struct CheckedForms {
    std::array<CheckedForm, LanguageDocument::FormCount> forms;
    // The reference's texts at more than one row, found once for the reference's forms as kept.
    std::optional<RepeatedTexts> repeated;
    std::array<LanguageTable, LanguageDocument::FormCount> repeatedIn;
};

// Every problem of the document against the reference, form by form and row by row: each form's
// own, the rows translated two ways and, given what the rows were translated from, the rows whose
// reference text changed since (by the memory, or by the review beside the file). With counts, also
// how many reference rows the document translates, found in the same pass; with checked (what was
// found against this same reference), forms whose stored rows are the ones checked before are not
// checked again. Given the review of the rows, a problem accepted for a row as it is now is none
// (nor counted). The window and lexicant-cli alike find problems here.
QList<Problem> referenceProblems(const LanguageDocument& reference,
                                 const LanguageDocument& document, const WorkingCopy& copy,
                                 int selectedForm, const CheckSet& checks = {},
                                 ReferenceCounts* counts = nullptr,
                                 const TranslatedFrom* translatedFrom = nullptr,
                                 CheckedForms* checked = nullptr, const Review* review = nullptr);

// The first problem after (step 1) or before (-1) the place, round through all forms; nothing
// when there is no problem. The problems are in form and row order.
std::optional<Problem> problemFrom(const QList<Problem>& problems, ProblemPlace here, int step);
