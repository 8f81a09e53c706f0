#include "ScreenText.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == u'_';
}

QChar at(const QString& text, qsizetype i)
{
    return i >= 0 && i < text.size() ? text.at(i) : QChar();
}

// The length of the digits at i.
qsizetype digitsAt(const QString& text, qsizetype i)
{
    qsizetype n = 0;
    while (i + n < text.size() && text.at(i + n).isDigit() && text.at(i + n).unicode() < 0x80)
        ++n;
    return n;
}

// The placeholder starting at the "%" or "{" at i: its length (0 for none) and key. Unnumbered
// printf conversions are numbered in their order, as gettext numbers them, so that "%s %s" and
// "%2$s %1$s" hold the same ones.
qsizetype placeholderAt(const QString& text, qsizetype i, int& unnumbered, QString& key)
{
    if (text.at(i) == u'{') {
        const qsizetype digits = digitsAt(text, i + 1);
        if (digits == 0 || at(text, i + 1 + digits) != u'}')
            return 0;
        key = text.mid(i, digits + 2);
        return digits + 2;
    }
    qsizetype j = i + 1;
    QString position;
    if (const qsizetype digits = digitsAt(text, j); digits > 0 && at(text, j + digits) == u'$') {
        position = text.mid(j, digits);
        j += digits + 1;
    }
    const qsizetype spec = j;
    while (QStringView(u"-+#0'").contains(at(text, j)))
        ++j;
    j += at(text, j) == u'*' ? 1 : digitsAt(text, j);
    if (at(text, j) == u'.')
        j += at(text, j + 1) == u'*' ? 2 : 1 + digitsAt(text, j + 1);
    for (const QStringView length : {u"hh", u"ll", u"h", u"l", u"L", u"q", u"j", u"z", u"t"}) {
        if (QStringView(text).mid(j).startsWith(length)) {
            j += length.size();
            break;
        }
    }
    if (QStringView(u"diouxXeEfFgGaAcsp").contains(at(text, j)) && !at(text, j).isNull()) {
        if (position.isEmpty())
            position = QString::number(++unnumbered);
        key = position + u'$' + text.mid(spec, j + 1 - spec);
        return j + 1 - i;
    }
    // Qt's own: %1 to %99, %L1 for a number in the reader's locale, and %n (or %Ln) for the
    // count a plural is chosen by.
    j = i + 1 + (at(text, i + 1) == u'L' ? 1 : 0);
    if (at(text, j) == u'n') {
        key = text.mid(i, j + 1 - i);
        return j + 1 - i;
    }
    const qsizetype digits = std::min<qsizetype>(digitsAt(text, j), 2);
    if (digits == 0 || text.at(j) == u'0')
        return 0;
    key = text.mid(i, j + digits - i);
    return j + digits - i;
}

bool isHtmlElement(const QString& name)
{
    static const QStringList elements =
        QStringLiteral("a abbr b big blockquote body br center cite code dd div dl dt em font h1 "
                       "h2 h3 h4 h5 h6 head hr html i img kbd li nobr ol p pre qt s small span "
                       "strong sub sup table td th title tr tt u ul var")
            .split(u' ');
    return elements.contains(name.toLower());
}

