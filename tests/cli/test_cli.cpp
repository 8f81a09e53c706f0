#include "CliRunner.h"
#include "FullDisk.h"
#include "LsfBytes.h"

#include <QFile>
#include <QProcess>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

TEST_F(CliTest, NewAndExportCodeWriteTheirBytes)
{
    EXPECT_EQ(run({"new", "-o", path("new.lsf")}).status, 0);
    const QByteArray bytes = read(path("new.lsf"));
    ASSERT_EQ(bytes.size(), 5466);
    EXPECT_EQ(bytes.mid(4, 2 + 385),
              field(QByteArray("- EMPTY FORM - \xBE").repeated(24) + '\xBE'));

    const QString file =
        write("code.lsf", lsfFile(1, {packed({"Caf\xE9"}), packed({"say \"hi\"", "", "x y"})}));
    const QByteArray expected = "\tF00_lng_(1) = \"Caf\xE9\"\r\n"
                                "\tF01_lng_(0) = \"say \"hi\"\"\r\n"
                                "\tF01_lng_(2) = \"x y\"\r\n";
    EXPECT_EQ(run({"export-code", file}).out, expected);
    EXPECT_EQ(run({"export-code", file, "-o", path("output.txt")}).status, 0);
    EXPECT_EQ(read(path("output.txt")), expected);
}

TEST_F(CliTest, InfoListsFormsSettingsAndEntriesAnEditWouldLose)
{
    QList<QByteArray> fields = {packed({"Start", "x"}), packed({"He", "y", "", "World"}),
                                packed({"One row"}), emptyEntries(200) + packed({"Last \xBD"})};
    for (int f = 4; f <= 23; ++f)
        fields << emptyEntries(201);
    fields << packed({"", "Last form"}) << packed({"Demo", "1.2", "Ann", "3", "2026-06-01"});
    const CliRun result = run({"info", write("info.lsf", lsfFile(3, fields))});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QString text = QString::fromUtf8(result.out);
    for (const char* line :
         {"Records: 3\n", "  Application: \"Demo\"\n", "  Date:        \"2026-06-01\"\n",
          "Warning: F01_lng_(1) is a row of one character (\"y\")",
          "Warning: F00_lng_(2) is a form name of one character",
          "Warning: F01_lng_(3) moves to row 1 at the next commit, where the application will not "
          "find it\n",
          "Warning: F25_lng_(4) is longer than its box's 8 characters: the editor cuts it to "
          "\"2026-06-\"\n"})
        EXPECT_TRUE(text.contains(line)) << line << "\nin:\n" << text.toStdString();
    EXPECT_TRUE(
        text.contains("Forms:\n   1  \"Start\"                                     3 rows\n"));
    EXPECT_TRUE(text.simplified().contains("2 \"x\" 1 row 3 \"\" 1 row 4 \"\" 0 rows"));
    EXPECT_TRUE(text.contains("Warning: F03_lng_(200) moves to row 0 at the next commit"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Warning: F03_lng_(200) holds \"½\"")));
    EXPECT_TRUE(text.contains("Warning: F24_lng_(1) moves to row 0 at the next commit"));
    EXPECT_EQ(text.count("Warning:"), 9) << "and F03_lng_(0) and F24_lng_(0), the gaps";
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
    for (const char* line : {"nl.lsf: 2 of 3 reference rows translated, 4 problems\nnl.lsf: "
                             "missing: 1\nnl.lsf: extra: 0\nnl.lsf: same: 1\n",
                             "nl.lsf: moves-at-save: 2\nnl.lsf: numbers: 0\n",
                             "nl.lsf: changed: 0\nen.lsf: 3 of 3 reference rows translated, 3 "
                             "problems\n",
                             "en.lsf: same: 3\n"})
        EXPECT_TRUE(out.contains(line)) << line << out.toStdString();
    EXPECT_EQ(out.count(QLatin1Char(10)), 2 * 23) << "a line for the file and one for each check";
}

TEST_F(CliTest, JsonRoundTripGivesTheFileBackByteForByte)
{
    QList<QByteArray> fields = {QByteArray("Name \xE9\"\xBE").repeated(25)};
    for (int f = 1; f <= 24; ++f)
        fields << emptyEntries(f) + "\t\\ row\r\n" + emptyEntries(201 - f);
    fields << QByteArray("hidden \xBE").repeated(201);
    const QByteArray original = lsfFile(1, fields);
    ASSERT_EQ(run({"to-json", write("source.lsf", original), "-o", path("doc.json")}).status, 0);
    const CliRun back = run({"from-json", path("doc.json"), "-o", path("back.lsf")});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_EQ(read(path("back.lsf")), original);
}

