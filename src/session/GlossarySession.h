#pragma once

#include "Glossary.h"

#include <QObject>

#include <memory>
#include <optional>

class HunspellSpeller;
class MemorySession;
class ReferenceSession;
class SpellingSession;

// The glossary of the reference's language and the document's, as the translation memory keeps
// it: read when the memory opens or learns, or a language or dictionary changes, and its words
// found inflected through both languages' dictionaries (the reference's, where there is one).
class GlossarySession : public QObject {
    Q_OBJECT
public:
    GlossarySession(const ReferenceSession& reference, const SpellingSession& spelling,
                    MemorySession& memory, QObject* parent = nullptr);
    ~GlossarySession() override;

    // None while the memory holds no terms for the two languages.
    const Glossary* glossary() const { return m_glossary ? &*m_glossary : nullptr; }
    // Adds a term, or changes the one of the same source; why it could not, or an empty text.
    QString addTerm(const GlossaryTerm& term);

signals:
    // Other terms, or the same found otherwise.
    void changed();

private:
    // With stemmed, the dictionary changed: the glossary is made anew even with the same terms.
    void reread(bool stemmed);

    const ReferenceSession& m_reference;
    const SpellingSession& m_spelling;
    MemorySession& m_memory;
    QString m_sourceLanguage;
    std::unique_ptr<HunspellSpeller> m_sourceSpeller;
    QList<GlossaryTerm> m_terms;
    std::optional<Glossary> m_glossary;
};
