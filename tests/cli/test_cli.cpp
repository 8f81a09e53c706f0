#include "CliRunner.h"
#include "FullDisk.h"
#include "LsfBytes.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

TEST_F(CliTest, NewAndExportCodeWriteTheirBytes)
{
    EXPECT_EQ(run({"new", "-o", path("new.lsf")}).status, 0);
    const QByteArray bytes = read(path("new.lsf"));
    ASSERT_EQ(bytes.size(), 5466);
    EXPECT_EQ(bytes.mid(4, 2 + 385),
              field(QByteArray("- EMPTY FORM - \xBE").repeated(24) + '\xBE'));

    const QString file = write("code.lsf", lsfFile(1, {packed({"Caf\xE9"})}));
    const QByteArray expected = "\tF00_lng_(1) = \"Caf\xE9\"\r\n"; // in Windows-1252
    EXPECT_EQ(run({"export-code", file}).out, expected);
    EXPECT_EQ(run({"export-code", file, "-o", path("output.txt")}).status, 0);
    EXPECT_EQ(read(path("output.txt")), expected);
}

// The entries an edit would lose are listed by check as well, each kind there.
TEST_F(CliTest, InfoListsFormsSettingsAndAWarningForEachEntryAnEditWouldLose)
{
    QList<QByteArray> fields = {packed({"Start", "x"}), packed({"He", "y", "", "World"}),
                                packed({"One row"}), emptyEntries(200) + packed({"Last"})};
    while (fields.size() < 24)
        fields << emptyEntries(201);
    fields << packed({"Ok", "z"}) << packed({"Demo", "1.2", "Ann", "3", "2026-06-01"});
    const CliRun result = run({"info", write("info.lsf", lsfFile(3, fields))});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QString text = QString::fromUtf8(result.out).remove(folder() + '/');
    EXPECT_TRUE(text.startsWith("File: info.lsf\nRecords: 3\nForms:\n   1  \"Start\"        "
                                "                             3 rows\n"));
    EXPECT_TRUE(text.simplified().contains("2 \"x\" 1 row 3 \"\" 1 row 4 \"\" 0 rows"));
    for (const char* line : {"\n  Application: \"Demo\"\n", "\n  Date:        \"2026-06-01\"\n",
                             "\nWarning: F01_lng_(1) is a row of one character (\"y\")",
                             "\nWarning: F24_lng_(1) is a row of one character (\"z\")"})
        EXPECT_TRUE(text.contains(line)) << line << "\nin:\n" << text.toStdString();
}

TEST_F(CliTest, StatsCountTheTranslatedReferenceRowsAndTheProblemsByCheck)
{
    const QString en =
        write("en.lsf", lsfFile(1, {packed({"Main"}), packed({"&Open", "Save", "Quit."})}));
    // Row 0 not yet translated: missing there, and the two rows after it move at a save.
    const QString nl =
        write("nl.lsf", lsfFile(1, {packed({"Hoofd"}), packed({"", "Save", "Stop."})}));
    const CliRun stats = run({"stats", "--against", en, nl, en});
    EXPECT_EQ(stats.status, 0);
    const QString out = QString(stats.out).remove(folder() + '/');
    EXPECT_TRUE(out.startsWith("nl.lsf: 2 of 3 reference rows translated, 4 problems\n"
                               "nl.lsf: untranslated: 1\nnl.lsf: needs-review: 0\n"
                               "nl.lsf: translated: 2\nnl.lsf: reviewed: 0\n"
                               "nl.lsf: missing: 1\nnl.lsf: extra: 0\n"));
    EXPECT_TRUE(out.contains("\nen.lsf: same: 3\n")) << out.toStdString();
    EXPECT_EQ(out.count(QLatin1Char(10)), 2 * 28)
        << "a line for the file, one for each state and one for each check";
}

