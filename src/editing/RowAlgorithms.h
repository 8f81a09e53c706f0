#pragma once

#include <QString>
#include <QStringList>

// The text Insert puts before the selected row.
inline constexpr char16_t NewRowText[] = u"<NEW>";

// Inserts "<NEW>" at index s (0 <= s < rows.size()): the rows from s on move one place down.
void insertNewRow(QStringList& rows, int s);

// Removes row s (0 <= s < rows.size()); the rows after it move up.
void deleteRow(QStringList& rows, int s);

// Replaces every occurrence of search by replacement in the text, left to right without overlap
// and without searching replaced text again. Returns whether the text held the search text.
bool replaceAll(QString& text, const QString& search, const QString& replacement);

// Replaces every occurrence of search by replacement in each row, left to right without
// overlap and without searching replaced text again. Returns how many rows held the search
// text (a row counts once). An empty search text changes nothing.
int replaceInRows(QStringList& rows, const QString& search, const QString& replacement);
