#include "Glossary.h"

#include "ScreenText.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

// A word of a text: where it stands and how it is compared (in lower case, without its access
// key).
struct Word {
    qsizetype start, end;
    QString key;
};

QList<Word> wordsOf(const QString& text)
{
    const ScreenText read(text);
    QList<Word> words;
    for (const TextPart& part : read.parts()) {
        if (part.kind == TextPart::Word)
            words.append({part.start, part.start + part.length, read.keyOf(part).toLower()});
    }
    return words;
}

// A word's forms as compared: itself and its stems, each asked for once a call.
class Forms {
public:
    explicit Forms(const Stemmer& stems)
        : m_stems(stems)
    {
    }
    const QSet<QString>& of(const QString& word)
    {
        auto found = m_forms.find(word);
        if (found == m_forms.end()) {
            // Only a stem with the word's first letter: an inflection ("files", "bestanden"),
            // not a word made with a prefix ("profile" of "file").
            QSet<QString> forms = {word};
            if (m_stems)
                for (const QString& stem : m_stems(word))
                    if (stem.startsWith(word.front(), Qt::CaseInsensitive))
                        forms.insert(stem.toLower());
            found = m_forms.insert(word, forms);
        }
        return *found;
    }
    bool same(const QString& a, const QString& b) { return a == b || of(a).intersects(of(b)); }

private:
    const Stemmer& m_stems;
    QHash<QString, QSet<QString>> m_forms;
};

} // namespace

QList<TermPlace> findTerms(const QList<GlossaryTerm>& terms, const QString& text,
                           const Stemmer& stems, bool targets)
{
    Forms forms(stems);
    // Each term by the forms of its first word, so that a word of the text is looked up, not
    // compared with every term.
    QList<QList<Word>> termWords;
    QHash<QString, QList<qsizetype>> byFirst;
    for (qsizetype t = 0; t < terms.size(); ++t) {
        termWords.append(wordsOf(targets ? terms.at(t).target : terms.at(t).source));
        if (!termWords.last().isEmpty())
            for (const QString& form : forms.of(termWords.last().first().key))
                byFirst[form].append(t);
    }
    const QList<Word> words = wordsOf(text);
    QList<TermPlace> found;
    for (qsizetype w = 0; w < words.size(); ++w) {
        TermPlace best{0, 0, -1};
        QSet<qsizetype> tried;
        for (const QString& form : forms.of(words.at(w).key)) {
            for (const qsizetype t : byFirst.value(form)) {
                const QList<Word>& term = termWords.at(t);
                if (tried.contains(t) || w + term.size() > words.size())
                    continue;
                tried.insert(t);
                bool whole = true;
                for (qsizetype i = 0; whole && i < term.size(); ++i)
                    whole = forms.same(words.at(w + i).key, term.at(i).key);
                const qsizetype end = words.at(w + term.size() - 1).end;
                if (whole && (best.term < 0 || end - words.at(w).start > best.length ||
                              (end - words.at(w).start == best.length && t < best.term)))
                    best = {words.at(w).start, end - words.at(w).start, t};
            }
        }
        if (best.term < 0)
            continue;
        found.append(best);
        while (w + 1 < words.size() && words.at(w + 1).start < best.start + best.length)
            ++w;
    }
    return found;
}

QStringList glossaryProblems(const QList<GlossaryTerm>& terms, const QString& reference,
                             const QString& text, const Stemmer& sourceStems,
                             const Stemmer& targetStems)
{
    QStringList problems;
    for (const TermPlace& place : findTerms(terms, reference, sourceStems)) {
        const GlossaryTerm& term = terms.at(place.term);
        const QString written = reference.mid(place.start, place.length);
        if (term.doNotTranslate) {
            // As written, as a whole word: a name keeps its case.
            const QList<TermPlace> there = findTerms({{written, {}, true}}, text, {});
            if (std::ranges::none_of(there, [&](const TermPlace& p) {
                    return QStringView(text).mid(p.start, p.length) == written;
                }))
                problems << QCoreApplication::translate("Glossary",
                                                        "\"%1\" is not translated, by the glossary")
                                .arg(written);
        } else if (!term.target.isEmpty() && findTerms({term}, text, targetStems, true).isEmpty()) {
            problems << QCoreApplication::translate("Glossary", "\"%1\" is \"%2\" in the glossary")
                            .arg(written, term.target);
        }
    }
    return problems;
}
