#include "CliSession.h"

#include "CodeText.h"
#include "LanguageFile.h"
#include "ReviewFile.h"
#include "SafeFile.h"
#include "TextRules.h"
#include "WorkingCopy.h"

#include <algorithm>

#include <unistd.h>

#include <QIODevice>
#include <QRegularExpression>

bool Invocation::onlyOptions(const QStringList& allowed) const
{
    for (auto it = options.begin(); it != options.end(); ++it) {
        if (!allowed.contains(it.key()))
            return false;
    }
    return true;
}

void Session::print(const QString& text)
{
    m_out.write(text.toUtf8());
}

void Session::printBytes(const QByteArray& bytes)
{
    m_out.write(bytes);
}

void Session::warn(const QString& text)
{
    m_err.write(QStringLiteral("lexicant-cli: warning: %1\n").arg(text).toUtf8());
}

int Session::usage(const QString& problem)
{
    m_err.write(
        QStringLiteral("lexicant-cli: %1\nTry 'lexicant-cli help'.\n").arg(problem).toUtf8());
    return ExitUsage;
}

int Session::failure(const QString& why)
{
    progress({});
    m_err.write(QStringLiteral("lexicant-cli: %1\n").arg(why).toUtf8());
    return ExitFileError;
}

void Session::progress(const QString& text)
{
    if (!::isatty(STDERR_FILENO) || (text.isEmpty() && !m_progressShown))
        return;
    // Back to the line's start, the text, and the rest of an earlier longer line cleared.
    m_err.write(QStringLiteral("\r%1\x1b[K").arg(text).toUtf8());
    if (text.isEmpty())
        m_err.write("\r");
    m_progressShown = !text.isEmpty();
}

int Session::fileError(const QString& path, const QString& why)
{
    m_err.write(QStringLiteral("lexicant-cli: %1: %2\n").arg(path, why).toUtf8());
    return ExitFileError;
}

std::optional<LanguageDocument> Session::load(const QString& path, qint32* recordCount)
{
    const ReadResult read = readLanguageFile(path);
    if (read.status != ReadStatus::Ok) {
        fileError(path, read.reason);
        return std::nullopt;
    }
    LanguageDocument document;
    lsf::applyFields(read.parsed, document);
    if (recordCount)
        *recordCount = read.parsed.recordCount;
    return document;
}

int Session::deliver(const std::optional<QString>& path, const QByteArray& bytes)
{
    if (!path) {
        printBytes(bytes);
        return ExitOk;
    }
    const QString problem = replaceFileContents(*path, bytes);
    return problem.isEmpty() ? ExitOk : fileError(*path, problem);
}

int Session::save(const LanguageDocument& document, const QString& path,
                  const QList<std::pair<QString, QByteArray>>& beside)
{
    const WriteResult written = writeLanguageFile(document, path, beside);
    switch (written.status) {
    case WriteStatus::Ok:
        return ExitOk;
    case WriteStatus::Refused:
        return fileError(
            path, written.refusal->message().replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    case WriteStatus::Failed:
        break;
    }
    return fileError(written.failedPath, written.reason);
}

std::optional<Review> Session::loadReview(const QString& path)
{
    const ReviewReading reading = readReviewBeside(path);
    if (!reading.problem.isEmpty()) {
        fileError(reviewPath(path), reading.problem);
        return std::nullopt;
    }
    return reading.review;
}

std::optional<RowLabel> parseRowLabel(const QString& label)
{
    static const QRegularExpression pattern(QStringLiteral("^F(\\d\\d)_lng_\\((\\d{1,3})\\)$"));
    const QRegularExpressionMatch match = pattern.match(label);
    if (!match.hasMatch())
        return std::nullopt;
    const int form = match.captured(1).toInt();
    const int row = match.captured(2).toInt();
    if (form < 1 || form > LanguageDocument::FormCount || row > LanguageDocument::LastRow)
        return std::nullopt;
    return RowLabel{form, row};
}

std::optional<Session::Translated>
Session::loadTranslated(const QString& sourcePath, const std::optional<QString>& translationPath)
{
    Translated loaded;
    std::optional<LanguageDocument> source = load(sourcePath);
    if (!source)
        return std::nullopt;
    loaded.source = *source;
    if (translationPath) {
        loaded.translation = load(*translationPath);
        const std::optional<Review> review =
            loaded.translation ? loadReview(*translationPath) : std::nullopt;
        if (!review)
            return std::nullopt;
        loaded.review = *review;
    }
    return loaded;
}

QString quoted(const QString& text)
{
    QString line = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            line += QStringLiteral("\\\"");
            break;
        case '\\':
            line += QStringLiteral("\\\\");
            break;
        case '\t':
            line += QStringLiteral("\\t");
            break;
        case '\r':
            line += QStringLiteral("\\r");
            break;
        case '\n':
            line += QStringLiteral("\\n");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                line += c;
        }
    }
    return line + u'"';
}

namespace {

// Why an entry that the commit changes is lost or changed, or nothing for a change that loses
// nothing (an unnamed form that stays unnamed).
QString lossOf(const LanguageTable& table, int number, int index, const QString& after)
{
    const QString& before = table.at(index);
    if (number >= 1 && number <= LanguageDocument::FormCount) {
        if (before.size() == 1)
            return QStringLiteral("is a row of one character (%1): the editor hides it and drops "
                                  "it at the next commit")
                .arg(quoted(before));
        if (before.isEmpty())
            return QStringLiteral("is an empty row between used rows: the next commit moves the "
                                  "rows after it up");
        int shownBefore = 0;
        for (int r = table.firstIndex(); r < index; ++r)
            shownBefore += table.at(r).size() > 1 ? 1 : 0;
        return QStringLiteral("moves to row %1 at the next commit, where the application will "
                              "not find it")
            .arg(shownBefore);
    }
    if (number == 0 && index == LanguageDocument::NameCount)
        return QStringLiteral("belongs to no form: the editor empties it at the next commit");
    if (number == 0 && before.size() == 1)
        return QStringLiteral("is a form name of one character (%1): the editor shows and saves "
                              "%2 instead")
            .arg(quoted(before), quoted(after));
    if (number == LanguageDocument::SettingsTableNumber)
        return QStringLiteral("is longer than its box's %1 characters: the editor cuts it to %2")
            .arg(after.size())
            .arg(quoted(after));
    return {};
}

} // namespace

QList<std::pair<QString, QString>> entryProblems(const LanguageDocument& document)
{
    QList<std::pair<QString, QString>> problems;
    for (const int t : LanguageDocument::Tables) {
        const LanguageTable& table = document.table(t);
        for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
            if (!Check_Characters(table.at(i)))
                problems.append({entryLabel(t, i),
                                 QString::fromUtf8("holds \"½\", \"¾\" or \"¼\", which the editor "
                                                   "refuses in a text")});
        }
    }
    // What the editor does to the file: open it, select each form in turn and commit.
    LanguageDocument edited = document;
    for (int form = 0; form <= LanguageDocument::FormCount; ++form)
        commitWorkingCopy(openedWorkingCopy(document, form), form, edited);
    for (const int t : LanguageDocument::Tables) {
        const LanguageTable& before = document.table(t);
        const LanguageTable& after = edited.table(t);
        for (int i = before.firstIndex(); i <= before.lastIndex(); ++i) {
            if (before.at(i) == after.at(i))
                continue;
            const QString loss = lossOf(before, t, i, after.at(i));
            if (!loss.isEmpty())
                problems.append({entryLabel(t, i), loss});
        }
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return problems;
}
