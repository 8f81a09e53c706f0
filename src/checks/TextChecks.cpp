// The checks a screen text needs beyond its access keys, placeholders and punctuation: numbers,
// tabs, capitals, brackets, doubled words and spaces, addresses, tags, the glossary's terms, what
// a language file can store, length and spelling. Where translate-toolkit's pofilter has the same
// test, these give its verdicts, but for the few differences the README lists and gives reasons
// for.
#include "TextChecks.h"

#include "Glossary.h"
#include "LanguageFormat.h"

#include <QCoreApplication>
#include <QSet>

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

// The control character's short name: "NUL", "EOT", "DEL".
QString controlName(QChar c)
{
    static const char* const names[] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                        "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                        "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                        "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
    return QLatin1String(c.unicode() < 32 ? names[c.unicode()] : "DEL");
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

// The first word that follows itself, ignoring case and access keys, each word a whole text
// between spaces ("--bytes  bytes" repeats nothing): a placeholder, tag or address between two
// words keeps them apart, as it does on the screen ("ofwel %s ofwel %s").
QString doubledWord(const ScreenText& text)
{
    const QString& all = text.text();
    const auto spaceAt = [&all](qsizetype i) {
        return i < 0 || i >= all.size() || all.at(i).isSpace();
    };
    const auto word = [&text](const TextPart& part) {
        return part.key.isNull() ? text.textOf(part) : QStringView(part.key);
    };
    const TextPart* previous = nullptr;
    for (const TextPart& part : text.parts()) {
        if (part.kind == TextPart::AccessKey || part.kind == TextPart::Number)
            continue;
        if (part.kind != TextPart::Word) {
            previous = nullptr;
            continue;
        }
        const qsizetype end = part.start + part.length;
        if (previous && word(*previous).compare(word(part), Qt::CaseInsensitive) == 0 &&
            spaceAt(previous->start - 1) && (spaceAt(end) || all.at(end) == u'.')) {
            const qsizetype between = previous->start + previous->length;
            const QStringView gap = QStringView(all).mid(between, part.start - between);
            if (gap.contains(u' ') &&
                std::ranges::all_of(gap, [](QChar c) { return c.isSpace() || c == u'.'; }))
                return word(part).toString().toLower();
        }
        previous = &part;
    }
    return {};
}

// The marks counted in one pass: the brackets, then the tab.
constexpr char16_t CountedMarks[] = u"()[]{}\t";
constexpr std::size_t Tab = 6;

// How often each of CountedMarks stands in the text.
std::array<int, 7> marksCounted(const QString& text)
{
    std::array<int, 7> counts{};
    for (const QChar c : text) {
        if (c.unicode() > u'}')
            continue;
        for (std::size_t m = 0; m < counts.size(); ++m)
            counts[m] += c == CountedMarks[m] ? 1 : 0;
    }
    return counts;
}

// The numbers one text has more often than the other.
QStringList moreNumbers(const ScreenText& text, const ScreenText& other)
{
    const QStringList ours = text.keys(TextPart::Number), theirs = other.keys(TextPart::Number);
    QStringList more;
    for (const QString& number : ours) {
        if (!more.contains(number) && ours.count(number) > theirs.count(number))
            more << number;
    }
    return more;
}

} // namespace

