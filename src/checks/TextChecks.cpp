// The checks a screen text needs beyond its access keys, placeholders and punctuation: numbers,
// tabs, capitals, brackets, doubled words and spaces, addresses, tags, what a language file can
// store, length and spelling. Where translate-toolkit's pofilter has the same test, these give
// its verdicts.
#include "TextChecks.h"

#include "LanguageFormat.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

QString quotedList(const QStringList& items)
{
    if (items.isEmpty())
        return QCoreApplication::translate("ReferenceChecks", "none");
    QStringList quoted;
    for (const QString& item : items)
        quoted << u'"' + item + u'"';
    return quoted.join(QStringLiteral(", "));
}

namespace {

// What a text holds, found in one pass, so that most texts skip most checks.
struct Facts {
    bool digits = false, addresses = false, tags = false;

    explicit Facts(const QString& text)
    {
        char16_t previous = 0;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            digits = digits || (u >= '0' && u <= '9') || (u >= 0x80 && c.isDigit());
            addresses = addresses || u == '@' || u == ':' || (u == '.' && previous == 'w');
            tags = tags || u == '<';
            previous = u;
        }
    }
};

// Numbers as digits, with the points and degree signs inside them ("2.5", "20°").
QStringList numbers(const QString& text)
{
    QStringList found;
    QString number, points;
    for (const QChar c : text + u' ') {
        if (c.isDigit()) {
            number += points + c;
            points.clear();
        } else if (!number.isEmpty() && c == u'.') {
            points += c;
        } else if (!number.isEmpty() && c == QChar(0xB0)) {
            number += c;
        } else if (!number.isEmpty()) {
            found << number;
            number.clear();
            points.clear();
        }
    }
    return found;
}

const QRegularExpression& urlPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(https?:[\w/.:;+\-~%#$?=&,()]+|www\.[\w/.:;+\-~%#$?=&,()]+|)"
                       R"(ftp:[\w/.:;+\-~%#?=&,]+)"));
    return pattern;
}

const QRegularExpression& emailPattern()
{
    static const QRegularExpression pattern(QStringLiteral(R"([\w.\-]+@[\w.\-]+)"));
    return pattern;
}

QStringList matches(const QRegularExpression& pattern, const QString& text)
{
    QStringList found;
    for (auto match = pattern.globalMatch(text); match.hasNext();)
        found << match.next().captured();
    return found;
}

QStringList tags(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("<[^>]+>"));
    return text.contains(u'<') ? matches(pattern, text) : QStringList();
}

// Whether the text, past spaces and punctuation, starts with a capital letter; nothing when it
// starts with a digit or has no letter.
std::optional<bool> capitalStart(const QString& text)
{
    for (const QChar c : text) {
        if (c.isSpace() || c.isPunct() || c.isSymbol()) // "&" of an access key among them
            continue;
        if (c.isDigit())
            return std::nullopt;
        return c.isUpper();
    }
    return std::nullopt;
}

// The first word that follows itself, ignoring case, dots and access keys; placeholders and
// tags are no words.
QString doubledWord(const QString& text)
{
    const auto plain = [](QStringView word) {
        QString kept;
        for (const QChar c : word) {
            if (c != u'.' && c != u'&')
                kept += c.toLower();
        }
        return kept;
    };
    QString previous;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text.at(i).isSpace()) {
            if (start < 0)
                start = i;
            continue;
        }
        if (start < 0)
            continue;
        const QStringView word = QStringView(text).mid(start, i - start);
        start = -1;
        if (word.startsWith(u'%') || word.startsWith(u'{') || word.startsWith(u'<'))
            continue;
        QString current = plain(word);
        if (current.isEmpty())
            continue;
        if (current == previous)
            return current;
        previous = std::move(current);
    }
    return {};
}

// Of each number of the reference, too few in the translation. The digits of placeholders
// ("%1", "{0}") are the placeholders check's.
QStringList lostNumbers(QString reference, QString text)
{
    static const QRegularExpression placeholder(QStringLiteral(R"(%\d+\$?|\{\d+\})"));
    reference.remove(placeholder);
    text.remove(placeholder);
    QStringList lost;
    for (const QString& number : numbers(reference)) {
        if (!lost.contains(number) && text.count(number) < reference.count(number))
            lost << number;
    }
    return lost;
}

} // namespace

