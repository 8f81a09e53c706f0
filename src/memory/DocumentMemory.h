#pragma once

#include "LanguageDocument.h"
#include "TranslationMemory.h"
#include "WorkingCopy.h"

// What a translation memory learns from a document translated against its reference, and what
// it gives back, shared by the window and lexicant-cli.

// How the memory names a document's file: its absolute path.
QString memoryOrigin(const QString& path);

// What each row of a file was translated from, by form and row.
using RowSources = QHash<std::pair<int, int>, QString>;

// The rows both the reference and the document use (a row of one character, or one that reads
// as its reference, is no translation), as units of the memory from the document's file. A row
// translated from another text than the reference's (by translatedFrom) is left out: beside a
// changed reference text it still holds the translation of the old one, until it is translated
// again.
QList<MemoryUnit> translatedRows(const LanguageDocument& reference,
                                 const LanguageDocument& document, const QString& path,
                                 const QString& sourceLanguage, const QString& targetLanguage,
                                 const RowSources& translatedFrom = {});

struct Pretranslation {
    QList<PlacedText> texts;
    // Rows left empty although the memory knows them: the translation and why a language file
    // cannot hold it.
    QList<std::pair<PlacedText, QString>> refused;
};

// The rows the reference uses and the document leaves empty, each with the memory's translation
// of the same text (access keys aside).
Pretranslation pretranslation(const TranslationMemory& memory, const LanguageDocument& reference,
                              const LanguageDocument& document, const QString& sourceLanguage,
                              const QString& targetLanguage);
