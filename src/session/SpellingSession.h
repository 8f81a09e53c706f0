#pragma once

#include <QObject>

#include <memory>

class HunspellSpeller;
class LanguageSession;

// The language the document is spelt in and its dictionary, loaded when a language is chosen;
// the language is remembered for the document's file.
class SpellingSession : public QObject {
    Q_OBJECT
public:
    explicit SpellingSession(const LanguageSession& session, QObject* parent = nullptr);
    ~SpellingSession() override;

    // The dictionary the document is spelt with ("nl_NL"; empty: none). Returns why it cannot be
    // loaded, or an empty text.
    QString setLanguage(const QString& language);
    QString language() const;
    HunspellSpeller* speller() const { return m_speller.get(); }
    QString rememberedLanguageFor(const QString& documentPath) const;
    // Whether words in capitals ("EGID") and with a capital inside ("PackageKit") are spelt too;
    // otherwise they are names and codes. The person's setting, for every document.
    bool checksCapitals() const;
    void setChecksCapitals(bool on);
    // Adds a word to the spelling language's personal word list; why it could not be written,
    // or an empty text.
    QString addWord(const QString& word);

signals:
    void languageChanged(const QString& language);
    // Another dictionary, or a word added to it: what is spelt right may differ.
    void spellerChanged();

private:
    const LanguageSession& m_session;
    std::unique_ptr<HunspellSpeller> m_speller;
};