// Usage is checked before any file is read, so each usage case leaves out, or adds, one thing to
// a call that would otherwise run.
TEST_F(CliTest, WrongCallsHaveTheirExitCodesAndMessages)
{
    write("ok.lsf", lsfFile(1, {}));
    write("bad.po", "msgid \"x\nmsgstr \"y\"\n");
    write("twice.po", "msgid \"x\"\nmsgstr \"y\"\n\nmsgid \"x\"\nmsgstr \"z\"\n");
    QDir().mkpath(path("folder"));
    // One wrong call a line: its exit status, the call ("@" is the scratch folder, '' an empty
    // argument) and its message, or a part of it ("\n" a line break).
    const QString cases = QStringLiteral(R"(
2 |  | no command given
2 | frobnicate | unknown command 'frobnicate'
2 | help frobnicate | help takes the name of one command
2 | help new info | help takes
2 | help new -o x | help takes
2 | new -o | lexicant-cli: -o needs one value\nTry 'lexicant-cli help'.\n
2 | new | new takes -o FILE and nothing else
2 | new x -o y | new takes
2 | new -o y --against z | new takes
1 | info @missing.lsf | lexicant-cli: @missing.lsf: No such file or directory\n
2 | info a b | info takes one FILE
2 | info a -o b | info takes one FILE
2 | to-json a --bogus | unknown option --bogus
2 | to-json a b | to-json takes one FILE and -o OUT
2 | to-json a --against b | to-json takes
2 | export-code a b | export-code takes one FILE and -o OUT
2 | export-code a --against b | export-code takes
2 | export-code a -o b --output c | -o is given twice, the second time as --output; it takes one value
2 | from-json a.json | from-json takes one JSON file and -o FILE
2 | from-json -o x | from-json takes
2 | from-json a -o x --against y | from-json takes
1 | from-json @missing.json -o @x.lsf | @missing.json: No such file or directory\n
1 | from-json @folder -o @x.lsf | @folder: is a folder\n
2 | to-po a b | to-po takes SOURCE
2 | to-po a --against b | to-po takes
2 | from-po --template a -o b | from-po takes PO
2 | from-po p -o b | from-po takes
2 | from-po p --template a | from-po takes
2 | from-po p --template a -o b --against c | from-po takes
1 | from-po @bad.po --template @ok.lsf -o @x.lsf | @bad.po: line 2: end-of-line within string\n
1 | from-po @twice.po --template @ok.lsf -o @x.lsf | @twice.po: line 4: duplicate message definition\n
2 | check | check takes one or more FILEs
2 | check a --language nl | check takes
2 | check --against a --against b c | --against is given twice; it takes one value\n
2 | check --against a c -o b | check takes
2 | check --against @ok.lsf --checks same --skip same x | give --checks or --skip, not both
2 | check --against @ok.lsf --checks same,bogus x | --checks: no check is called "bogus"; the checks are missing,extra,same,
2 | check --against @ok.lsf --skip bogus x | --skip: no check is called "bogus"
2 | check --format xml x | --format: no format is called "xml"; the formats are text,json,junit,sarif
2 | to-xliff a b | to-xliff takes SOURCE
2 | from-xliff a.xlf -o b | from-xliff takes FILE.xlf, --template SOURCE and -o TARGET
2 | check --against @ok.lsf --tm @tm --language nl x | --tm needs --reference-language LANG and --language LANG
2 | check --against @ok.lsf --tm @tm --reference-language en x | --tm needs
1 | check --against @missing.lsf x.lsf | @missing.lsf: No such file or directory
1 | check --against @ok.lsf @gone.lsf | @gone.lsf: No such file or directory
2 | stats @ok.lsf | stats takes --against REFERENCE and FILEs
2 | stats --against a | stats takes
2 | stats --against a b -o c | stats takes
2 | diff a | diff takes two FILEs
2 | diff a b -o c | diff takes
2 | diff @ok.lsf @missing.lsf | @missing.lsf: No such file or directory
2 | tm | tm takes add, suggest, import, export, init, push, pull or stats
2 | glossary list --reference-language en | glossary takes
2 | tm push x | tm push takes a server's address
2 | tm pull postgresql://h/d --tm postgresql://h/e | tm pull takes
2 | tm add --against a --reference-language en --language nl | tm add takes
2 | tm add x --reference-language en --language nl | tm add takes
2 | tm add x --against a --language nl | tm add takes
2 | tm add x --against a --reference-language en | tm add takes
2 | tm add x --against a --reference-language en --language nl -o y | tm add takes
2 | tm add x --against @ok.lsf --reference-language en --language nl --tm '' | --tm takes a value
2 | tm suggest --reference-language en --language nl | tm suggest takes
2 | tm suggest t --language nl | tm suggest takes
2 | tm suggest t --reference-language en | tm suggest takes
2 | tm suggest t --reference-language en --language nl --max 0 | tm suggest takes
2 | tm suggest t --reference-language en --language nl --max x | tm suggest takes
2 | tm suggest t --reference-language en --language nl -o y | tm suggest takes
2 | tm suggest t --reference-language '' --language nl | --reference-language takes a value
2 | tm suggest t --reference-language en --language '' | --language takes a value
2 | tm import | tm import takes one FILE.tmx
2 | tm import a -o b | tm import takes
2 | tm export | tm export takes -o FILE.tmx
2 | tm export x -o y | tm export takes
2 | tm export -o y --against z | tm export takes
1 | tm export -o @out.tmx --tm @typo.sqlite | lexicant-cli: there is no translation memory at @typo.sqlite\n
2 | pretranslate --against a --reference-language en --language nl -o b | pretranslate takes
2 | pretranslate x --reference-language en --language nl -o b | pretranslate takes
2 | pretranslate x --against a --language nl -o b | pretranslate takes
2 | pretranslate x --against a --reference-language en -o b | pretranslate takes
2 | pretranslate x --against a --reference-language en --language nl | pretranslate takes
2 | pretranslate x --against a --reference-language en --language nl -o b --max 1 | pretranslate takes
)");
    for (const QString& line : cases.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList c = QString(line).replace("@", folder() + '/').split(" | ");
        QStringList arguments;
        for (const QString& word : c[1].split(u' ', Qt::SkipEmptyParts))
            arguments << (word == "''" ? QString() : word);
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, c[0].toInt()) << line.toStdString();
        EXPECT_TRUE(result.err.contains(QString(c[2]).replace("\\n", "\n")))
            << line.toStdString() << "\n"
            << result.err.toStdString();
    }
}

