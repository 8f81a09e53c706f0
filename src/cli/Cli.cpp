#include "Cli.h"

#include "ReferenceChecks.h"

#include "CliSession.h"
#include "CodeText.h"
#include "DocumentJson.h"
#include "WorkingCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

namespace {

int commandNew(Session& session, const Invocation& call);
int commandInfo(Session& session, const Invocation& call);
int commandExportCode(Session& session, const Invocation& call);
int commandToJson(Session& session, const Invocation& call);
int commandFromJson(Session& session, const Invocation& call);
int commandHelp(Session& session, const Invocation& call);

// The commands, in the order the help lists them. The help text, "help COMMAND", the manual page
// (made from --help) and bash completion (through --commands) all come from here.
struct Command {
    const char* name;
    const char* arguments;   // the rest of the usage line
    const char* description; // lines that fit a terminal
    int (*run)(Session&, const Invocation&);
};

const Command Commands[] = {
    {"new", "-o FILE", "write the file of a new, empty document", commandNew},
    {"info", "FILE",
     "show the record count, the form names with their\n"
     "number of rows, the settings, and a warning for each\n"
     "entry that an edit in the editor would lose",
     commandInfo},
    {"export-code", "FILE [-o OUT]",
     "write the code lines of \"Save as code\" in\n"
     "Windows-1252, to OUT or standard output",
     commandExportCode},
    {"to-json", "FILE [-o OUT]", "write the whole document as UTF-8 JSON", commandToJson},
    {"from-json", "JSON -o FILE", "write the language file that such JSON describes",
     commandFromJson},
    {"to-po", "SOURCE [--translation TARGET] [--language CODE] [-o OUT]",
     "write a gettext PO file: one entry per used row of\n"
     "SOURCE, translated by the same row of TARGET; a pair\n"
     "that gettext refuses is marked fuzzy, with the reason;\n"
     "a row that needs review by TARGET.review is fuzzy, with\n"
     "its notes and the reference it was translated from\n"
     "(#| msgid)",
     commandToPo},
    {"from-po", "PO --template SOURCE -o TARGET [--use-fuzzy]",
     "write SOURCE with the PO file's translations in it;\n"
     "fuzzy ones only with --use-fuzzy; fuzzy, notes and\n"
     "earlier msgids go into the review beside TARGET\n"
     "(TARGET.review)",
     commandFromPo},
    {"to-xliff",
     "SOURCE [--translation TARGET] [--reference-language LANG] [--language LANG] [-o OUT]",
     "write an XLIFF 1.2 file: a translation unit per used\n"
     "row of SOURCE (its label as id and resname), translated\n"
     "by the same row of TARGET, with the state (new,\n"
     "needs-review-translation, translated, final for\n"
     "reviewed) and the notes of TARGET.review",
     commandToXliff},
    {"from-xliff", "FILE.xlf --template SOURCE -o TARGET",
     "write SOURCE with the XLIFF file's translations in it,\n"
     "and their states and notes into TARGET.review",
     commandFromXliff},
    {"check",
     "[--against REFERENCE [--language DICTIONARY [--check-capitals]] [--checks A,B | --skip "
     "A,B] [[--tm DB] [--glossary] --reference-language LANG]] [--format "
     "text|json|junit|sarif] FILE...",
     "list every problem of the files, one line each; with\n"
     "a reference, each problem of the translation against\n"
     "it (FILE: LABEL: CHECK: MESSAGE); --language also checks\n"
     "the spelling with that Hunspell dictionary (nl_NL),\n"
     "words in capitals and with a capital inside (EGID,\n"
     "PackageKit) only with --check-capitals;\n"
     "--checks runs only the checks named, --skip all others;\n"
     "--tm names the rows whose reference text changed since\n"
     "they were added to that translation memory; --glossary\n"
     "checks the terms of the glossary beside it (or your\n"
     "memory) in the rows that have them; --format\n"
     "json writes one JSON object, junit a JUnit XML test\n"
     "suite per file and a test per check (as CI servers\n"
     "show tests), sarif SARIF 2.1.0 (as code review tools\n"
     "show annotations)",
     commandCheck},
    {"stats",
     "--against REFERENCE [--language DICTIONARY [--check-capitals]] [--checks A,B | --skip A,B] "
     "FILE...",
     "count the reference's rows each file translates, where\n"
     "they stand by the review beside it (FILE.review) and\n"
     "who reviewed them, and its problems by check",
     commandStats},
    {"diff", "A B", "list the entries that differ, one line each", commandDiff},
    {"tm",
     "add|suggest|import|export|stats [--tm DB] ... | init URI [--print-sql] | push|pull URI "
     "[--tm FILE]",
     "the translation memory (DB, or memory.sqlite in the\n"
     "data folder; or a PostgreSQL server a team shares:\n"
     "postgresql://HOST/DATABASE). add --against REFERENCE\n"
     "--reference-language LANG --language LANG FILE...: the\n"
     "rows a file and its reference both use; suggest\n"
     "--reference-language LANG --language LANG [--max N]\n"
     "TEXT: the best matches as JSON (score 0-100, source,\n"
     "target); import FILE.tmx; export -o FILE.tmx; stats:\n"
     "units per language pair and origin; init makes the\n"
     "memory on a server, or prints its SQL; push hands a\n"
     "server what windows kept while it could not be reached\n"
     "(or every unit of --tm FILE); pull copies its units into\n"
     "your memory (or --tm FILE)",
     commandTm},
    {"glossary", "add|list|import|export [--tm DB] --reference-language LANG --language LANG ...",
     "the glossary beside the translation memory (DB as for\n"
     "tm), one per pair of languages: add SOURCE TARGET\n"
     "[--note TEXT] or add SOURCE --do-not-translate adds a\n"
     "term or changes the one of that source in any case;\n"
     "list prints the terms, a line each: source, target and\n"
     "note, between tabs (\"-\" as the target of a term not\n"
     "translated); import FILE.tbx or FILE.csv (its first line\n"
     "source,target,note) adds the file's terms; export -o\n"
     "FILE.tbx writes them as TBX-Basic (a term not translated\n"
     "with itself as its translation, as it is read back)",
     commandGlossary},
    {"pretranslate",
     "[--tm DB] --against REFERENCE --reference-language LANG --language LANG FILE -o OUT",
     "write FILE with each empty row the reference uses\n"
     "filled from a translation of the same text",
     commandPretranslate},
    {"help", "[COMMAND]", "show this text, or the help of one command", commandHelp},
};

const Command* findCommand(const QString& name)
{
    for (const Command& command : Commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString usageLine(const Command& command)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(command.name),
                                       QLatin1String(command.arguments));
}

const char* const ExitStatus =
    "Exit status: 0 success, 1 a file could not be read or written, 2 wrong usage.\n"
    "check: 1 when a file has problems. diff: 1 when the files differ, 2 when one\n"
    "cannot be read.\n";

QString helpText()
{
    constexpr int Column = 29;
    const QString indent(Column, u' ');
    QString text = QStringLiteral("Usage: lexicant-cli COMMAND [ARGUMENTS]\n"
                                  "\n"
                                  "Reads and writes Lexicant language files (.lsf) without the "
                                  "editor.\n"
                                  "\n"
                                  "Commands:\n");
    for (const Command& command : Commands) {
        const QString usage = QStringLiteral("  ") + usageLine(command);
        const QStringList lines = QString::fromUtf8(command.description).split(u'\n');
        // The description beside the usage with a space at least between them, or under it.
        QString line = usage.leftJustified(Column - 1) + u' ';
        if (line.size() > Column)
            line = usage + u'\n' + indent;
        text += line + lines.first();
        for (const QString& line : lines.mid(1))
            text += u'\n' + indent + line;
        text += u'\n';
    }
    return text +
           QStringLiteral("\n"
                          "Options:\n"
                          "  -h, --help                 show this text\n"
                          "  --version                  show the version\n"
                          "  --commands                 list the names of the commands, one a "
                          "line\n"
                          "\n") +
           QString::fromUtf8(ExitStatus);
}

int commandHelp(Session& session, const Invocation& call)
{
    if (call.positional.isEmpty() && call.options.isEmpty()) {
        session.print(helpText());
        return ExitOk;
    }
    const Command* command = call.positional.size() == 1 && call.options.isEmpty()
                                 ? findCommand(call.positional.first())
                                 : nullptr;
    if (!command)
        return session.usage(QStringLiteral("help takes the name of one command"));
    session.print(QStringLiteral("Usage: lexicant-cli %1\n\n%2.\n")
                      .arg(usageLine(*command),
                           QString::fromUtf8(command->description).replace(u'\n', u' ')));
    // The names --checks and --skip take (bash completion reads them here).
    if (QByteArray(command->arguments).contains("--checks")) {
        QStringList names;
        for (const int c : AllChecks)
            names << checkName(Check(c));
        session.print(QStringLiteral("\nChecks: %1\n").arg(names.join(u' ')));
    }
    return ExitOk;
}

int commandNew(Session& session, const Invocation& call)
{
    if (!call.positional.isEmpty() || !call.option("output") || !call.onlyOptions({"output"}))
        return session.usage(QStringLiteral("new takes -o FILE and nothing else"));
    // What the editor saves right after New file: the new form list, committed.
    LanguageDocument document;
    commitWorkingCopy(WorkingCopy{newFormNames(), {}, {}, {}}, 0, document);
    return session.save(document, *call.option("output"));
}

int commandInfo(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.options.isEmpty())
        return session.usage(QStringLiteral("info takes one FILE"));
    const QString path = call.positional.first();
    qint32 records = 0;
    const auto document = session.load(path, &records);
    if (!document)
        return ExitFileError;

