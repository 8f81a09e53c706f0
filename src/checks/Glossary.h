#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A term of a glossary: how a source term is translated in one language pair.
struct GlossaryTerm {
    QString source;
    QString target; // empty where the term is not translated
    bool doNotTranslate = false;
    QString note = {}, partOfSpeech = {};
};

// A language's stems of a word (Hunspell's: "bestand" of "bestanden"), or none where there is no
// dictionary.
using Stemmer = std::function<QStringList(const QString& word)>;

// Where a term stands in a text: its first character, its length, and which of the terms.
struct TermPlace {
    qsizetype start = 0, length = 0;
    qsizetype term = 0;

    bool operator==(const TermPlace&) const = default;
};

// The terms (their source, or with `targets` their translation) that stand in the text as whole
// words one after the other, in any case, as written or inflected: a word of the text and one of
// the term are one when they share a stem. Of terms that overlap, the one that starts first, then
// the longer; in the order they stand.
QList<TermPlace> findTerms(const QList<GlossaryTerm>& terms, const QString& text,
                           const Stemmer& stems, bool targets = false);

// What a translation does against the glossary: each term of the reference whose translation is
// not in the text (as written or inflected), and each term not to be translated that is not there
// as written.
QStringList glossaryProblems(const QList<GlossaryTerm>& terms, const QString& reference,
                             const QString& text, const Stemmer& sourceStems,
                             const Stemmer& targetStems);
