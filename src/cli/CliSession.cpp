#include "CliSession.h"

#include "CodeText.h"
#include "LanguageFile.h"
#include "SafeFile.h"
#include "TextRules.h"

#include <QIODevice>

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

int Session::save(const LanguageDocument& document, const QString& path)
{
    const WriteResult written = writeLanguageFile(document, path);
    switch (written.status) {
    case WriteStatus::Ok:
        return ExitOk;
    case WriteStatus::Refused:
        return fileError(
            path, written.refusal->message().replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    case WriteStatus::Failed:
        break;
    }
    return fileError(path, written.reason);
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

QList<std::pair<QString, QString>> entryProblems(const LanguageDocument& document)
{
    QList<std::pair<QString, QString>> problems;
    for (int t = 0; t < LanguageDocument::TableCount; ++t) {
        const LanguageTable& table = document.table(t);
        const bool isForm = t >= 1 && t <= LanguageDocument::FormCount;
        int lastUsed = -1;
        if (isForm) {
            for (int r = table.firstIndex(); r <= table.lastIndex(); ++r)
                lastUsed = table.at(r).size() > 1 ? r : lastUsed;
        }
        for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
            const QString& text = table.at(i);
            const QString label = entryLabel(t, i);
            if (!Check_Characters(text))
                problems.append({label, QString::fromUtf8("holds \"½\", \"¾\" or \"¼\", which the "
                                                          "editor refuses in a text")});
            if (isForm && text.size() == 1)
                problems.append({label, QStringLiteral("is a row of one character (%1): the "
                                                       "editor hides it and drops it at the next "
                                                       "commit")
                                            .arg(quoted(text))});
            else if (isForm && text.isEmpty() && i < lastUsed)
                problems.append({label, QStringLiteral("is an empty row between used rows: the "
                                                       "next commit moves the rows after it up")});
            if (t == 0 && i <= LanguageDocument::FormCount && text.size() == 1)
                problems.append({label, QStringLiteral("is a form name of one character (%1): the "
                                                       "editor shows and saves \"- EMPTY FORM -\" "
                                                       "instead")
                                            .arg(quoted(text))});
            if (t == 0 && i == LanguageDocument::NameCount && !text.isEmpty())
                problems.append({label, QStringLiteral("belongs to no form: the editor empties it "
                                                       "at the next commit")});
        }
    }
    return problems;
}
