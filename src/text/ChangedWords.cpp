#include "ChangedWords.h"

#include "ScreenText.h"

#include <QList>

#include <algorithm>
#include <vector>

namespace {

struct Token {
    QStringView text;
    bool kept = false;
};

// The text's parts and, between them, each character but white space.
QList<Token> tokensOf(const ScreenText& text)
{
    QList<Token> tokens;
    const QString& whole = text.text();
    qsizetype at = 0;
    const auto between = [&](qsizetype end) {
        for (; at < end; ++at)
            if (!whole.at(at).isSpace())
                tokens.append({QStringView(whole).mid(at, 1)});
    };
    for (const TextPart& part : text.parts()) {
        // An access key or a number inside a word is a part of its own as well: the word
        // stands for both, and an ampersand alone is a character like any other.
        if (part.start < at || part.kind == TextPart::AccessKey)
            continue;
        between(part.start);
        tokens.append({text.textOf(part)});
        at = part.start + part.length;
    }
    between(whole.size());
    return tokens;
}

// Marks the tokens both lists keep in order: the longest common run after what they begin and
// end with alike. Past a million pairs the middle is taken as changed throughout.
void markKept(QList<Token>& a, QList<Token>& b)
{
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head].text == b[head].text) {
        a[head].kept = b[head].kept = true;
        ++head;
    }
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail].text == b[b.size() - 1 - tail].text) {
        a[a.size() - 1 - tail].kept = b[b.size() - 1 - tail].kept = true;
        ++tail;
    }
    const qsizetype n = a.size() - head - tail, m = b.size() - head - tail;
    if (n == 0 || m == 0 || n * m > 1'000'000)
        return;
    // lengths[i][j]: the longest common run of a's middle from i and b's middle from j.
    std::vector<std::vector<int>> lengths(std::size_t(n + 1), std::vector<int>(std::size_t(m + 1)));
    const auto at = [&](qsizetype i, qsizetype j) -> int& {
        return lengths[std::size_t(i)][std::size_t(j)];
    };
    for (qsizetype i = n - 1; i >= 0; --i)
        for (qsizetype j = m - 1; j >= 0; --j)
            at(i, j) = a[head + i].text == b[head + j].text ? at(i + 1, j + 1) + 1
                                                            : std::max(at(i + 1, j), at(i, j + 1));
    for (qsizetype i = 0, j = 0; i < n && j < m;) {
        if (a[head + i].text == b[head + j].text) {
            a[head + i].kept = b[head + j].kept = true;
            ++i, ++j;
        } else if (at(i + 1, j) >= at(i, j + 1)) {
            ++i;
        } else {
            ++j;
        }
    }
}

QString html(const QString& whole, const QList<Token>& tokens)
{
    QString out;
    qsizetype at = 0;
    for (const Token& token : tokens) {
        const qsizetype start = token.text.data() - whole.data();
        out += whole.mid(at, start - at).toHtmlEscaped();
        const QString text = token.text.toString().toHtmlEscaped();
        out += token.kept ? text : QStringLiteral("<b>") + text + QStringLiteral("</b>");
        at = start + token.text.size();
    }
    return out + whole.mid(at).toHtmlEscaped();
}

} // namespace

MarkedTexts markChangedWords(const QString& before, const QString& after)
{
    const ScreenText first(before), second(after);
    QList<Token> a = tokensOf(first), b = tokensOf(second);
    markKept(a, b);
    return {html(first.text(), a), html(second.text(), b)};
}
