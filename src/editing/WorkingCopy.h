#pragma once

#include "LanguageDocument.h"

#include <QStringList>

#include <array>
#include <optional>

// What the window shows of the document and the user edits: the 24 names of the form list, the
// row list of the selected form, and the five settings boxes. Edits change this value; only the
// commit carries it into the document's tables.
struct WorkingCopy {
    static constexpr int SettingCount = FileSettingCount;
    static constexpr std::ranges::iota_view<int, int> Settings{0, SettingCount};
    // The most characters each settings box holds: application, version, author, revision, date.
    static constexpr std::array<int, SettingCount> SettingLengths = {30, 5, 30, 3, 8};

    QStringList formNames;
    QStringList rows;
    std::array<QString, SettingCount> settings;
    // For each row of the list, the row of the stored form it was read from; Added (or no entry)
    // for a row added since, which translates the row the commit will store it at.
    QList<int> origins;
    static constexpr int Added = -1;

    int originOf(int item) const { return origins.value(item, Added); }

    bool operator==(const WorkingCopy&) const = default;
};

// A text at a form (1 to 24) and row of a document.
struct PlacedText {
    int form, row;
    QString text;
};

// The rows a form shows: those longer than one character, in row order, without gaps; and the
// row each of them is stored at.
QStringList shownRows(const LanguageTable& table);
QList<int> shownRowIndexes(const LanguageTable& table);

// The form list of a new document: the placeholder with its trailing blank, 24 times.
QStringList newFormNames();
// The form list of an opened document: each name, or for a name under two characters the
// placeholder without the blank.
QStringList openedFormNames(const LanguageDocument& document);
// The five settings as the boxes show them: cut to the boxes' lengths.
std::array<QString, WorkingCopy::SettingCount> documentSettings(const LanguageDocument& document);

// The working copy right after the document was opened and form 1 to 24 selected (0: none).
WorkingCopy openedWorkingCopy(const LanguageDocument& document, int selectedForm);

// The selected form's 201 rows, each text at the row it translates (the row it was read from; a
// row added since: its index in the list). Nothing when two rows of the list claim one row.
std::optional<QStringList> rowsByOrigin(const WorkingCopy& copy);
// The rows before the last one with a text that hold none (or one character): saving the form
// closes them up and moves every row after them.
QList<int> gapsIn(const QStringList& rows);
// The rows with a text that closing up those gaps moves to another index.
QList<int> movingRows(const QStringList& rows);

// The commit: form names 1 to 24 from the form list and name 25 empty; when a form (1 to 24) is
// selected, its rows from the row list from row 0 on, the rest emptied; the five settings.
// Returns how many rows of the list did not fit the form's 201 rows (they are not stored).
int commitWorkingCopy(const WorkingCopy& copy, int selectedForm, LanguageDocument& document);
