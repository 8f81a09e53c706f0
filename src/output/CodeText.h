#pragma once

#include "LanguageDocument.h"

#include <QString>

// The document as program source: for every non-empty entry of every table, in table and index
// order, the line TAB label "_lng_(" index ") = " QUOTE text QUOTE CR LF. Texts are not escaped.
QString BuildCodeText(const LanguageDocument& document);

// The label the code text gives one entry, such as "F03_lng_(7)".
QString entryLabel(int table, int index);
