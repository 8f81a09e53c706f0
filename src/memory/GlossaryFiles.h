#pragma once

#include "Glossary.h"

#include <QMap>

// A glossary's terms as terminology tools exchange them: TBX (TBX-Basic: <martif> with a
// <termEntry> per term, and TBX v3's <tbx> with <conceptEntry>), and CSV with a header line
// (source,target,note). A name not translated travels with itself as its translation, which is
// how a file without that notion says it: a term with a capital read so is a name again.

struct GlossaryContents {
    QList<GlossaryTerm> terms;
    int read = 0;               // entries (TBX) or lines below the header (CSV)
    QMap<QString, int> skipped; // why an entry or a line was left out: how many
};

// The terms of the language pair in a TBX file: of each entry, the term of the source's
// language and the one of the target's (by their primary language: "en" is "en-US"), or of an
// unnamed language ("xx", as translate-toolkit writes it) where the entry has none of the
// target's; the entry's notes (or its definition) and the source term's part of speech. Or why
// the file cannot be read.
QString readTbx(const QString& path, const QString& sourceLanguage, const QString& targetLanguage,
                GlossaryContents& contents);

// The terms of a CSV file in UTF-8 whose first line names its columns: source and target, and
// note if there is one, in any order and case; other columns are passed over. Or why the file
// cannot be read.
QString readGlossaryCsv(const QString& path, GlossaryContents& contents);

// Writes the terms as TBX-Basic; why not, or an empty text. A file that was there is replaced
// whole or not at all. A term holding a character XML cannot hold is left out and described in
// `dropped`.
QString writeTbx(const QString& path, const QString& sourceLanguage, const QString& targetLanguage,
                 const QList<GlossaryTerm>& terms, QStringList& dropped);
