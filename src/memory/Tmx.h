#pragma once

#include "TranslationMemory.h"

#include <QMap>

// TMX 1.4, the exchange format of translation memories: each <tu> a source text and its
// translations, one <tuv xml:lang> each. Where a unit was made (file, form and row) travels in the
// unit's <prop type="x-origin">, "x-form" and "x-row", so that a memory written and read back is
// the same memory. A control character, which XML cannot hold, is written as
// <ph type="x-control"> holding its Unicode picture ("␁" for U+0001) and read back as itself.

struct TmxContents {
    QList<MemoryUnit> units;    // one per translation of each <tu>
    int read = 0;               // <tu> elements
    QMap<QString, int> skipped; // why a <tu> or one of its translations was left out: how many
};

// The units of a TMX file, from the header's source language or the unit's own (where the
// header says "*all*" and the unit nothing, its first text is the source); without origin
// properties, their origin the file and their row the unit's place in it. Or why the file cannot
// be read.
QString readTmx(const QString& path, TmxContents& contents);

// Writes the units as TMX; why not, or an empty text. A file that was there is replaced whole or
// not at all. A unit holding a character XML cannot hold, not even as a control's picture (a lone
// surrogate), is left out and described in `dropped`.
QString writeTmx(const QString& path, const QList<MemoryUnit>& units, QStringList& dropped);