    QString text = QStringLiteral("File: %1\nRecords: %2\nForms:\n").arg(path).arg(records);
    for (const int form : LanguageDocument::Forms) {
        const LanguageTable& rows = document->formText(form);
        int used = 0;
        for (int r = rows.firstIndex(); r <= rows.lastIndex(); ++r)
            used += rows.at(r).isEmpty() ? 0 : 1;
        // One pass of arg(): a name holding "%3" must not be taken for a place holder.
        const QString name = QStringLiteral("\"%1\"").arg(document->FormNames.at(form));
        text += QStringLiteral("  %1  %2  %3 %4\n")
                    .arg(QStringLiteral("%1").arg(form, 2), name.leftJustified(40),
                         QStringLiteral("%1").arg(used, 3),
                         used == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
    }
    text += QStringLiteral("Settings:\n");
    for (int row = 0; row < FileSettingCount; ++row)
        text += QStringLiteral("  %1 \"%2\"\n")
                    .arg((settingName(FileSetting(row)) + u':').leftJustified(12),
                         document->SettingsTable.at(row));
    for (const auto& [label, problem] : entryProblems(*document))
        text += QStringLiteral("Warning: %1 %2\n").arg(label, problem);
    session.print(text);
    return ExitOk;
}

int commandExportCode(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.onlyOptions({"output"}))
        return session.usage(QStringLiteral("export-code takes one FILE and -o OUT"));
    const auto document = session.load(call.positional.first());
    if (!document)
        return ExitFileError;
    // Every text of a loaded file came from Windows-1252, so it encodes back without loss.
    return session.deliver(call.option("output"), lsf::encode1252(BuildCodeText(*document)).bytes);
}

