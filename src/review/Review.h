#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// Where a translation stands. A row without text is untranslated whatever was said of it.
enum class RowState { Untranslated, NeedsReview, Translated, Reviewed };

// The state's name in the companion file, in XLIFF-like lower case: "needs-review".
QString stateName(RowState state);
std::optional<RowState> stateNamed(const QString& name);

// What is known of one row beyond its text: kept beside the language file, never in it.
struct RowReview {
    RowState state = RowState::Translated;
    // The translation and the reference text this was said of: a changed reference sends the row
    // back to review, and a changed translation takes back its review and accepted problems.
    QString text;
    QString reference;
    QString note;
    QString noteBy;
    QDateTime noteAt;
    QString reviewedBy;
    QDateTime reviewedAt;
    // Problems the translator accepted for this text (by the checks' names: "same", "spelling").
    QStringList accepted;

    bool operator==(const RowReview&) const = default;
};

// A row of a form: form 1 to 24, row 0 to 200.
struct RowKey {
    int form = 0, row = 0;
    auto operator<=>(const RowKey&) const = default;
};

// The review of a language file: what is known of each row, by form and row.
struct Review {
    QMap<RowKey, RowReview> rows;
    // What is known of a row, or nothing.
    const RowReview* find(RowKey key) const
    {
        const auto found = rows.constFind(key);
        return found == rows.cend() ? nullptr : &*found;
    }
    bool operator==(const Review&) const = default;
};

// The companion file of a language file: "nl.lsf" has "nl.lsf.review" beside it.
QString reviewPath(const QString& languageFile);

// The companion file's bytes: UTF-8 JSON, a row a block in form and row order, so that a change
// of one row is a change of a few lines in a diff.
QByteArray reviewBytes(const Review& review);

struct ReviewReading {
    Review review;
    QString problem; // empty when the bytes were a review; else what is wrong with them
};
// Reads a companion file's bytes; anything that is not a review of this format says why.
ReviewReading readReview(const QByteArray& bytes);

// Where a row stands now, given its text and the reference text it translates (empty when no
// reference is known, here or in the record): untranslated without text; needs review when the
// reference is not the one it was translated from; translated when its text is not the one
// reviewed; else as recorded (translated when nothing is).
RowState stateOf(const RowReview* review, const QString& text, const QString& reference);

// Whether a problem of this check stays accepted for the row as it is now.
bool isAccepted(const RowReview* review, const QString& check, const QString& text,
                const QString& reference);

// The row's record after the translator stored a text (`state` Translated, or NeedsReview for a
// text taken from a memory or pre-translation): the note is kept, the review and the accepted
// problems go when the text changed.
RowReview stored(const RowReview* review, const QString& text, const QString& reference,
                 RowState state);
// The row's record after a reviewer passed it.
RowReview reviewed(const RowReview* review, const QString& text, const QString& reference,
                   const QString& who, const QDateTime& when);
