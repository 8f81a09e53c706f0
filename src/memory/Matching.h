#pragma once

#include <QString>
#include <QStringList>

// How alike two source texts are, as a translation memory judges them: access keys do not count
// ("&Open" is "Open"), each placeholder ("%1", "%s", "{0}") is one token, and case counts little.

// The text as it is compared: access key markers gone, placeholders as one character each.
QString comparableText(const QString& text);

// 100 for the same text (access keys aside), 99 when only the case differs; otherwise the mean of
// the word and character edit distances as a share of the longer text, a word put for another
// counting as the share of its characters that differ ("Printer" for "Printers" an eighth), so
// that one word changed in five scores about 80 and texts with nothing alike near 0.
int matchScore(const QString& text, const QString& candidate);
// The same for two texts already made comparable (comparableText).
int comparableScore(const QString& text, const QString& candidate);

// The best score two comparable texts of these lengths can reach: their character distance is at
// least the difference of their lengths.
int highestScore(qsizetype a, qsizetype b);

// The Levenshtein distance of two texts in UTF-16 code units: the fewest characters inserted,
// removed or replaced to make one the other.
int characterDistance(QStringView a, QStringView b);

// The character trigrams of a comparable text in lower case between two spaces, each once, but
// for those across a space ("a f" of "a file"), which join any two words and say little of a text:
// what a lookup selects candidates by. A text of three characters or less keeps them all.
QStringList trigramsOf(const QString& comparable);

// A suggestion's translation fitted to the text translated now, where that is unambiguous: an
// access key the text does not have is dropped, and placeholders renumbered as the text numbers
// them when the suggestion's source and the text hold as many, each once in the translation.
QString fittedTranslation(const QString& source, const QString& target, const QString& text);
