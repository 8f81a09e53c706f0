#pragma once

#include <QString>

// True when the text holds none of "½", "¾" and "¼" (the last is the file's row terminator).
bool Check_Characters(const QString& text);

// Why a language file cannot hold the text in a row ("holds the character "✓" (U+2713), which
// Windows-1252 cannot store"), or an empty text.
QString storageProblem(const QString& text);

// The checks a typed text passes before it reaches the document; the first that fails decides.
enum class TextRule { Passed, RowLimit, MinimumLength, ForbiddenCharacters };

// Row dialog: the row list must hold fewer than 200 rows, the text at least 3 characters (as
// typed, blanks included) and none of the forbidden characters.
TextRule checkRowText(const QString& text, int rowCount);
// Form-name dialog and the replacement text: only the forbidden characters.
TextRule checkName(const QString& text);

// The message a failed rule shows (critical icon, no title of its own).
QString ruleMessage(TextRule rule);

// Shown by the row dialog at its limit, and by Insert on a list that is already full.
QString maximumRowsMessage();