// Each wrong call, with its exit status and its message (whole, or a part): a call as words, "@"
// for the scratch folder and '' for an empty argument. Usage is checked before any file is read,
// so each usage case leaves out, or adds, one thing to a call that would otherwise run.
TEST_F(CliTest, WrongCallsHaveTheirExitCodesAndMessages)
{
    write("ok.lsf", lsfFile(1, {}));
    write("broken.lsf", le32(0));
    write("bad.po", "msgid \"x\nmsgstr \"y\"\n");
    QDir().mkpath(path("folder"));
    const struct {
        const char* call;
        int status;
        const char* error;
    } cases[] = {
        {"", 2, "no command given"},
        {"frobnicate", 2, "unknown command 'frobnicate'"},
        {"help frobnicate", 2, "help takes the name of one command"},
        {"help new info", 2, "help takes"},
        {"help new -o x", 2, "help takes"},
        {"new -o", 2, "lexicant-cli: -o needs one value\nTry 'lexicant-cli help'.\n"},
        {"new", 2, "new takes -o FILE and nothing else"},
        {"new x -o y", 2, "new takes"},
        {"new -o y --against z", 2, "new takes"},
        {"info @missing.lsf", 1, "lexicant-cli: @missing.lsf: No such file or directory\n"},
        {"info @broken.lsf", 1, "record count is 0"},
        {"info a b", 2, "info takes one FILE"},
        {"info a -o b", 2, "info takes one FILE"},
        {"to-json a --bogus", 2, "unknown option --bogus"},
        {"to-json a b", 2, "to-json takes one FILE and -o OUT"},
        {"to-json a --against b", 2, "to-json takes"},
        {"export-code a b", 2, "export-code takes one FILE and -o OUT"},
        {"export-code a --against b", 2, "export-code takes"},
        {"export-code a -o b --output c", 2,
         "-o is given twice, the second time as --output; it takes one value"},
        {"from-json a.json", 2, "from-json takes one JSON file and -o FILE"},
        {"from-json -o x", 2, "from-json takes"},
        {"from-json a -o x --against y", 2, "from-json takes"},
        {"from-json @missing.json -o @x.lsf", 1, "@missing.json: No such file or directory\n"},
        {"from-json @folder -o @x.lsf", 1, "@folder: is a folder\n"},
        {"to-po a b", 2, "to-po takes SOURCE"},
        {"to-po a --against b", 2, "to-po takes"},
        {"from-po --template a -o b", 2, "from-po takes PO"},
        {"from-po p -o b", 2, "from-po takes"},
        {"from-po p --template a", 2, "from-po takes"},
        {"from-po p --template a -o b --against c", 2, "from-po takes"},
        {"from-po @bad.po --template @ok.lsf -o @x.lsf", 1,
         "@bad.po: line 2: end-of-line within string\n"},
        {"check", 2, "check takes one or more FILEs"},
        {"check a --language nl", 2, "check takes"},
        {"check --against a --against b c", 2, "--against is given twice; it takes one value\n"},
        {"check --against a c -o b", 2, "check takes"},
        {"check --against @ok.lsf --checks same --skip same x", 2,
         "give --checks or --skip, not both"},
        {"check --against @ok.lsf --checks same,bogus x", 2,
         "--checks: no check is called \"bogus\"; the checks are missing,extra,same,"},
        {"check --against @ok.lsf --skip bogus x", 2, "--skip: no check is called \"bogus\""},
        {"check --against @ok.lsf --tm @tm --language nl x", 2,
         "--tm needs --reference-language LANG and --language LANG"},
        {"check --against @ok.lsf --tm @tm --reference-language en x", 2, "--tm needs"},
        {"check --against @ok.lsf x --tm", 2, "--tm needs one value"},
        {"check --against @missing.lsf x.lsf", 1, "@missing.lsf: No such file or directory"},
        {"check --against @ok.lsf @gone.lsf", 1, "@gone.lsf: No such file or directory"},
        {"stats @ok.lsf", 2, "stats takes --against REFERENCE and FILEs"},
        {"stats --against a", 2, "stats takes"},
        {"stats --against a b -o c", 2, "stats takes"},
        {"diff a", 2, "diff takes two FILEs"},
        {"diff a b -o c", 2, "diff takes"},
        {"diff @ok.lsf @missing.lsf", 2, "@missing.lsf: No such file or directory"},
        {"tm", 2, "tm takes add, suggest, import or export"},
        {"tm add --against a --reference-language en --language nl", 2, "tm add takes"},
        {"tm add x --reference-language en --language nl", 2, "tm add takes"},
        {"tm add x --against a --language nl", 2, "tm add takes"},
        {"tm add x --against a --reference-language en", 2, "tm add takes"},
        {"tm add x --against a --reference-language en --language nl -o y", 2, "tm add takes"},
        {"tm add x --against @ok.lsf --reference-language en --language nl --tm ''", 2,
         "--tm takes a value"},
        {"tm suggest --reference-language en --language nl", 2, "tm suggest takes"},
        {"tm suggest t --language nl", 2, "tm suggest takes"},
        {"tm suggest t --reference-language en", 2, "tm suggest takes"},
        {"tm suggest t --reference-language en --language nl --max 0", 2, "tm suggest takes"},
        {"tm suggest t --reference-language en --language nl --max x", 2, "tm suggest takes"},
        {"tm suggest t --reference-language en --language nl -o y", 2, "tm suggest takes"},
        {"tm suggest t --reference-language '' --language nl", 2,
         "--reference-language takes a value"},
        {"tm suggest t --reference-language en --language ''", 2, "--language takes a value"},
        {"tm import", 2, "tm import takes one FILE.tmx"},
        {"tm import a -o b", 2, "tm import takes"},
        {"tm export", 2, "tm export takes -o FILE.tmx"},
        {"tm export x -o y", 2, "tm export takes"},
        {"tm export -o y --against z", 2, "tm export takes"},
        {"tm export -o @out.tmx --tm @typo.sqlite", 1,
         "lexicant-cli: there is no translation memory at @typo.sqlite\n"},
        {"tm export -o @out.tmx --tm @folder", 1,
         "lexicant-cli: @folder is not a regular file, so it cannot be a translation memory; it "
         "was left as it is\n"},
        {"pretranslate --against a --reference-language en --language nl -o b", 2,
         "pretranslate takes"},
        {"pretranslate x --reference-language en --language nl -o b", 2, "pretranslate takes"},
        {"pretranslate x --against a --language nl -o b", 2, "pretranslate takes"},
        {"pretranslate x --against a --reference-language en -o b", 2, "pretranslate takes"},
        {"pretranslate x --against a --reference-language en --language nl", 2,
         "pretranslate takes"},
        {"pretranslate x --against a --reference-language en --language nl -o b --max 1", 2,
         "pretranslate takes"},
    };
    for (const auto& c : cases) {
        QStringList arguments;
        for (const QString& word : QString(c.call).split(u' ', Qt::SkipEmptyParts))
            arguments << (word == "''" ? QString() : QString(word).replace("@", folder() + '/'));
        const CliRun result = run(arguments);
        EXPECT_EQ(result.status, c.status) << c.call;
        EXPECT_TRUE(result.err.contains(QString(c.error).replace("@", folder() + '/')))
            << c.call << "\n"
            << result.err.toStdString();
    }

    QByteArray big = R"({"format":"lexicant-language-file","formatVersion":1,"forms":[[)";
    big += ('"' + QByteArray(400, 'z') + "\",").repeated(200).chopped(1) + "]]}";
    const CliRun result = run({"from-json", write("big.json", big), "-o", path("big.lsf")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("The texts of form 1 take 80,201 bytes"));
    EXPECT_FALSE(QFile::exists(path("big.lsf")));
}

TEST_F(CliTest, HelpForAllCommandsOrOneAndTheVersion)
{
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: lexicant-cli COMMAND [ARGUMENTS]\n"));
    EXPECT_TRUE(
        help.out.contains("\n  from-json JSON -o FILE     write the language file that such "
                          "JSON describes\n"));
    EXPECT_TRUE(help.out.contains("\n  from-po PO --template SOURCE -o TARGET [--use-fuzzy]\n"
                                  "                             write SOURCE with the PO file's "
                                  "translations in it;\n"));
    EXPECT_TRUE(help.out.contains("\n  -h, --help                 show this text\n"));
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
    EXPECT_EQ(QDir(path("disk")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"filler", "lang.lsf"}));
}

TEST_F(CliTest, FileSizeLimitEndsTheCommandWithTheCauseNotWithASignal)
{
    const QString target = write("lang.lsf", QByteArray(100, 'o'));
    QProcess cli;
    cli.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_DFL); // as a shell starts it, whatever this process ignores
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    cli.start(LEXICANT_CLI, {"new", "-o", target});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(cli.readAllStandardError(), "lexicant-cli: " + target + ": File too large\n");
    EXPECT_EQ(read(target), QByteArray(100, 'o'));
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
