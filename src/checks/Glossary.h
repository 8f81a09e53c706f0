#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class ScreenText;

// A term of a glossary: how a source term is translated in one language pair.
struct GlossaryTerm {
    QString source;
    QString target; // empty where the term is not translated
    bool doNotTranslate = false;
    QString note = {}, partOfSpeech = {};

    bool operator==(const GlossaryTerm&) const = default;
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

// A glossary of one language pair, read once for the texts it is asked about: its terms are
// found in a text as whole words one after the other, in any case, as written or inflected (a
// word of the text and one of the term are one when they share a stem with the word's first
// letter: "files", "bestanden", not "profile"); a word in capitals ("PATH") only as a term
// written so, since it is a name or a code.
class Glossary {
public:
    Glossary(QList<GlossaryTerm> terms, Stemmer sourceStems, Stemmer targetStems);

    const QList<GlossaryTerm>& terms() const { return m_terms; }
    // The terms in a text of the source language: of terms that overlap, the one that starts
    // first, then the longer; in the order they stand.
    QList<TermPlace> find(const QString& reference) const;
    QList<TermPlace> find(const ScreenText& reference) const;
    // What a translation does against the glossary: each term of the reference whose translation
    // is not in the text (as written or inflected), and each term not to be translated that is
    // not there as written.
    QStringList problems(const ScreenText& reference, const ScreenText& text) const;

private:
    struct Word {
        qsizetype start, end;
        QString key;   // in lower case, without its access key
        bool capitals; // no small letter: a name or a code (PATH, ID)
    };
    QList<TermPlace> find(const QList<Word>& words) const;
    // A language's words and their forms (themselves and their stems), each asked for once. A
    // word has few forms: a list, which is read at once where a set's buckets would be walked.
    struct Language {
        Stemmer stems;
        QHash<QString, QStringList> forms;
        const QStringList& of(const QString& word);
        bool same(const QString& a, const QString& b);
    };
    // The text's words; with code, also those of file names, paths and variables.
    static QList<Word> wordsOf(const ScreenText& text, bool code = true);
    // Where the words stand in the words of a text from `at`, as one: their end, or -1.
    static qsizetype match(const QList<Word>& words, qsizetype at, const QList<Word>& term,
                           Language& language);

    QList<GlossaryTerm> m_terms;
    QList<QList<Word>> m_sourceWords, m_targetWords;
    // Each term by the forms of its first word.
    QHash<QString, QList<qsizetype>> m_byFirst;
    mutable Language m_source, m_target;
};
