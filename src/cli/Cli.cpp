#include "Cli.h"

#include "CodeText.h"
#include "DocumentJson.h"
#include "LanguageFile.h"
#include "SafeFile.h"
#include "TextRules.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <functional>
#include <map>
#include <optional>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFileError = 1;
constexpr int ExitUsage = 2;

const char* const HelpText =
    "Usage: lexicant-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Reads and writes Lexicant language files (.lsf) without the editor.\n"
    "\n"
    "Commands:\n"
    "  new -o FILE                write the file of a new, empty document\n"
    "  info FILE                  show the record count, the form names with their\n"
    "                             number of rows, the settings, and a warning for each\n"
    "                             entry that an edit in the editor would lose\n"
    "  export-code FILE [-o OUT]  write the code lines of \"Save as code\" in\n"
    "                             Windows-1252, to OUT or standard output\n"
    "  to-json FILE [-o OUT]      write the whole document as UTF-8 JSON\n"
    "  from-json JSON -o FILE     write the language file that such JSON describes\n"
    "  help                       show this text\n"
    "\n"
    "Exit status: 0 success, 1 a file could not be read or written, 2 wrong usage.\n";

struct Invocation {
    QStringList positional;
    std::optional<QString> output;
};

class Session {
public:
    Session(QIODevice& out, QIODevice& err)
        : m_out(out)
        , m_err(err)
    {
    }

    void print(const QString& text) { m_out.write(text.toUtf8()); }
    void printBytes(const QByteArray& bytes) { m_out.write(bytes); }

    int usage(const QString& problem)
    {
        m_err.write(
            QStringLiteral("lexicant-cli: %1\nTry 'lexicant-cli help'.\n").arg(problem).toUtf8());
        return ExitUsage;
    }

    int fileError(const QString& path, const QString& why)
    {
        m_err.write(QStringLiteral("lexicant-cli: %1: %2\n").arg(path, why).toUtf8());
        return ExitFileError;
    }

    // Loads the file into a fresh document; on failure prints why and returns nothing.
    std::optional<LanguageDocument> load(const QString& path, qint32* recordCount = nullptr)
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

    // Writes the bytes to the path, or to standard output when there is no path.
    int deliver(const std::optional<QString>& path, const QByteArray& bytes)
    {
        if (!path) {
            printBytes(bytes);
            return ExitOk;
        }
        const QString problem = replaceFileContents(*path, bytes);
        return problem.isEmpty() ? ExitOk : fileError(*path, problem);
    }

    int save(const LanguageDocument& document, const QString& path)
    {
        const WriteResult written = writeLanguageFile(document, path);
        switch (written.status) {
        case WriteStatus::Ok:
            return ExitOk;
        case WriteStatus::Refused:
            return fileError(path, written.refusal->message().replace(QStringLiteral("\r\n"),
                                                                      QStringLiteral(" ")));
        case WriteStatus::Failed:
            break;
        }
        return fileError(path, written.reason);
    }

private:
    QIODevice& m_out;
    QIODevice& m_err;
};

QStringList entryWarnings(const LanguageDocument& document)
{
    QStringList warnings;
    for (int t = 0; t < LanguageDocument::TableCount; ++t) {
        const LanguageTable& table = document.table(t);
        for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
            const QString& text = table.at(i);
            const QString label = entryLabel(t, i);
            const bool isRow = t >= 1 && t <= LanguageDocument::FormCount;
            if (!Check_Characters(text))
                warnings << QStringLiteral("%1 holds \"½\", \"¾\" or \"¼\", which the editor "
                                           "refuses in a text")
                                .arg(label);
            if (isRow && text.size() == 1)
                warnings << QStringLiteral("%1 is a row of one character (\"%2\"): the editor "
                                           "hides it and drops it at the next commit")
                                .arg(label, text);
            if (t == 0 && i <= LanguageDocument::FormCount && text.size() == 1)
                warnings << QStringLiteral("%1 is a form name of one character (\"%2\"): the "
                                           "editor shows and saves \"- EMPTY FORM -\" instead")
                                .arg(label, text);
            if (t == 0 && i == LanguageDocument::NameCount && !text.isEmpty())
                warnings << QStringLiteral("%1 belongs to no form: the editor empties it at "
                                           "the next commit")
                                .arg(label);
        }
    }
    return warnings;
}

int commandNew(Session& session, const Invocation& call)
{
    if (!call.positional.isEmpty() || !call.output)
        return session.usage(QStringLiteral("new takes -o FILE and nothing else"));
    LanguageDocument document;
    for (int form = 1; form <= LanguageDocument::FormCount; ++form)
        document.FormNames.set(form, QString::fromUtf16(NewFormPlaceholder));
    return session.save(document, *call.output);
}

