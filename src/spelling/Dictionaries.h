#pragma once

#include "Glossary.h"
#include "ReferenceChecks.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct Hunhandle;

// Hunspell dictionaries where Debian's hunspell-* packages put them (/usr/share/hunspell), and
// the person's own ($XDG_DATA_HOME/hunspell, which wins); LEXICANT_DICTIONARY_PATH, a list of
// folders, replaces both.
QStringList dictionaryFolders();
// Each dictionary by its name ("nl_NL", "en_US"), with the path of its .dic file.
QMap<QString, QString> installedDictionaries();

// The personal word list of a language: words added to its dictionary, one a line, in the
// person's data folder ($XDG_DATA_HOME/lexicant/words-nl_NL.txt).
QString personalWordList(const QString& language);

// One dictionary, with the person's own words added.
class HunspellSpeller : public Speller {
public:
    // The language's dictionary, or nothing with the reason in `problem`.
    static std::unique_ptr<HunspellSpeller> load(const QString& language, QString& problem);
    ~HunspellSpeller() override;
    HunspellSpeller(const HunspellSpeller&) = delete;
    HunspellSpeller& operator=(const HunspellSpeller&) = delete;

    QString language() const { return m_language; }
    bool knows(const QString& word) const override;
    QStringList suggestions(const QString& word) const;
    // The word's stems by the dictionary's affixes ("bestand" of "bestanden"); none for a word
    // it does not know.
    QStringList stems(const QString& word) const;
    // The stems by the dictionary the function gives when asked (none: none), for a glossary.
    static Stemmer stemmer(std::function<const HunspellSpeller*()> speller);
    // Adds the word to the personal word list and to this dictionary; the reason it could not be
    // written, or an empty text.
    QString addToPersonalList(const QString& word);
    // Why the personal word list was not read (not a regular file, too large, unreadable), or an
    // empty text.
    QString wordListProblem() const { return m_wordListProblem; }

private:
    HunspellSpeller(const QString& language, Hunhandle* handle);
    QByteArray encoded(const QString& word) const;
    // The words of a list Hunspell made, in this dictionary's encoding; the list is freed.
    QStringList taken(char** list, int n) const;

    QString m_language;
    Hunhandle* m_handle;
    // The words asked about, with the answer: a text checked again asks about the same words.
    mutable QHash<QString, bool> m_known;
    bool m_utf8;
    QString m_wordListProblem;
};
