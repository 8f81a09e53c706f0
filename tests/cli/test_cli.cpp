#include "CliRunner.h"
#include "FullDisk.h"
#include "LsfBytes.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

TEST_F(CliTest, NewWritesTheFileOfAFreshDocument)
{
    const CliRun result = run({"new", "-o", path("new.lsf")});
    EXPECT_EQ(result.status, 0);
    const QByteArray bytes = read(path("new.lsf"));
    ASSERT_EQ(bytes.size(), 5466);
    QByteArray names;
    for (int form = 0; form < 24; ++form)
        names += QByteArray("- EMPTY FORM - ") + '\xBE';
    EXPECT_EQ(bytes.mid(4, 2 + 385), field(names + '\xBE'));
}

TEST_F(CliTest, InfoListsFormsSettingsAndEntriesAnEditWouldLose)
{
    QList<QByteArray> fields = {packed({"Start", "x", "50%3 off"})};
    fields << packed({"Hello", "y", "", "World"}) << packed({"Half \xBD done"});
    fields << emptyEntries(200) + packed({"Last \xBD"}); // row 200 counts and is checked
    for (int f = 4; f <= 24; ++f)
        fields << emptyEntries(201);
    fields << packed({"Demo", "1.2", "Ann", "3", "2026-06-01"});
    const QString file = write("info.lsf", lsfFile(3, fields));

    const CliRun result = run({"info", file});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QString text = QString::fromUtf8(result.out);
    EXPECT_TRUE(text.contains("Records: 3\n"));
    EXPECT_TRUE(text.contains(QRegularExpression("\n   1  \"Start\" +3 rows\n")));
    EXPECT_TRUE(text.contains(QRegularExpression("\n   2  \"x\" +1 row\n")));
    EXPECT_TRUE(text.contains(QRegularExpression("\n   3  \"50%3 off\" +1 row\n")));
    EXPECT_TRUE(text.contains("  Application: \"Demo\"\n"));
    EXPECT_TRUE(text.contains("  Date:        \"2026-06-01\"\n"));
    EXPECT_TRUE(text.contains("Warning: F01_lng_(1) is a row of one character (\"y\")"));
    EXPECT_TRUE(text.contains("Warning: F00_lng_(2) is a form name of one character"));
    EXPECT_TRUE(
        text.contains(QString::fromUtf8("Warning: F02_lng_(0) holds \"½\", \"¾\" or \"¼\"")));
    EXPECT_TRUE(text.contains("Warning: F01_lng_(3) moves to row 1 at the next commit, where the "
                              "application will not find it\n"));
    EXPECT_TRUE(text.contains("Warning: F25_lng_(4) is longer than its box's 8 characters: the "
                              "editor cuts it to \"2026-06-\"\n"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Warning: F03_lng_(200) holds \"½\"")));
    EXPECT_TRUE(text.contains("Warning: F03_lng_(200) moves to row 0 at the next commit"));
    EXPECT_EQ(text.count("Warning:"), 8) << "and F03_lng_(0), the gap before it";
}

TEST_F(CliTest, ExportCodeWritesWindowsCodePageBytes)
{
    QList<QByteArray> fields = {packed({"Caf\xE9"})};
    fields << packed({"say \"hi\"", "", "x y"});
    const QString file = write("code.lsf", lsfFile(1, fields));
    const QByteArray expected = "\tF00_lng_(1) = \"Caf\xE9\"\r\n"
                                "\tF01_lng_(0) = \"say \"hi\"\"\r\n"
                                "\tF01_lng_(2) = \"x y\"\r\n";
    const CliRun toStdout = run({"export-code", file});
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, expected);
    EXPECT_EQ(run({"export-code", file, "-o", path("output.txt")}).status, 0);
    EXPECT_EQ(read(path("output.txt")), expected);
}

TEST_F(CliTest, JsonRoundTripGivesTheFileBackByteForByte)
{
    QList<QByteArray> fields;
    QByteArray names;
    for (int n = 1; n <= 25; ++n)
        names += "Name \xE9\"" + QByteArray::number(n) + '\xBE';
    fields << names;
    for (int f = 1; f <= 24; ++f) {
        QByteArray rows;
        for (int r = 0; r <= 200; ++r)
            rows +=
                (r % 7 == f % 7 ? QByteArray("\t\\ row\r\n") + QByteArray::number(r) : "") + '\xBE';
        fields << rows;
    }
    QByteArray settings = packed({"App", "1.0", "Ann", "4", "02-02-26"});
    for (int r = 5; r <= 200; ++r)
        settings += "hidden " + QByteArray::number(r) + '\xBE';
    fields << settings;
    const QByteArray original = lsfFile(1, fields);
    const QString file = write("source.lsf", original);

    ASSERT_EQ(run({"to-json", file, "-o", path("doc.json")}).status, 0);
    const CliRun back = run({"from-json", path("doc.json"), "-o", path("back.lsf")});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_EQ(read(path("back.lsf")), original);
}

TEST_F(CliTest, FailuresAndUsageHaveTheirExitCodes)
{
    CliRun result = run({"info", path("missing.lsf")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "lexicant-cli: " + path("missing.lsf") + ": No such file or directory\n");
    result = run({"from-json", path("missing.json"), "-o", path("x.lsf")});
    EXPECT_EQ(result.err,
              "lexicant-cli: " + path("missing.json") + ": No such file or directory\n");

    result = run({"info", write("broken.lsf", le32(0))});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("record count is 0"));

    QByteArray big = R"({"format":"lexicant-language-file","formatVersion":1,"forms":[[)";
    for (int r = 0; r < 200; ++r)
        big += QByteArray(r ? "," : "") + '"' + QByteArray(400, 'z') + '"';
    const QString json = write("big.json", big + "]]}");
    result = run({"from-json", json, "-o", path("big.lsf")});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("The texts of form 1 take 80,201 bytes"));
    EXPECT_FALSE(QFile::exists(path("big.lsf")));

    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({"new"}).status, 2);
    EXPECT_EQ(run({"new", "-o"}).err,
              "lexicant-cli: -o needs one value\nTry 'lexicant-cli help'.\n");
    EXPECT_EQ(run({"info", "a", "b"}).status, 2);
    EXPECT_EQ(run({"to-json", "a", "--bogus"}).status, 2);
    EXPECT_EQ(run({"from-json", "a.json"}).status, 2);
    EXPECT_EQ(run({"help", "frobnicate"}).status, 2);
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