// The text without its "&" access key markers ("&&" stays one ampersand).
QString withoutAccessKeys(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size() && text.at(i + 1) != u'&')
            continue;
        plain += text.at(i);
        if (text.at(i) == u'&')
            ++i;
    }
    return plain;
}

void textProblems(const QString& reference, const QString& text, const CheckSet& checks,
                  QList<RowProblem>& problems)
{
    const auto add = [&](Check check, const QString& message) {
        if (checks.has(check))
            problems.append({check, message});
    };
    const Facts ours(text), theirs(reference);
    if (theirs.digits) { // a reference without digits loses none
        if (const QStringList lost = lostNumbers(reference, text); !lost.isEmpty())
            add(Check::Numbers, QCoreApplication::translate(
                                    "ReferenceChecks", "numbers %1 of the reference are missing")
                                    .arg(quotedList(lost)));
    }
    if (text.count(u'\t') != reference.count(u'\t'))
        add(Check::Tabs, QCoreApplication::translate("ReferenceChecks", "%1 tabs, the reference %2")
                             .arg(text.count(u'\t'))
                             .arg(reference.count(u'\t')));
    const auto capital = capitalStart(text), referenceCapital = capitalStart(reference);
    if (capital && referenceCapital && *capital != *referenceCapital && text.size() > 1 &&
        reference.size() > 1)
        add(Check::Capitals,
            *referenceCapital
                ? QCoreApplication::translate(
                      "ReferenceChecks", "starts with a small letter, the reference with a capital")
                : QCoreApplication::translate(
                      "ReferenceChecks",
                      "starts with a capital, the reference with a small letter"));
    for (const QChar bracket : QStringLiteral("()[]{}")) {
        if (text.count(bracket) != reference.count(bracket)) {
            add(Check::Brackets,
                QCoreApplication::translate("ReferenceChecks", "%1 \"%2\", the reference %3")
                    .arg(text.count(bracket))
                    .arg(bracket)
                    .arg(reference.count(bracket)));
            break;
        }
    }
    if (const QString word = checks.has(Check::DoubleWords) ? doubledWord(text) : QString();
        !word.isEmpty())
        add(Check::DoubleWords,
            QCoreApplication::translate("ReferenceChecks", "the word \"%1\" is repeated")
                .arg(word));
    const auto doubleSpaces = [](const QString& s) { return withoutAccessKeys(s).count(u"  "); };
    if (doubleSpaces(text) != doubleSpaces(reference))
        add(Check::DoubleSpaces,
            QCoreApplication::translate("ReferenceChecks", "%1 double spaces, the reference %2")
                .arg(doubleSpaces(text))
                .arg(doubleSpaces(reference)));
    const auto addressesOf = [](const QString& s, const Facts& facts) {
        return facts.addresses ? matches(urlPattern(), s) + matches(emailPattern(), s)
                               : QStringList();
    };
    const QStringList addresses = addressesOf(text, ours);
    const QStringList referenceAddresses = addressesOf(reference, theirs);
    if (addresses != referenceAddresses)
        add(Check::Urls,
            QCoreApplication::translate("ReferenceChecks", "addresses %1, the reference %2")
                .arg(quotedList(addresses), quotedList(referenceAddresses)));
    // A reference that is one tag as a whole ("<Error>") is a text, not markup.
    const QStringList referenceTags = theirs.tags ? tags(reference) : QStringList();
    const bool wholeTag = referenceTags.size() == 1 && referenceTags.first() == reference &&
                          !reference.contains(u'=');
    if (!wholeTag && (ours.tags || theirs.tags) && tags(text) != referenceTags)
        add(Check::Tags, QCoreApplication::translate("ReferenceChecks", "tags %1, the reference %2")
                             .arg(quotedList(tags(text)), quotedList(referenceTags)));
    if (text.size() > checks.lengthFactor * double(reference.size()) + 10)
        add(Check::Length,
            QCoreApplication::translate(
                "ReferenceChecks", "%1 characters, more than %2 times the reference's %3 and 10")
                .arg(text.size())
                .arg(checks.lengthFactor)
                .arg(reference.size()));
}