int commandToJson(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.onlyOptions({"output"}))
        return session.usage(QStringLiteral("to-json takes one FILE and -o OUT"));
    const auto document = session.load(call.positional.first());
    if (!document)
        return ExitFileError;
    return session.deliver(call.option("output"), documentToJson(*document));
}

int commandFromJson(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.option("output") || !call.onlyOptions({"output"}))
        return session.usage(QStringLiteral("from-json takes one JSON file and -o FILE"));
    const QString source = call.positional.first();
    QFile file(source);
    if (QFileInfo(source).isDir())
        return session.fileError(source, QStringLiteral("is a folder"));
    if (!file.open(QIODevice::ReadOnly))
        return session.fileError(source, file.errorString());
    LanguageDocument document;
    const QString problem = documentFromJson(file.readAll(), document);
    if (!problem.isEmpty())
        return session.fileError(source, problem);
    return session.save(document, *call.option("output"));
}

// Splits the arguments after the command into positional ones, options with a value and flags
// (whose value is empty); anything else that starts with "-" is refused.
std::optional<Invocation> parse(const QStringList& arguments, QString& problem)
{
    static const QMap<QString, QString> names = {
        {QStringLiteral("-o"), QStringLiteral("output")},
        {QStringLiteral("--output"), QStringLiteral("output")},
        {QStringLiteral("--translation"), QStringLiteral("translation")},
        {QStringLiteral("--template"), QStringLiteral("template")},
        {QStringLiteral("--language"), QStringLiteral("language")},
        {QStringLiteral("--against"), QStringLiteral("against")},
        {QStringLiteral("--checks"), QStringLiteral("checks")},
        {QStringLiteral("--skip"), QStringLiteral("skip")},
        {QStringLiteral("--tm"), QStringLiteral("tm")},
        {QStringLiteral("--reference-language"), QStringLiteral("reference-language")},
        {QStringLiteral("--max"), QStringLiteral("max")},
        {QStringLiteral("--format"), QStringLiteral("format")},
        {QStringLiteral("--note"), QStringLiteral("note")},
    };
    static const QMap<QString, QString> flags = {
        {QStringLiteral("--use-fuzzy"), QStringLiteral("use-fuzzy")},
        {QStringLiteral("--check-capitals"), QStringLiteral("check-capitals")},
        {QStringLiteral("--print-sql"), QStringLiteral("print-sql")},
        {QStringLiteral("--do-not-translate"), QStringLiteral("do-not-translate")},
        {QStringLiteral("--glossary"), QStringLiteral("glossary")},
    };
    Invocation call;
    QMap<QString, QString> spelled; // each option's name as the arguments give it
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const auto option = names.find(argument);
        const auto flag = flags.find(argument);
        if (flag != flags.end()) {
            call.options.insert(*flag, QString());
        } else if (option != names.end()) {
            if (spelled.contains(*option)) {
                const QString first = spelled.value(*option);
                problem = QStringLiteral("%1 is given twice").arg(first);
                if (first != argument)
                    problem += QStringLiteral(", the second time as %1").arg(argument);
                problem += QStringLiteral("; it takes one value");
                return std::nullopt;
            }
            if (i + 1 >= arguments.size()) {
                problem = QStringLiteral("%1 needs one value").arg(argument);
                return std::nullopt;
            }
            spelled.insert(*option, argument);
            call.options.insert(*option, arguments.at(++i));
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
    if (name == QLatin1String("--version")) {
        session.print(QStringLiteral("lexicant-cli %1\n").arg(QLatin1String(LEXICANT_VERSION)));
        return ExitOk;
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        session.print(helpText());
        return ExitOk;
    }
    if (name == QLatin1String("--commands")) {
        for (const Command& command : Commands)
            session.print(QLatin1String(command.name) + u'\n');
        return ExitOk;
    }
    const Command* command = findCommand(name);
    if (!command)
        return session.usage(QStringLiteral("unknown command '%1'").arg(name));
    QString problem;
    const auto call = parse(arguments.mid(1), problem);
    if (!call)
        return session.usage(problem);
    return command->run(session, *call);
}