void textProblems(const ScreenText& referenceText, const ScreenText& read, const CheckSet& checks,
                  QList<RowProblem>& problems)
{
    const auto add = [&](Check check, const QString& message) {
        if (checks.has(check))
            problems.append({check, message});
    };
    const QString &reference = referenceText.text(), &text = read.text();
    if (const QStringList lost = moreNumbers(referenceText, read); !lost.isEmpty())
        add(Check::Numbers, QCoreApplication::translate("ReferenceChecks",
                                                        "numbers %1 of the reference are missing")
                                .arg(quotedList(lost)));
    else if (const QStringList added = moreNumbers(read, referenceText); !added.isEmpty())
        add(Check::Numbers,
            QCoreApplication::translate("ReferenceChecks", "numbers %1 are not in the reference")
                .arg(quotedList(added)));
    const std::array<int, 7> ours = marksCounted(text), theirs = marksCounted(reference);
    if (ours[Tab] != theirs[Tab])
        add(Check::Tabs, QCoreApplication::translate("ReferenceChecks", "%1 tabs, the reference %2")
                             .arg(ours[Tab])
                             .arg(theirs[Tab]));
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
    for (std::size_t b = 0; b < Tab; ++b) {
        if (ours[b] != theirs[b]) {
            add(Check::Brackets,
                QCoreApplication::translate("ReferenceChecks", "%1 \"%2\", the reference %3")
                    .arg(ours[b])
                    .arg(QChar(CountedMarks[b]))
                    .arg(theirs[b]));
            break;
        }
    }
    // A word the reference repeats as well ("abcdefghijk ABCDEFGHIJK") is the reference's.
    if (const QString word = checks.has(Check::DoubleWords) ? doubledWord(read) : QString();
        !word.isEmpty() && word.compare(doubledWord(referenceText), Qt::CaseInsensitive) != 0)
        add(Check::DoubleWords,
            QCoreApplication::translate("ReferenceChecks", "the word \"%1\" is repeated")
                .arg(word));
    // Access keys take no space ("& " is none), so the text's own double spaces are counted:
    // each two spaces once, so that three spaces that align a column are one, as in pofilter.
    const auto doubleSpaces = [](const QString& s) {
        int n = 0;
        for (qsizetype i = s.indexOf(QLatin1String("  ")); i >= 0;
             i = s.indexOf(QLatin1String("  "), i + 2))
            ++n;
        return n;
    };
    if (const int spaces = doubleSpaces(text), referenceSpaces = doubleSpaces(reference);
        spaces != referenceSpaces)
        add(Check::DoubleSpaces,
            QCoreApplication::translate("ReferenceChecks", "%1 double spaces, the reference %2")
                .arg(spaces)
                .arg(referenceSpaces));
    const QStringList addresses = read.written(TextPart::Address);
    const QStringList referenceAddresses = referenceText.written(TextPart::Address);
    if (addresses != referenceAddresses)
        add(Check::Urls,
            QCoreApplication::translate("ReferenceChecks", "addresses %1, the reference %2")
                .arg(quotedList(addresses), quotedList(referenceAddresses)));
    // A reference that is one tag as a whole ("<b>") is a text, not markup.
    const QStringList tags = read.written(TextPart::Tag);
    const QStringList referenceTags = referenceText.written(TextPart::Tag);
    const bool wholeTag = referenceTags.size() == 1 && referenceTags.first() == reference &&
                          !reference.contains(u'=');
    if (!wholeTag && tags != referenceTags)
        add(Check::Tags, QCoreApplication::translate("ReferenceChecks", "tags %1, the reference %2")
                             .arg(quotedList(tags), quotedList(referenceTags)));
    if (checks.has(Check::Glossary) && checks.glossary)
        for (const QString& problem : checks.glossary->problems(referenceText, read))
            problems.append({Check::Glossary, problem});
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
        // A file can hold the control characters, but no screen shows them, and a PO file
        // cannot hold NUL or EOT; one the reference has too (a bell) is meant.
        if (const auto control = std::ranges::find_if(
                text,
                [&reference](QChar c) {
                    return ((c < u' ' && !QStringView(u"\t\n\r").contains(c)) || c == u'\x7f') &&
                           !reference.contains(c);
                });
            control != text.end())
            problems.append(
                {Check::Encoding,
                 QCoreApplication::translate("ReferenceChecks", "holds the control character %1")
                     .arg(controlName(*control))});
    }
    if (checks.has(Check::Spelling) && checks.speller) {
        QStringList named;
        for (const SpelledWord& w :
             spellingRanges(text, reference, checks.speller->checksCapitals)) {
            if (!named.contains(w.word) && !spelledRight(*checks.speller, text, w)) {
                named << w.word;
                problems.append(
                    {Check::Spelling, QCoreApplication::translate("ReferenceChecks",
                                                                  "\"%1\" is not in the dictionary")
                                          .arg(w.word)});
            }
        }
    }
}

namespace {

// Words in capitals ("EGID") and words with a capital inside ("PackageKit") are names and codes.
bool isNameOrCode(QStringView word)
{
    bool lower = false;
    int upper = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        lower = lower || word.at(i).isLower();
        upper += word.at(i).isUpper() ? 1 : 0;
        if (i > 0 && word.at(i).isUpper() && word.at(i - 1).isLower())
            return true;
    }
    return !lower && upper >= 2;
}

} // namespace

QList<SpelledWord> spellingRanges(const QString& text, const QString& reference, bool capitals)
{
    // The words, and the parts of a compound joined by hyphens ("tar-archief"), that start with
    // a letter and hold no digit or underscore ("MP3", "file_name"), with their access key
    // markers; a single letter ("e-mail") is no word to ask about.
    const auto wordsOf = [capitals](const QString& s) {
        const ScreenText read(s);
        QList<SpelledWord> found;
        for (const TextPart& part : read.parts()) {
            if (part.kind != TextPart::Word)
                continue;
            qsizetype start = part.start;
            for (const QStringView written : read.textOf(part).split(u'-')) {
                const QString word = written.toString().remove(u'&');
                if (word.size() > 1 && word.front().isLetter() &&
                    !std::ranges::any_of(word, [](QChar c) { return c.isDigit() || c == u'_'; }) &&
                    (capitals || !isNameOrCode(word)))
                    found.append({int(start), int(written.size()), word});
                start += written.size() + 1;
            }
        }
        return found;
    };
    // A name kept from the reference, whole or in a compound ("tar"), is no misspelling; nor is
    // a word taken over with a capital, as German writes a noun ("commit" as "Commit"), or with
    // an English plural ("Commits", "Repositories").
    QSet<QString> kept;
    for (const SpelledWord& w : wordsOf(reference)) {
        const QString word = w.word.toLower();
        kept << word << word + u's' << word + QStringLiteral("es");
        if (word.endsWith(u'y'))
            kept << word.chopped(1) + QStringLiteral("ies");
    }
    QList<SpelledWord> asked;
    for (const SpelledWord& w : wordsOf(text)) {
        if (!kept.contains(w.word.toLower()))
            asked.append(w);
    }
    return asked;
}

bool spelledRight(const Speller& speller, const QString& text, const SpelledWord& word)
{
    const QString after = text.mid(word.start + word.length, 1);
    return speller.knows(word.word) ||
           (after == QLatin1String(".") && speller.knows(word.word + u'.')) ||
           (after == QLatin1String("-") && word.word.endsWith(u's') &&
            speller.knows(word.word.chopped(1)));
}

QList<SpelledWord> textMarks(const QString& text, const QString& reference, const Speller* speller)
{
    QList<SpelledWord> marks;
    if (speller) {
        for (const SpelledWord& w : spellingRanges(text, reference, speller->checksCapitals)) {
            if (!spelledRight(*speller, text, w))
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

std::optional<Check> checkNamed(const QString& name)
{
    for (const int c : AllChecks) {
        if (checkName(Check(c)) == name)
            return Check(c);
    }
    return std::nullopt;
}