TEST_F(CliTest, HelpForAllCommandsOrOneAndTheVersion)
{
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    const QByteArray readme = read(LEXICANT_README);
    const qsizetype block = readme.indexOf("## lexicant-cli\n\n```\n") + 21;
    EXPECT_EQ(readme.mid(block, readme.indexOf("```\n", block) - block), help.out)
        << "the README shows the help as it is";
    EXPECT_EQ(run({"-h"}).out, help.out);
    EXPECT_EQ(run({"help"}).out, help.out);
    const CliRun one = run({"help", "to-json"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, "Usage: lexicant-cli to-json FILE [-o OUT]\n\nwrite the whole document as "
                       "UTF-8 JSON.\n");
    EXPECT_EQ(run({"--version"}).out, "lexicant-cli " LEXICANT_VERSION "\n");
}

TEST_F(CliTest, EveryWritingCommandOnAFullDiskNamesTheCauseAndKeepsTheTarget)
{
    const QString source = write("source.lsf", lsfFile(1, {packed({"Main"}), packed({"Hello"})}));
    ASSERT_EQ(run({"to-json", source, "-o", path("doc.json")}).status, 0);
    ASSERT_EQ(run({"to-po", source, "-o", path("doc.po")}).status, 0);
    FullDisk disk(path("disk"));
    if (!disk.unavailable().isEmpty())
        GTEST_SKIP() << disk.unavailable().toStdString();
    const QByteArray original(7210, 'o');
    const QString target = write("disk/lang.lsf", original);
    ASSERT_TRUE(disk.fill());
    const QStringList commands[] = {
        {"new", "-o", target},
        {"from-json", path("doc.json"), "-o", target},
        {"from-po", path("doc.po"), "--template", source, "-o", target},
        {"to-json", source, "-o", target},
        {"export-code", source, "-o", target},
        {"to-po", source, "-o", target},
    };
    for (const QStringList& command : commands) {
        const CliRun result = run(command);
        EXPECT_EQ(result.status, 1) << command[0].toStdString();
        EXPECT_EQ(result.err, "lexicant-cli: " + target + ": No space left on device\n");
        EXPECT_EQ(read(target), original);
    }
}

// On a terminal, a long command shows how far it is on one line and clears it at the end.
TEST_F(CliTest, ProgressShowsOnATerminalAndIsCleared)
{
    write("in.tmx",
          R"(<tmx version="1.4"><header srclang="en"/><body><tu><tuv xml:lang="en">)"
          R"(<seg>Yes</seg></tuv><tuv xml:lang="nl"><seg>Ja</seg></tuv></tu></body></tmx>)");
    QProcess terminal;
    terminal.start("python3", {"-c", "import pty, sys; pty.spawn(sys.argv[1:])", LEXICANT_CLI, "tm",
                               "import", "--tm", path("tm.sqlite"), path("in.tmx")});
    ASSERT_TRUE(terminal.waitForFinished(30000));
    EXPECT_EQ(
        terminal.readAllStandardOutput(),
        "\rImporting: 0 of 1 units\x1b[K\r\x1b[K\r1 units: 1 added, 0 updated, 0 unchanged, 0 "
        "left out\r\n");
}

// A program without the memory's module says where it looked, and opens no memory.
TEST_F(CliTest, WithoutTheMemorysModuleTheProgramNamesWhereItLooked)
{
    const QString alone = path("alone/lexicant-cli");
    ASSERT_TRUE(QDir().mkpath(path("alone")) && QFile::copy(LEXICANT_CLI, alone));
    QProcess cli;
    cli.start(alone, {"tm", "suggest", "--tm", path("tm.sqlite"), "--reference-language", "en",
                      "--language", "nl", "Yes"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    const QString said = cli.readAllStandardError();
    EXPECT_TRUE(said.contains("is not installed: it is in neither ") &&
                said.contains(" nor " + path("alone") + "\n"))
        << said.toStdString();
    EXPECT_FALSE(QFile::exists(path("tm.sqlite")));
}