// The length of the tag starting at the "<" at i, 0 for none.
qsizetype tagAt(const QString& text, qsizetype i)
{
    static const QRegularExpression tag(
        QStringLiteral(R"(<(/?)([A-Za-z][\w.:\-]*)((?:\s+[^<>]*)?)(/?)>)"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = tag.match(text, i, QRegularExpression::NormalMatch,
                                                QRegularExpression::AnchorAtOffsetMatchOption);
    if (!m.hasMatch())
        return 0;
    const QString name = m.captured(2);
    const bool markup =
        !m.captured(1).isEmpty() || !m.captured(4).isEmpty() || m.captured(3).contains(u'=') ||
        isHtmlElement(name) ||
        text.indexOf(QStringLiteral("</") + name + u'>', i, Qt::CaseInsensitive) > i;
    return markup ? m.capturedLength() : 0;
}

const QRegularExpression& addressPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(https?:[\w/.:;+\-~%#$?=&,()]+|www\.[\w/.:;+\-~%#$?=&,()]+|)"
                       R"(ftp:[\w/.:;+\-~%#?=&,]+|[\w.\-]+@[\w.\-]+)"),
        QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

} // namespace

ScreenText::ScreenText(const QString& text)
    : m_text(text)
{
    // Characters an address, a placeholder or a tag holds are no words, keys or numbers.
    QList<bool> taken;
    m_parts.reserve(text.size() / 4);
    const auto take = [&](TextPart::Kind kind, qsizetype start, qsizetype length, QString key) {
        if (taken.isEmpty())
            taken.resize(text.size());
        std::fill(taken.begin() + start, taken.begin() + start + length, true);
        m_parts.append({kind, start, length, std::move(key)});
    };
    const auto free = [&](qsizetype i) { return taken.isEmpty() || !taken.at(i); };

    if (text.contains(u'@') || text.contains(u':') || text.contains(QLatin1String("www."))) {
        for (auto m = addressPattern().globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            take(TextPart::Address, match.capturedStart(), match.capturedLength(),
                 match.captured());
        }
    }
    int unnumbered = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!free(i) || (c != u'%' && c != u'{' && c != u'<'))
            continue;
        if (c == u'%' && at(text, i + 1) == u'%') {
            ++i; // "%%" is a percent sign
            continue;
        }
        QString key;
        if (const qsizetype n =
                c == u'<' ? tagAt(text, i) : placeholderAt(text, i, unnumbered, key);
            n > 0 &&
            std::all_of(taken.begin() + std::min(i, taken.size()),
                        taken.begin() + std::min(i + n, taken.size()), [](bool t) { return !t; })) {
            take(c == u'<' ? TextPart::Tag : TextPart::Placeholder, i, n,
                 c == u'<' ? text.mid(i, n) : key);
            i += n - 1;
        }
    }

    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!free(i))
            continue;
        const QChar c = text.at(i);
        const bool key = c == u'&' && at(text, i + 1).isLetterOrNumber() && free(i + 1);
        if (c == u'&' && at(text, i + 1) == u'&') {
            ++i;
            continue;
        }
        if (!key && !isWordCharacter(c))
            continue;
        // A word: word characters, with access keys, apostrophes and hyphens between them.
        qsizetype end = i;
        bool keys = false, letters = false;
        while (end < text.size() && free(end)) {
            const QChar e = text.at(end);
            if (isWordCharacter(e)) {
                letters = letters || e.isLetter() || e.isMark();
            } else if (e == u'&' && at(text, end + 1).isLetterOrNumber() && free(end + 1)) {
                m_parts.append({TextPart::AccessKey, end, 1, QStringLiteral("&")});
                keys = true;
            } else if (!((e == u'\'' || e == u'\u2019' || e == u'-') && end > i &&
                         isWordCharacter(text.at(end - 1)) && isWordCharacter(at(text, end + 1)) &&
                         free(end + 1))) {
                break;
            }
            ++end;
        }
        // Digits alone are a number, not a word. Most words are as written, and keep no copy.
        if (letters)
            m_parts.append(
                {TextPart::Word, i, end - i, keys ? text.mid(i, end - i).remove(u'&') : QString()});
        i = end - 1;
    }

    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!free(i) || !text.at(i).isDigit() || (i > 0 && text.at(i - 1).isDigit()))
            continue;
        QString key;
        qsizetype start = i;
        if (const QChar sign = at(text, i - 1);
            (sign == u'-' || sign == u'+') && free(i - 1) && !isWordCharacter(at(text, i - 2))) {
            key += sign;
            --start;
        }
        qsizetype end = i;
        while (end < text.size() && free(end)) {
            if (text.at(end).isDigit()) {
                key += text.at(end);
            } else if ((text.at(end) == u'.' || text.at(end) == u',') &&
                       at(text, end + 1).isDigit()) {
                key += u'.';
            } else {
                break;
            }
            ++end;
        }
        const qsizetype unit = at(text, end) == u'%' || at(text, end) == QChar(0xB0) ? 1 : 0;
        m_parts.append({TextPart::Number, start, end + unit - start, key});
        i = end - 1;
    }
    std::ranges::stable_sort(m_parts, {}, &TextPart::start);
}

QStringList ScreenText::keys(TextPart::Kind kind) const
{
    QStringList found;
    for (const TextPart& part : m_parts) {
        if (part.kind == kind)
            found << keyOf(part);
    }
    return found;
}

QStringList ScreenText::written(TextPart::Kind kind) const
{
    QStringList found;
    for (const TextPart& part : m_parts) {
        if (part.kind == kind)
            found << textOf(part).toString();
    }
    return found;
}

QString ScreenText::keyOf(const TextPart& part) const
{
    return part.key.isNull() ? textOf(part).toString() : part.key;
}

int ScreenText::count(TextPart::Kind kind) const
{
    return int(std::ranges::count(m_parts, kind, &TextPart::kind));
}

QString withoutAccessKeys(const QString& text)
{
    if (!text.contains(u'&'))
        return text;
    QString plain = text;
    const ScreenText read(text);
    for (qsizetype p = read.parts().size() - 1; p >= 0; --p) {
        if (read.parts().at(p).kind == TextPart::AccessKey)
            plain.remove(read.parts().at(p).start, 1);
    }
    return plain.replace(QLatin1String("&&"), QLatin1String("&"));
}