void ownProblems(const QString& reference, const QString& text, const CheckSet& checks,
                 QList<RowProblem>& problems)
{
    if (checks.has(Check::Encoding)) {
        const lsf::Encoded encoded = lsf::encode1252(text);
        if (!encoded.ok())
            problems.append(
                {Check::Encoding,
                 QCoreApplication::translate("ReferenceChecks",
                                             "holds %1, which a language file cannot store")
                     .arg(lsf::characterName(lsf::characterAt(text, encoded.badPosition)))});
    }
    if (checks.has(Check::Spelling) && checks.speller) {
        for (const QString& word : spellingWords(text, reference)) {
            if (!checks.speller->knows(word))
                problems.append(
                    {Check::Spelling, QCoreApplication::translate("ReferenceChecks",
                                                                  "\"%1\" is not in the dictionary")
                                          .arg(word)});
        }
    }
}

QList<SpelledWord> spellingRanges(const QString& text, const QString& reference)
{
    // Addresses, placeholders, tags and words with digits are blanked first, keeping the
    // places of the rest; an access key inside a word goes with its marker. A word is made of
    // any script's letters and marks ("coördinatie"), not only ASCII's.
    static const QRegularExpression skipped(
        QStringLiteral(R"(https?:\S+|www\.\S+|[\w.\-]+@[\w.\-]+|%\d+\$?\w?|%[-+#0]*\d*(?:\.\d+)?)"
                       R"([a-zA-Z]|\{\d+\}|<[^>]+>|[\w&]*\d[\w&]*)"),
        QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression word(QStringLiteral(R"([\w&]*\w(?:['’][\w&]*\w)*)"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    const auto wordsOf = [](const QString& s) {
        QString blanked = s;
        for (auto match = skipped.globalMatch(s); match.hasNext();) {
            const auto m = match.next();
            blanked.replace(m.capturedStart(), m.capturedLength(),
                            QString(m.capturedLength(), u' '));
        }
        QList<SpelledWord> found;
        for (auto match = word.globalMatch(blanked); match.hasNext();) {
            const auto m = match.next();
            // A match holds a word character, which taking the access keys out leaves.
            const QString plain = withoutAccessKeys(m.captured());
            if (plain.front().isLetter())
                found.append({int(m.capturedStart()), int(m.capturedLength()), plain});
        }
        return found;
    };
    QStringList kept;
    for (const SpelledWord& w : wordsOf(reference))
        kept << w.word;
    QList<SpelledWord> asked;
    for (const SpelledWord& w : wordsOf(text)) {
        if (!kept.contains(w.word))
            asked.append(w);
    }
    return asked;
}

QList<SpelledWord> textMarks(const QString& text, const QString& reference, const Speller* speller)
{
    QList<SpelledWord> marks;
    if (speller) {
        for (const SpelledWord& w : spellingRanges(text, reference)) {
            if (!speller->knows(w.word))
                marks.append(w);
        }
    }
    for (qsizetype i = lsf::encode1252(text).ok() ? text.size() : 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        if (!lsf::encode1252(text.mid(i, pair ? 2 : 1)).ok())
            marks.append({int(i), pair ? 2 : 1, text.mid(i, pair ? 2 : 1)});
        i += pair ? 1 : 0;
    }
    std::ranges::sort(marks, {}, &SpelledWord::start);
    return marks;
}

QStringList spellingWords(const QString& text, const QString& reference)
{
    QStringList words;
    for (const SpelledWord& w : spellingRanges(text, reference)) {
        if (!words.contains(w.word))
            words << w.word;
    }
    return words;
}

std::optional<Check> checkNamed(const QString& name)
{
    for (const int c : AllChecks) {
        if (checkName(Check(c)) == name)
            return Check(c);
    }
    return std::nullopt;
}
