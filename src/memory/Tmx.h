#pragma once

#include "TranslationMemory.h"

// TMX 1.4, the exchange format of translation memories: each <tu> a source text and its
// translations, one <tuv xml:lang> each.

// The units of a TMX file (one per translation of each <tu>, from the header's source language
// or the unit's own; their origin the file, their row the unit's place in it), or why it cannot
// be read.
QString readTmx(const QString& path, QList<MemoryUnit>& units);

// Writes the units as TMX; why not, or an empty text. A file that was there is replaced whole or
// not at all.
QString writeTmx(const QString& path, const QList<MemoryUnit>& units);
