#include "Glossary.h"

#include "ScreenText.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// A term of fewer letters is too short to be told apart inside a longer word: at its start or
// end ("rijhoogte"), or anywhere in it ("standaardfoutuitvoer").
constexpr qsizetype MinCompoundPart = 3, MinInnerPart = 4;

// A word that is part of a file name, a path, a variable or an option ("file.txt", ".desktop",
// "/dev/tcp", "$PATH", "max_size", "--total") is no word of the language.
bool inCode(const QString& text, const TextPart& word)
{
    const qsizetype end = word.start + word.length;
    const QChar before = word.start > 0 ? text.at(word.start - 1) : QChar();
    const QChar after = end < text.size() ? text.at(end) : QChar();
    const bool dotted =
        after == u'.' && end + 1 < text.size() && text.at(end + 1).isLetterOrNumber();
    // An option ("--total": a hyphen that joins no word) or a named placeholder ("%(total)s").
    const bool named = QStringView(text).left(word.start).endsWith(u"%(");
    return QStringView(u"./\\$_-").contains(before) || QStringView(u"/\\_").contains(after) ||
           dotted || named;
}

} // namespace

Glossary::Glossary(QList<GlossaryTerm> terms, Stemmer sourceStems, Stemmer targetStems)
    : m_terms(std::move(terms))
    , m_source{std::move(sourceStems), {}}
    , m_target{std::move(targetStems), {}}
{
    for (qsizetype t = 0; t < m_terms.size(); ++t) {
        m_sourceWords.append(wordsOf(ScreenText(m_terms.at(t).source)));
        m_targetWords.append(wordsOf(ScreenText(m_terms.at(t).target)));
        if (!m_sourceWords.last().isEmpty())
            for (const QString& form : m_source.of(m_sourceWords.last().first().key))
                m_byFirst[form].append(t);
    }
}

const QStringList& Glossary::Language::of(const QString& word)
{
    auto found = forms.find(word);
    if (found == forms.end()) {
        // Only a stem with the word's first letter: an inflection ("files", "bestanden"), not a
        // word made with a prefix ("profile" of "file").
        QStringList all = {word};
        if (stems)
            for (const QString& stem : stems(word))
                if (stem.startsWith(word.front(), Qt::CaseInsensitive) &&
                    !all.contains(stem.toLower()))
                    all.append(stem.toLower());
        found = forms.insert(word, all);
    }
    return *found;
}

bool Glossary::Language::same(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    const QStringList& others = of(b);
    return std::ranges::any_of(of(a), [&](const QString& form) { return others.contains(form); });
}

QList<Glossary::Word> Glossary::wordsOf(const ScreenText& read, bool code)
{
    QList<Word> words;
    words.reserve(read.parts().size());
    for (const TextPart& part : read.parts()) {
        if (part.kind != TextPart::Word || (!code && inCode(read.text(), part)))
            continue;
        const QString key = read.keyOf(part);
        const bool capitals = std::ranges::none_of(key, [](QChar c) { return c.isLower(); });
        words.append({part.start, part.start + part.length, key.toLower(), capitals});
    }
    return words;
}

qsizetype Glossary::match(const QList<Word>& words, qsizetype at, const QList<Word>& term,
                          Language& language)
{
    if (term.isEmpty() || at + term.size() > words.size())
        return -1;
    for (qsizetype i = 0; i < term.size(); ++i) {
        const Word& word = words.at(at + i);
        if ((word.capitals && !term.at(i).capitals) || !language.same(word.key, term.at(i).key))
            return -1;
    }
    return words.at(at + term.size() - 1).end;
}

QList<TermPlace> Glossary::find(const QString& reference) const
{
    return find(wordsOf(ScreenText(reference), false));
}

QList<TermPlace> Glossary::find(const ScreenText& reference) const
{
    return find(wordsOf(reference, false));
}

QList<TermPlace> Glossary::find(const QList<Word>& words) const
{
    QList<TermPlace> found;
    for (qsizetype w = 0; w < words.size(); ++w) {
        TermPlace best{0, 0, -1};
        for (const QString& form : m_source.of(words.at(w).key)) {
            const auto terms = m_byFirst.constFind(form);
            if (terms == m_byFirst.cend())
                continue;
            for (const qsizetype t : *terms) {
                const qsizetype end = match(words, w, m_sourceWords.at(t), m_source);
                const qsizetype length = end - words.at(w).start;
                if (end >= 0 && (best.term < 0 || length > best.length ||
                                 (length == best.length && t < best.term)))
                    best = {words.at(w).start, length, t};
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

QStringList Glossary::problems(const ScreenText& referenceText, const ScreenText& read) const
{
    const QString& reference = referenceText.text();
    const QString plain = withoutAccessKeys(read.text());
    QStringList problems;
    const QList<Word> words = wordsOf(read);
    QSet<QString> forms; // of all the text's words, and of each part of a word with hyphens
    forms.reserve(words.size() * 2);
    for (const Word& word : words) {
        for (const QString& form : m_target.of(word.key))
            forms.insert(form);
        if (word.key.contains(u'-'))
            for (const QString& part : word.key.split(u'-', Qt::SkipEmptyParts))
                for (const QString& form : m_target.of(part))
                    forms.insert(form);
    }
    for (const TermPlace& place : find(referenceText)) {
        const GlossaryTerm& term = m_terms.at(place.term);
        const auto written = [&] { return reference.mid(place.start, place.length); };
        if (term.doNotTranslate) {
            // As written, keys aside, also in a compound ("Lexicant-map"): a name keeps its case.
            if (!plain.contains(withoutAccessKeys(written())))
                problems << QCoreApplication::translate(
                                "Glossary", "\"%1\" is kept as written, by the glossary")
                                .arg(written());
            continue;
        }
        // Each of its words by the forms the text has, or as a part of one of them, a compound
        // ("bestandsnaam", "tekstbestanden", "standaardfoutuitvoer"): the words of a term may
        // stand apart or in another order in a sentence ("Noord-Germaanse talen").
        const auto inText = [&](const QString& form) {
            return forms.contains(form) || std::ranges::any_of(forms, [&](const QString& word) {
                       return word.size() > form.size() &&
                              (form.size() >= MinInnerPart
                                   ? word.contains(form)
                                   : form.size() >= MinCompoundPart &&
                                         (word.startsWith(form) || word.endsWith(form)));
                   });
        };
        const bool held = std::ranges::all_of(m_targetWords.at(place.term), [&](const Word& word) {
            return std::ranges::any_of(m_target.of(word.key), inText);
        });
        if (!held)
            problems << QCoreApplication::translate("Glossary", "\"%1\" is \"%2\" in the glossary")
                            .arg(written(), term.target);
    }
    return problems;
}