int commandInfo(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || call.output)
        return session.usage(QStringLiteral("info takes one FILE"));
    const QString path = call.positional.first();
    qint32 records = 0;
    const auto document = session.load(path, &records);
    if (!document)
        return ExitFileError;

    QString text = QStringLiteral("File: %1\nRecords: %2\nForms:\n").arg(path).arg(records);
    for (int form = 1; form <= LanguageDocument::FormCount; ++form) {
        const LanguageTable& rows = document->formText(form);
        int used = 0;
        for (int r = rows.firstIndex(); r <= rows.lastIndex(); ++r)
            used += rows.at(r).isEmpty() ? 0 : 1;
        text += QStringLiteral("  %1  %2  %3 %4\n")
                    .arg(form, 2)
                    .arg(QStringLiteral("\"%1\"").arg(document->FormNames.at(form)), -40)
                    .arg(used, 3)
                    .arg(used == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
    }
    static const char* const settingNames[] = {"Application", "Version", "Author", "Revision",
                                               "Date"};
    text += QStringLiteral("Settings:\n");
    for (int row = 0; row < 5; ++row)
        text += QStringLiteral("  %1 \"%2\"\n")
                    .arg(QStringLiteral("%1:").arg(QLatin1String(settingNames[row])), -12)
                    .arg(document->SettingsTable.at(row));
    for (const QString& warning : entryWarnings(*document))
        text += QStringLiteral("Warning: %1\n").arg(warning);
    session.print(text);
    return ExitOk;
}

int commandExportCode(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1)
        return session.usage(QStringLiteral("export-code takes one FILE and -o OUT"));
    const auto document = session.load(call.positional.first());
    if (!document)
        return ExitFileError;
    // Every text of a loaded file came from Windows-1252, so it encodes back without loss.
    return session.deliver(call.output, lsf::encode1252(BuildCodeText(*document)).bytes);
}

int commandToJson(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1)
        return session.usage(QStringLiteral("to-json takes one FILE and -o OUT"));
    const auto document = session.load(call.positional.first());
    if (!document)
        return ExitFileError;
    return session.deliver(call.output, documentToJson(*document));
}

int commandFromJson(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.output)
        return session.usage(QStringLiteral("from-json takes one JSON file and -o FILE"));
    const QString source = call.positional.first();
    QFile file(source);
    if (!QFileInfo(source).isFile() || !file.open(QIODevice::ReadOnly))
        return session.fileError(source, QStringLiteral("cannot be opened for reading"));
    LanguageDocument document;
    const QString problem = documentFromJson(file.readAll(), document);
    if (!problem.isEmpty())
        return session.fileError(source, problem);
    return session.save(document, *call.output);
}

using Command = std::function<int(Session&, const Invocation&)>;

const std::map<QString, Command>& commands()
{
    static const std::map<QString, Command> table = {
        {QStringLiteral("new"), commandNew},
        {QStringLiteral("info"), commandInfo},
        {QStringLiteral("export-code"), commandExportCode},
        {QStringLiteral("to-json"), commandToJson},
        {QStringLiteral("from-json"), commandFromJson},
    };
    return table;
}

// Splits the arguments after the command into positional ones and "-o OUT"; anything else
// that starts with "-" is refused.
std::optional<Invocation> parse(const QStringList& arguments, QString& problem)
{
    Invocation call;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
            if (i + 1 >= arguments.size() || call.output) {
                problem = QStringLiteral("%1 needs one file name").arg(argument);
                return std::nullopt;
            }
            call.output = arguments.at(++i);
        } else if (argument.startsWith(u'-') && argument != QLatin1String("-")) {
            problem = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        } else {
            call.positional << argument;
        }
    }
    return call;
}

} // namespace

int runCli(const QStringList& arguments, QIODevice& out, QIODevice& err)
{
    Session session(out, err);
    if (arguments.isEmpty())
        return session.usage(QStringLiteral("no command given"));
    const QString& name = arguments.first();
    if (name == QLatin1String("help") || name == QLatin1String("--help") ||
        name == QLatin1String("-h")) {
        session.print(QString::fromUtf8(HelpText));
        return ExitOk;
    }
    const auto command = commands().find(name);
    if (command == commands().end())
        return session.usage(QStringLiteral("unknown command '%1'").arg(name));
    QString problem;
    const auto call = parse(arguments.mid(1), problem);
    if (!call)
        return session.usage(problem);
    return command->second(session, *call);
}
