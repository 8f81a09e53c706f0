#include "CliRunner.h"
#include "Dictionaries.h"
#include "LanguageFile.h"
#include "PoFile.h"
#include "PostgresServer.h"
#include "Review.h"
#include "TranslationMemory.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <QXmlStreamReader>

#include <memory>
#include <random>

#include <sys/stat.h>

namespace {

// A random text of Windows-1252 characters with quotes, backslashes, tabs and line breaks, now
// and then with a line break at its start or end, which gettext refuses on one side of a pair
// only; not the three fraction characters, which a language file cannot hold in a text, nor NUL
// and EOT, which a PO file cannot hold.
QString randomText(std::mt19937& random)
{
    const auto number = [&](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    QByteArray bytes(number(1, 40), ' ');
    for (char& c : bytes) {
        do
            c = number(0, 5) == 0 ? "\"\\\t\r\n"[number(0, 4)] : char(number(1, 255));
        while (QByteArray("\x04\xBC\xBD\xBE").contains(c));
    }
    const int where = number(0, 5);
    return QString(where == 0 || where == 2 ? "\n" : "") + lsf::decode1252(bytes) +
           QString(where == 1 || where == 2 ? "\n" : "");
}

} // namespace

using CliTranslation = CliTest;

TEST_F(CliTranslation, PoRoundTripReproducesTheTranslationsRowsByteForByte)
{
    std::mt19937 random(6);
    for (int round = 0; round < 5; ++round) {
        LanguageDocument source, target;
        for (int form = 1; form <= 24; ++form) {
            for (int row = 0; row <= 200; ++row) {
                if (std::uniform_int_distribution<int>(0, 3)(random) != 0)
                    continue;
                source.formText(form).set(row, randomText(random));
                target.formText(form).set(row, randomText(random));
            }
        }
        ASSERT_EQ(writeLanguageFile(source, path("en.lsf")).status, WriteStatus::Ok);
        ASSERT_EQ(writeLanguageFile(target, path("nl.lsf")).status, WriteStatus::Ok);

        const CliRun po = run({"to-po", path("en.lsf"), "--translation", path("nl.lsf"),
                               "--language", "nl", "-o", path("nl.po")});
        ASSERT_EQ(po.status, 0) << po.err.toStdString();
        QProcess msgfmt; // GNU gettext's own check of the file
        msgfmt.start("msgfmt", {"--check", "-o", "/dev/null", path("nl.po")});
        ASSERT_TRUE(msgfmt.waitForFinished(30000));
        EXPECT_EQ(msgfmt.exitCode(), 0) << msgfmt.readAllStandardError().toStdString();
        EXPECT_GT(read(path("nl.po")).count("\n# lexicant: fuzzy because the "), 0);
        const CliRun back = run({"from-po", path("nl.po"), "--template", path("en.lsf"), "-o",
                                 path("back.lsf"), "--use-fuzzy"});
        ASSERT_EQ(back.status, 0) << back.err.toStdString();
        // Neither file has form names or settings, so the rows are all that can differ.
        EXPECT_EQ(read(path("back.lsf")), read(path("nl.lsf")));
    }
}

TEST_F(CliTranslation, PoFileCarriesHeaderAndComments)
{
    formFile("en.lsf", {"&File", "Quit \"now\"", "50%"}, {"Demo Notes", "2.1", "Ann"});
    formFile("nl.lsf", {"&Bestand", "Stop \"nu\""}, {"Demo Notes", "2.1", "Jan de\r\nVries"});
    const CliRun po =
        run({"to-po", path("en.lsf"), "--translation", path("nl.lsf"), "--language", "nl"});
    ASSERT_EQ(po.status, 0) << po.err.toStdString();
    const QString text = QString::fromUtf8(po.out);
    EXPECT_TRUE(text.contains("\"Project-Id-Version: Demo Notes 2.1\\n\""));
    EXPECT_TRUE(text.contains("\"Language: nl\\n\""));
    EXPECT_TRUE(text.contains("\"Last-Translator: Jan de Vries\\n\"")) << "one line";
    EXPECT_TRUE(text.contains("#. Form 1: Main\nmsgctxt \"F01_lng_(1)\"\n"
                              "msgid \"Quit \\\"now\\\"\"\nmsgstr \"Stop \\\"nu\\\"\""));
    EXPECT_TRUE(text.contains("msgctxt \"F01_lng_(2)\"\nmsgid \"50%\"\nmsgstr \"\""));
    EXPECT_FALSE(text.contains("msgid \"Main\"")) << "form names stay out";
}

// The review beside a translation goes into the PO file as gettext keeps it, and comes back.
TEST_F(CliTranslation, StatsAndPoCarryTheReviewBesideTheTranslation)
{
    formFile("en.lsf", {"Open", "Save", "Quit"});
    formFile("nl.lsf", {"Openen", "Opslaan", "Stoppen"});
    Review review;
    review.rows.insert(
        {1, 0}, reviewed(nullptr, "Openen", "Open", "Anna", QDateTime::currentDateTimeUtc()));
    review.rows[{1, 0}].note = "Vraag:\nwelk bestand?";
    review.rows.insert({1, 1}, stored(nullptr, "Opslaan", "Save all", RowState::Translated));
    write("nl.lsf.review", reviewBytes(review));
    EXPECT_TRUE(run({"stats", "--against", path("en.lsf"), path("nl.lsf")})
                    .out.contains("nl.lsf: needs-review: 1\n" + path("nl.lsf").toUtf8() +
                                  ": translated: 1\n" + path("nl.lsf").toUtf8() +
                                  ": reviewed: 1\n" + path("nl.lsf").toUtf8() +
                                  ": reviewed by Anna: 1\n"));
    ASSERT_EQ(
        run({"to-po", path("en.lsf"), "--translation", path("nl.lsf"), "-o", path("tt.po")}).status,
        0);
    // translate-toolkit reads each entry's state, note and earlier reference, and what it writes
    // back carries them into the review again.
    QProcess toolkit;
    toolkit.start("/usr/bin/python3",
                  {"-c",
                   "import sys; from translate.storage import po\n"
                   "f = po.pofile.parsefile(sys.argv[1])\n"
                   "for u in f.units[1:]: print(repr((u.getcontext(), u.target, u.isfuzzy(), "
                   "u.getnotes('translator'), u.prev_source)))\n"
                   "f.savefile(sys.argv[2])",
                   path("tt.po"), path("nl.po")});
    ASSERT_TRUE(toolkit.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(toolkit.readAllStandardOutput()),
              "('F01_lng_(0)', 'Openen', False, 'Vraag:\\nwelk bestand?', '')\n"
              "('F01_lng_(1)', 'Opslaan', True, '', 'Save all')\n"
              "('F01_lng_(2)', 'Stoppen', False, '', '')\n")
        << toolkit.readAllStandardError().toStdString();
    const CliRun back = run({"from-po", path("nl.po"), "--template", path("en.lsf"), "-o",
                             path("back.lsf"), "--use-fuzzy"});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    const ReviewReading reading = readReview(read(path("back.lsf.review")));
    EXPECT_EQ(reading.problem, "");
    const RowReview saved = reading.review.rows.value({1, 1});
    EXPECT_EQ(stateOf(&saved, "Opslaan", "Save"), RowState::NeedsReview);
    EXPECT_EQ(saved.reference, "Save all");
    EXPECT_EQ(reading.review.rows.value({1, 0}).note, "Vraag:\nwelk bestand?");
    EXPECT_EQ(reading.review.rows.size(), 3);

    // A problem accepted for a row as it is now is not named; accepted for another text, it is.
    formFile("same.lsf", {"Openen", "Opslaan", "Quit"});
    Review accepted;
    accepted.rows.insert({1, 2}, stored(nullptr, "Quit", "Quit", RowState::Translated));
    accepted.rows[{1, 2}].accepted = QStringList{"same"};
    write("same.lsf.review", reviewBytes(accepted));
    const QStringList same = {"check",    "--against", path("en.lsf"),
                              "--checks", "same",      path("same.lsf")};
    EXPECT_EQ(run(same).status, 0);
    accepted.rows[{1, 2}].text = "Quit!";
    write("same.lsf.review", reviewBytes(accepted));
    EXPECT_EQ(run(same).out, path("same.lsf").toUtf8() +
                                 ": F01_lng_(2): same: the text is the same as the "
                                 "reference's\n");

    write("nl.lsf.review", "{ not json");
    EXPECT_EQ(run({"to-po", path("en.lsf"), "--translation", path("nl.lsf")}).err,
              "lexicant-cli: " + path("nl.lsf.review") +
                  ": is no JSON: unterminated object at byte 3\n");
}

// XLIFF 1.2 as translate-toolkit reads it, and back through its XLIFF to PO and PO to XLIFF.
TEST_F(CliTranslation, XliffCarriesEveryRowWithItsStateAndNoteBothWays)
{
    formFile("en.lsf", {"Open", "Save\r\nall", "Quit", "Help"});
    formFile("nl.lsf", {"Openen", "Alles\r\nopslaan", "", "Hulp"});
    Review review;
    review.rows.insert({1, 0}, reviewed(nullptr, "Openen", "Open", "Anna", {}));
    review.rows[{1, 0}].note = "Vraag:\nwelk?";
    review.rows.insert({1, 1}, stored(nullptr, "Alles\r\nopslaan", "Save", RowState::Translated));
    write("nl.lsf.review", reviewBytes(review));
    ASSERT_EQ(run({"to-xliff", path("en.lsf"), "--translation", path("nl.lsf"), "--language", "nl",
                   "-o", path("nl.xlf")})
                  .status,
              0);
    QProcess toolkit;
    toolkit.start("/usr/bin/python3",
                  {"-c",
                   "import sys; from translate.storage import xliff\n"
                   "for u in xliff.xlifffile.parsefile(sys.argv[1]).units: print(repr(("
                   "u.getid().replace(chr(4), '|'), u.target, u.get_state_n(), u.isfuzzy(), "
                   "u.getnotes('translator'))))",
                   path("nl.xlf")});
    ASSERT_TRUE(toolkit.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(toolkit.readAllStandardOutput()),
              "('en.lsf|F01_lng_(0)', 'Openen', 121, False, 'Vraag:\\nwelk?')\n"
              "('en.lsf|F01_lng_(1)', 'Alles\\r\\nopslaan', 80, True, '')\n"
              "('en.lsf|F01_lng_(2)', '', 1, False, '')\n"
              "('en.lsf|F01_lng_(3)', 'Hulp', 100, False, '')\n")
        << toolkit.readAllStandardError().toStdString();
    for (const auto& [program, from, to] :
         {std::tuple("xliff2po", "nl.xlf", "nl.po"), std::tuple("po2xliff", "nl.po", "tt.xlf")}) {
        toolkit.start(program, {path(from), path(to)});
        ASSERT_TRUE(toolkit.waitForFinished(60000) && toolkit.exitCode() == 0) << program;
    }
    for (const char* file : {"nl.xlf", "tt.xlf"}) {
        const CliRun back =
            run({"from-xliff", path(file), "--template", path("en.lsf"), "-o", path("back.lsf")});
        ASSERT_EQ(back.status, 0) << back.err.toStdString();
        EXPECT_EQ(back.out, "3 rows translated\n") << file;
        const Review saved = readReview(read(path("back.lsf.review"))).review;
        EXPECT_EQ(saved.rows.value({1, 0}).note, "Vraag:\nwelk?") << file;
        EXPECT_EQ(saved.rows.value({1, 1}).state, RowState::NeedsReview) << file;
        EXPECT_EQ(run({"diff", path("back.lsf"), path("nl.lsf")}).out,
                  "F01_lng_(2): \"Quit\" -> \"\"\n")
            << "the untranslated row keeps the template's text";
    }
    formFile("bad.lsf", {"Open\x01"});
    EXPECT_EQ(run({"to-xliff", path("en.lsf"), "--translation", path("bad.lsf")}).err,
              "lexicant-cli: " + path("bad.lsf") +
                  ": F01_lng_(0) holds the control character U+0001, which XML cannot hold\n");
}

TEST(CliGettextRules, ATranslationBeginsAndEndsWithALineBreakExactlyWhenItsSourceDoes)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"a\nb", "c", ""},
        {"\nab\n", "\ncd\n", ""},
        {"\nab", "", ""}, // not translated
        {"\nab", "cd", "the source begins with a line break and the translation does not"},
        {"ab", "\ncd", "the translation begins with a line break and the source does not"},
        {"ab\n", "cd", "the source ends with a line break and the translation does not"},
        {"ab", "cd\n", "the translation ends with a line break and the source does not"},
        {"\r\n", "\r", "the source ends with a line break and the translation does not"},
    };
    for (const auto& [source, translation, broken] : cases)
        EXPECT_EQ(gettextRuleBroken(source, translation),
                  *broken ? broken + QString("; gettext wants both or neither") : QString())
            << source << " / " << translation;
}

TEST_F(CliTranslation, FromPoRefusesWhatAFileCannotHoldAndWarnsAboutWhatTheEditorDrops)
{
    write("en.lsf", lsfFile(1, {packed({"Main"}), packed({"One", "Two", "Three"})}));
    const auto po = [&](const QByteArray& entries) {
        return write("in.po",
                     "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n" +
                         entries);
    };
    const QStringList fromPo = {"from-po",      path("in.po"), "--template",
                                path("en.lsf"), "-o",          path("out.lsf")};

    const struct {
        QByteArray entries;
        QString error;
    } refused[] = {
        {"msgctxt \"F01_lng_(2)\"\nmsgid \"Three\"\nmsgstr \"Drei \xF0\x9F\x98\x80\"\n",
         QString::fromUtf8("F01_lng_(2): the translation holds the character \"😀\" (U+1F600)")},
        {("msgctxt \"F01_lng_(0)\"\nmsgid \"x\"\nmsgstr \"" + QByteArray(30000, 'w') + "\"\n\n" +
          "msgctxt \"F01_lng_(1)\"\nmsgid \"x\"\nmsgstr \"" + QByteArray(30000, 'w') + "\"\n\n" +
          "msgctxt \"F01_lng_(2)\"\nmsgid \"x\"\nmsgstr \"" + QByteArray(30000, 'w') + "\"\n"),
         "The texts of form 1 take 90,201 bytes"},
    };
    for (const auto& r : refused) {
        po(r.entries);
        const CliRun result = run(fromPo);
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.err.contains(r.error)) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("out.lsf")));
    }

    po("msgctxt \"F01_lng_(0)\"\nmsgid \"One\"\nmsgstr \"1\"\n\n"
       "#, fuzzy\nmsgctxt \"F01_lng_(1)\"\nmsgid \"Two\"\nmsgstr \"Zwei\"\n\n"
       "msgctxt \"F00_lng_(1)\"\nmsgid \"Main\"\nmsgstr \"Haupt\"\n");
    CliRun result = run(fromPo);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "1 rows translated, 2 rows kept from the template\n");
    EXPECT_TRUE(result.err.contains("F01_lng_(0): the translation \"1\" has one character"));
    EXPECT_TRUE(result.err.contains("msgctxt \"F00_lng_(1)\" names no row of a form"));
    EXPECT_TRUE(result.err.contains(path("in.po") +
                                    ": 1 fuzzy translation left out; --use-fuzzy takes them too"));
    EXPECT_EQ(read(path("out.lsf")),
              lsfFile(1, {packed({"Main"}) + emptyEntries(24),
                          packed({"1", "Two", "Three"}) + emptyEntries(198)}));
    result = run(fromPo + QStringList{"--use-fuzzy"});
    EXPECT_EQ(result.out, "2 rows translated, 1 rows kept from the template\n");
    EXPECT_FALSE(result.err.contains("fuzzy"));

    po("msgctxt \"F01_lng_(1)\"\nmsgid \"Two\"\nmsgstr \"Zwei\"\n\n"
       "msgctxt \"F01_lng_(1)\"\nmsgid \"Two!\"\nmsgstr \"Deux\"\n");
    result = run(fromPo);
    EXPECT_EQ(result.out, "1 rows translated, 2 rows kept from the template\n");
    EXPECT_EQ(result.err,
              "lexicant-cli: warning: F01_lng_(1): the template's text \"Two\" is not the PO's "
              "msgid \"Two!\"; the translation is used\n"
              "lexicant-cli: warning: F01_lng_(1): translated again in " +
                  path("in.po") + "; the later translation \"Deux\" replaces \"Zwei\"\n");

    const QString bom = write("bom.po", "\xEF\xBB\xBFmsgid \"\"\nmsgstr \"\"\n");
    EXPECT_EQ(run({"from-po", bom, "--template", path("en.lsf"), "-o", path("x.lsf")}).err,
              "lexicant-cli: " + bom +
                  ": begins with a UTF-8 byte-order mark, which GNU gettext refuses; save the "
                  "file without one\n");
}

using CliCheck = CliTest;

TEST_F(CliCheck, ListsEveryKindOfProblemOneLineEach)
{
    QList<QByteArray> fields = {packed({"Main", "x"}) + emptyEntries(22) + packed({"stray"})};
    fields << packed({"Used", "", "Half \xBD", "y"}) + "tail"
           << packed({"Bell\x04", QByteArray("N\0L", 3)}) + emptyEntries(199);
    while (fields.size() < 24)
        fields << emptyEntries(201);
    fields << packed({"z", "", "Last form"}) + emptyEntries(198) // "z" is no row shown
           << packed({"Demo", "1.2", "Ann", "3", "2026-06-01"}) + emptyEntries(196);
    const QString bad = write("bad.lsf", lsfFile(2, fields));
    const QString clean = write("clean.lsf", lsfFile(1, {}));
    const QString broken = write("broken.lsf", le32(1) + le16(10));

    const CliRun result = run({"check", clean, bad, broken});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(QString::fromUtf8(result.out).remove(folder() + '/'), QString::fromUtf8(R"(
bad.lsf: -: holds 2 records; only the first is read, and a save keeps only that one
bad.lsf: F01: does not end with the row terminator "¾"; text after the last one is ignored
bad.lsf: F01: holds 4 entries instead of 201; the others keep whatever the editor held before
bad.lsf: F00_lng_(2): is a form name of one character ("x"): the editor shows and saves "- EMPTY FORM -" instead
bad.lsf: F00_lng_(25): belongs to no form: the editor empties it at the next commit
bad.lsf: F01_lng_(1): is an empty row between used rows: the next commit moves the rows after it up
bad.lsf: F01_lng_(2): holds "½", "¾" or "¼", which the editor refuses in a text
bad.lsf: F01_lng_(2): moves to row 1 at the next commit, where the application will not find it
bad.lsf: F01_lng_(3): is a row of one character ("y"): the editor hides it and drops it at the next commit
bad.lsf: F02_lng_(0): holds the control character EOT, which a PO file cannot hold
bad.lsf: F02_lng_(1): holds the control character NUL, which a PO file cannot hold
bad.lsf: F24_lng_(0): is a row of one character ("z"): the editor hides it and drops it at the next commit
bad.lsf: F24_lng_(2): moves to row 0 at the next commit, where the application will not find it
bad.lsf: F25_lng_(4): is longer than its box's 8 characters: the editor cuts it to "2026-06-"
broken.lsf: -: does not load: is not a language file: it ends inside its first record
)")
                                                                        .mid(1));
    EXPECT_EQ(run({"check", clean}).status, 0);
    const QString en = write("en.lsf", lsfFile(1, {emptyEntries(25), {}, packed({"Bell"})}));
    for (const QStringList& pair : {QStringList{bad, en}, QStringList{en, bad}})
        EXPECT_EQ(
            run({"to-po", pair[0], "--translation", pair[1]}).err,
            "lexicant-cli: " + bad +
                ": F02_lng_(0) holds the control character EOT, which a PO file cannot hold\n");
}

// What a CI server or a code review tool reads: every file and check that ran, each problem at its
// file and entry.
TEST_F(CliCheck, ProblemsAsJsonJUnitAndSarifNameEachFileCheckAndEntry)
{
    const QString en = formFile("en.lsf", {"Open %1", "Quit"});
    const QString nl = formFile("nl.lsf", {"Openen", "Quit"});
    const QStringList call = {"check", "--against", en, "--checks", "placeholders,same,missing"};
    const CliRun json = run(call + QStringList{"--format", "json", nl, en});
    EXPECT_EQ(json.status, 1);
    const QJsonObject report = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(report["files"].toArray().size(), 2);
    EXPECT_EQ(report["problems"].toArray().size(), 4)
        << "a lost placeholder and a row the same in one, the other against itself";
    EXPECT_EQ(report["problems"][0].toObject(),
              QJsonObject({{"file", nl},
                           {"place", "F01_lng_(0)"},
                           {"check", "placeholders"},
                           {"message", "placeholders none, the reference \"%1\""}}));

    QXmlStreamReader junit(run(call + QStringList{"--format", "junit", nl}).out);
    QStringList seen;
    while (junit.readNext() != QXmlStreamReader::Invalid && !junit.atEnd())
        if (junit.isStartElement())
            seen << QString("%1 %2 %3%4")
                        .arg(junit.name(), junit.attributes().value("name"),
                             junit.attributes().value("tests"),
                             junit.attributes().value("failures"));
    EXPECT_FALSE(junit.hasError()) << junit.errorString().toStdString();
    EXPECT_EQ(seen, QStringList({"testsuites lexicant-cli check ", "testsuite " + nl + " 32",
                                 "testcase missing ", "testcase same ", "failure  ",
                                 "testcase placeholders ", "failure  "}));

    const QJsonObject sarif =
        QJsonDocument::fromJson(run(call + QStringList{"--format", "sarif", nl}).out).object();
    EXPECT_EQ(sarif["version"], "2.1.0");
    const QJsonObject result = sarif["runs"][0]["results"][0].toObject();
    EXPECT_EQ(result["ruleId"], "placeholders");
    EXPECT_EQ(sarif["runs"][0]["tool"]["driver"]["rules"][result["ruleIndex"].toInt()]["id"],
              "placeholders");
    EXPECT_EQ(result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"], nl);
    EXPECT_EQ(result["locations"][0]["logicalLocations"][0]["name"], "F01_lng_(0)");
}

TEST_F(CliCheck, DiffListsChangedEntriesByLabel)
{
    const QString a = write("a.lsf", lsfFile(1, {packed({"Main"}), packed({"Open", "Save"})}));
    const QString b = write("b.lsf", lsfFile(1, {packed({"Main"}), packed({"Open", "Save\tall"}),
                                                 packed({"New \"row\"\x01"})}));
    EXPECT_EQ(run({"diff", a, a}).status, 0);
    const CliRun result = run({"diff", a, b});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "F01_lng_(1): \"Save\" -> \"Save\\tall\"\n"
                          "F02_lng_(0): \"\" -> \"New \\\"row\\\"\\x01\"\n");
}

TEST_F(CliCheck, SpellingNamesWordsTheDictionaryAskedForDoesNotKnowAndLearnsThePersonsOwn)
{
    qputenv("XDG_DATA_HOME", folder().toUtf8());
    const QString en = formFile("en.lsf", {"Save the file", "Edit in Lexicant"});
    const QString nl = formFile("nl.lsf", {"Bestand opslaam", "Be&werken in Lexicant"});
    const QStringList spelling = {"check", "--against", en, "--checks", "spelling"};
    CliRun result = run(spelling + QStringList{"--language", "nl_NL", nl});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(QString(result.out).remove(folder() + '/'),
              "nl.lsf: F01_lng_(0): spelling: \"opslaam\" is not in the dictionary\n");
    result = run(spelling + QStringList{"--language", "xx_XX", nl});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("no dictionary for xx_XX in " + folder() +
                                    "/hunspell, "
                                    "/usr/share/hunspell"))
        << result.err.toStdString();

    QString problem; // a word the person adds is known to the next run
    EXPECT_EQ(HunspellSpeller::load("nl_NL", problem)->addToPersonalList("opslaam"), "");
    EXPECT_EQ(run(spelling + QStringList{"--language", "nl_NL", nl}).status, 0);

    // A word list that is a FIFO is never waited on: its words are left out, and that is said.
    QFile::remove(personalWordList("nl_NL"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(personalWordList("nl_NL")).constData(), 0600), 0);
    result = run(spelling + QStringList{"--language", "nl_NL", nl});
    EXPECT_EQ(result.status, 1) << "\"opslaam\" is unknown again";
    EXPECT_EQ(result.err, "lexicant-cli: warning: the word list " + personalWordList("nl_NL") +
                              " is not a regular file; its words are not used\n");
}

// The memory from the command line: rows added from a pair of files, suggested back as JSON,
// naming rows whose reference changed, exchanged as TMX with translate-toolkit, and filling the
// empty rows of another file; each command says what it did, and fails without the memory.
TEST_F(CliCheck, TheMemoryLearnsSuggestsTradesTmxAndFillsSayingWhatItDid)
{
    const QString en = formFile("en.lsf", {"&Open file", "Save the file", "Quit", "Check"});
    // "Quit" reads as its reference, as a row filled from it does: nothing to learn.
    const QString nl = formFile("nl.lsf", {"Bestand &openen", "Bestand opslaan", "Quit"});
    const QStringList pair = {"--tm", path("tm.sqlite"), "--reference-language",
                              "en",   "--language",      "nl"};
    EXPECT_EQ(run(QStringList{"tm", "add", "--against", en, nl} + pair).out,
              "2 units: 2 added, 0 updated, 0 unchanged, 0 left out\n");
    const CliRun suggested = run(QStringList{"tm", "suggest", "--max", "1", "Open file"} + pair);
    const QJsonObject best{{"score", 100},
                           {"source", "&Open file"},
                           {"target", "Bestand openen"}, // the key dropped: "Open file" has none
                           {"origin", nl},
                           {"form", 1},
                           {"row", 0}};
    EXPECT_EQ(QJsonDocument::fromJson(suggested.out), QJsonDocument(QJsonArray{best}));
    // Learnt against the next release, the row still holds the old text's translation.
    const QString changed = formFile("en2.lsf", {"&Open file", "Save the files", "Quit"});
    EXPECT_EQ(run(QStringList{"tm", "add", "--against", changed, nl} + pair).out,
              "2 units: 0 added, 0 updated, 1 unchanged, 1 left out (1 translated from another "
              "reference text)\n");
    EXPECT_EQ(
        QString(
            run(QStringList{"check", "--against", changed, "--checks", "changed", nl} + pair).out)
            .remove(folder() + '/'),
        "nl.lsf: F01_lng_(1): changed: the reference was \"Save the file\" when translated, now "
        "\"Save the files\"\n");

    ASSERT_EQ(run({"tm", "export", "--tm", path("tm.sqlite"), "-o", path("tm.tmx")}).status, 0);
    QProcess toolkit; // translate-toolkit reads it back, and writes one from a PO file
    toolkit.start(
        "/usr/bin/python3",
        {"-c",
         "import sys; from translate.storage import tmx; "
         "print([(u.source, u.target) for u in tmx.tmxfile.parsefile(sys.argv[1]).units])",
         path("tm.tmx")});
    ASSERT_TRUE(toolkit.waitForFinished(60000));
    EXPECT_EQ(toolkit.readAllStandardOutput(),
              "[('&Open file', 'Bestand &openen'), ('Save the file', 'Bestand opslaan')]\n");
    write("nl.po", "msgid \"Cancel\"\nmsgstr \"Annuleren\"\n");
    toolkit.start("po2tmx", {"-l", "nl", "-i", path("nl.po"), "-o", path("po.tmx")});
    ASSERT_TRUE(toolkit.waitForFinished(60000));
    ASSERT_EQ(run({"tm", "import", "--tm", path("tm.sqlite"), path("po.tmx")}).status, 0);
    EXPECT_TRUE(run(QStringList{"tm", "suggest", "Cancel"} + pair).out.contains("Annuleren"));

    write("in.tmx", R"(<tmx version="1.4"><header srclang="*all*"/><body>
<tu srclang="EN_us"><tuv xml:lang="en-US"><seg>Quit</seg></tuv><tuv xml:lang="nl-NL"><seg>Stoppen</seg></tuv></tu>
<tu><tuv xml:lang="en"><seg>Check</seg></tuv><tuv xml:lang="nl"><seg>Controle ✓</seg></tuv></tu>
<tu><tuv xml:lang="en"><seg>Close</seg></tuv><tuv xml:lang="nl"><seg></seg></tuv></tu>
<tu><tuv><seg>Save</seg></tuv></tu>
<tu srclang="de"><tuv xml:lang="en"><seg>Quit</seg></tuv><tuv xml:lang="nl"><seg>Stop</seg></tuv></tu>
</body></tmx>)");
    EXPECT_EQ(run({"tm", "import", "--tm", path("tm.sqlite"), path("in.tmx")}).out,
              "3 units: 2 added, 0 updated, 0 unchanged, 3 left out (1 a text with no language, 1 "
              "an empty text, 1 no text in the unit's source language)\n");
    const QString todo = formFile("todo.lsf", {"", "Iets anders"});
    CliRun result =
        run(QStringList{"pretranslate", "--against", en, todo, "-o", path("out.lsf")} + pair);
    EXPECT_EQ(result.out, "2 rows filled from the memory\n");
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(
        "F01_lng_(3): left empty: the memory's translation \"Controle ✓\" cannot be stored: it "
        "holds the character \"✓\" (U+2713), which Windows-1252 cannot store")))
        << result.err.toStdString();
    EXPECT_TRUE(run({"to-json", path("out.lsf")})
                    .out.simplified()
                    .contains("[ \"Bestand &openen\", \"Iets anders\", \"Stoppen\" ]"))
        << "only the empty rows, from the same text, in the languages or their relatives";

    const QString damaged = path("tm.sqlite");
    QFile page(damaged); // the memory's first page unreadable, its header intact
    ASSERT_TRUE(page.open(QIODevice::ReadWrite) && page.seek(100) && page.write("damage") == 6);
    page.close();
    result = run(QStringList{"tm", "suggest", "Quit"} + pair);
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(
        result.err.contains(damaged + " could not be read as a translation memory (") &&
        result.err.contains("it was moved to " + damaged + ".damaged and a new memory made"))
        << result.err.toStdString();
}

// Writers at once, as real processes, on a memory none of them finds made, and on one that is:
// every unit of every writer is there afterwards.
TEST_F(CliCheck, WritersAddingToOneMemoryAtOnceAllLand)
{
    QList<QByteArray> rows, translated;
    for (int row = 0; row < 201; ++row) {
        rows << "Row " + QByteArray::number(row);
        translated << "Rij " + QByteArray::number(row);
    }
    const QString en = formFile("en.lsf", rows);
    QStringList translations;
    for (int w = 0; w < 4; ++w)
        translations << formFile(QString("nl%1.lsf").arg(w), translated);
    // Rounds on memories in files, two on each, then one on a server.
    PostgresServer server;
    ASSERT_EQ(server.problem(), "");
    QStringList memories;
    for (int round = 0; round < 10; ++round)
        memories << path(QString("tm%1.sqlite").arg(round / 2));
    memories << server.uri();
    QElapsedTimer time;
    time.start();
    for (const QString& memory : memories) {
        if (time.elapsed() > 30000 && memory != server.uri())
            continue;
        std::vector<std::unique_ptr<QProcess>> writers;
        for (const QString& nl : translations) {
            writers.push_back(std::make_unique<QProcess>());
            writers.back()->start(LEXICANT_CLI,
                                  {"tm", "add", "--tm", memory, "--against", en,
                                   "--reference-language", "en", "--language", "nl", nl});
        }
        for (const auto& writer : writers) {
            ASSERT_TRUE(writer->waitForFinished(60000));
            EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
        }
        TranslationMemory check;
        ASSERT_EQ(check.open(memory).error, "");
        EXPECT_EQ(check.units().size(), 4 * 201) << memory.toStdString();
    }
}

// A team's memory made by its owner, as the README says, and used by a translator's role that
// may add and read but not drop it.
TEST_F(CliCheck, ATeamMemoryIsMadeByItsOwnerAndUsedByATranslatorWhoCannotDropIt)
{
    PostgresServer server;
    ASSERT_EQ(server.problem(), "");
    const CliRun sql = run({"tm", "init", "--print-sql", server.uri()});
    EXPECT_TRUE(sql.out.startsWith("CREATE TABLE lexicant_memory (version integer NOT NULL);\n"))
        << sql.out.toStdString();
    EXPECT_EQ(run({"tm", "init", server.uri()}).out, "the translation memory is ready\n");
    const auto psql = [&](const QString& user, const QString& statements) {
        QProcess process;
        process.start("psql", {"-v", "ON_ERROR_STOP=1", "-q",
                               QString(server.uri()).replace("user=lexicant", "user=" + user), "-c",
                               statements});
        process.waitForFinished(30000);
        return process.exitCode();
    };
    ASSERT_EQ(psql("lexicant",
                   "CREATE ROLE translators; CREATE ROLE anna LOGIN IN ROLE translators; "
                   "GRANT SELECT, INSERT, UPDATE ON lexicant_units, lexicant_postings, "
                   "lexicant_memory TO translators; GRANT USAGE ON SEQUENCE lexicant_units_id_seq "
                   "TO translators;"),
              0);
    const QString asAnna = QString(server.uri()).replace("user=lexicant", "user=anna");
    const QString en = formFile("en.lsf", {"Open", "Save"});
    const QString nl = formFile("nl.lsf", {"Openen", "Opslaan"});
    const CliRun added = run({"tm", "add", "--tm", asAnna, "--against", en, "--reference-language",
                              "en", "--language", "nl", nl});
    EXPECT_EQ(added.out, "2 units: 2 added, 0 updated, 0 unchanged, 0 left out\n")
        << added.err.toStdString();
    EXPECT_TRUE(run({"tm", "suggest", "--tm", asAnna, "--reference-language", "en", "--language",
                     "nl", "Save"})
                    .out.contains("Opslaan"));
    EXPECT_NE(psql("anna", "DROP TABLE lexicant_units"), 0);
    EXPECT_NE(psql("anna", "DELETE FROM lexicant_units"), 0);
}

// A team's memory taken on a journey and brought back, counted for its administrator; an import
// the server stops in the middle of leaves nothing half imported.
TEST_F(CliCheck, AServerMemoryIsPulledPushedCountedAndImportedWholeOrNotAtAll)
{
    PostgresServer server;
    ASSERT_EQ(server.problem(), "");
    const QStringList pair = {"--reference-language", "en", "--language", "nl"};
    const QString en = formFile("en.lsf", {"Open", "Save"});
    ASSERT_EQ(run(QStringList{"tm", "add", "--tm", server.uri(), "--against", en} + pair +
                  QStringList{formFile("nl.lsf", {"Openen", "Opslaan"})})
                  .status,
              0);
    EXPECT_EQ(run({"tm", "pull", server.uri(), "--tm", path("road.sqlite")}).out,
              "2 units: 2 added, 0 updated, 0 unchanged, 0 left out\n");
    const QString road = formFile("road.lsf", {"Openen", "Bewaren"});
    ASSERT_EQ(run(QStringList{"tm", "add", "--tm", path("road.sqlite"), "--against", en} + pair +
                  QStringList{road})
                  .status,
              0);
    EXPECT_EQ(run({"tm", "push", server.uri(), "--tm", path("road.sqlite")}).out,
              "4 units: 2 added, 0 updated, 2 unchanged, 0 left out\n");
    EXPECT_EQ(run({"tm", "stats", "--tm", server.uri()}).out,
              "en → nl: 4 units\n        2 " + path("nl.lsf") + "\n        2 " + path("road.lsf") +
                  "\n4 units in all\n");
    QString tmx = "<tmx version=\"1.4\"><header srclang=\"en\"/><body>";
    for (int i = 0; i < 60000; ++i)
        tmx += QString("<tu><tuv xml:lang=\"en\"><seg>Text %1</seg></tuv><tuv xml:lang=\"nl\">"
                       "<seg>Tekst %1</seg></tuv></tu>")
                   .arg(i);
    write("big.tmx", (tmx + "</body></tmx>").toUtf8());
    QProcess import;
    import.start(LEXICANT_CLI, {"tm", "import", "--tm", server.uri(), path("big.tmx")});
    ASSERT_TRUE(import.waitForStarted());
    // Stopped once the import has written, before it commits.
    const auto writing = [&] {
        QProcess psql;
        psql.start("psql", {"-qtA", server.uri(), "-c",
                            "SELECT count(*) FROM pg_stat_activity WHERE backend_xid IS NOT NULL "
                            "AND backend_type = 'client backend' AND pid <> pg_backend_pid()"});
        psql.waitForFinished(10000);
        return psql.readAllStandardOutput().trimmed() == "1";
    };
    QDeadlineTimer time(60000);
    while (!writing() && import.state() == QProcess::Running && !time.hasExpired())
        QThread::msleep(20);
    ASSERT_EQ(server.stop(), "");
    ASSERT_TRUE(import.waitForFinished(60000));
    EXPECT_EQ(import.exitCode(), 1);
    const QString said = import.readAllStandardError();
    EXPECT_TRUE(said.contains("lexicant-cli: nothing was imported: the translation memory on " +
                              server.uri() + " cannot be added to: "))
        << said.toStdString();
    ASSERT_EQ(server.start(), "");
    EXPECT_TRUE(run({"tm", "stats", "--tm", server.uri()}).out.endsWith("\n4 units in all\n"));
}

// A glossary kept beside the memory: a term changed by its source in any case, a name not
// translated, listed for a related language, and checked in a translation.
TEST_F(CliCheck, AGlossaryTakesTermsListsThemForItsLanguagesAndChecksThem)
{
    const QStringList pair = {"--tm",  path("tm.sqlite"), "--reference-language",
                              "en_US", "--language",      "nl_NL"};
    ASSERT_EQ(run(QStringList{"glossary", "add", "language file", "taalbestand"} + pair).status, 0);
    ASSERT_EQ(run(QStringList{"glossary", "add", "Language File", "taalbestand", "--note",
                              "the .lsf file"} +
                  pair)
                  .status,
              0);
    ASSERT_EQ(run(QStringList{"glossary", "add", "Lexicant", "--do-not-translate"} + pair).status,
              0);
    EXPECT_EQ(run({"glossary", "list", "--tm", path("tm.sqlite"), "--reference-language", "en",
                   "--language", "nl_BE"})
                  .out,
              "Language File\ttaalbestand\tthe .lsf file\nLexicant\t-\t\n");

    const QString en = formFile("en.lsf", {"Open language files", "About Lexicant"});
    const QString nl = formFile("nl.lsf", {"Taalbestanden openen", "Over lexicant"});
    const CliRun checked =
        run(QStringList{"check", "--against", en, "--glossary", "--skip", "spelling", nl} + pair);
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(QString(checked.out).remove(folder() + '/'),
              "nl.lsf: F01_lng_(1): glossary: \"Lexicant\" is kept as written, by the glossary\n");
}

// A glossary traded with translate-toolkit: what its csv2tbx writes is imported (a name with
// itself as its translation is not translated), what export writes it reads with the notes, and
// a CSV file that cannot be read imports nothing.
TEST_F(CliCheck, AGlossaryTradesTbxWithTranslateToolkitAndImportsCsv)
{
    const QStringList pair = {"--tm",  path("tm.sqlite"), "--reference-language",
                              "en_US", "--language",      "nl_NL"};
    write("g.csv", "source,target,note\nfile,bestand,\n\"language file\",taalbestand,\n"
                   "Lexicant,Lexicant,\n");
    QProcess toolkit;
    toolkit.start("/usr/bin/csv2tbx", {path("g.csv"), path("g.tbx")});
    ASSERT_TRUE(toolkit.waitForFinished(60000));
    ASSERT_EQ(toolkit.exitCode(), 0) << toolkit.readAllStandardError().toStdString();
    CliRun done = run(QStringList{"glossary", "import", path("g.tbx")} + pair);
    EXPECT_EQ(done.out, "3 terms: 3 imported, 0 left out\n") << done.err.toStdString();
    ASSERT_EQ(
        run(QStringList{"glossary", "add", "form", "formulier", "--note", "a \"window\""} + pair)
            .status,
        0);
    const QByteArray listed =
        "file\tbestand\t\nform\tformulier\ta \"window\"\nlanguage file\ttaalbestand\t\n"
        "Lexicant\t-\t\n";
    EXPECT_EQ(run(QStringList{"glossary", "list"} + pair).out, listed);

    ASSERT_EQ(run(QStringList{"glossary", "export", "-o", path("out.tbx")} + pair).status, 0);
    toolkit.start("/usr/bin/python3",
                  {"-c",
                   "import sys; from translate.storage import tbx\n"
                   "for u in tbx.tbxfile.parsefile(open(sys.argv[1], 'rb')).units: "
                   "print(repr((u.source, u.target, u.getnotes())))",
                   path("out.tbx")});
    ASSERT_TRUE(toolkit.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(toolkit.readAllStandardOutput()),
              "('file', 'bestand', '')\n('form', 'formulier', 'a \"window\"')\n"
              "('language file', 'taalbestand', '')\n('Lexicant', 'Lexicant', '')\n")
        << toolkit.readAllStandardError().toStdString();

    write("bad.csv", "source,target\nrow,rij\n\"open,openen\n");
    done = run(QStringList{"glossary", "import", path("bad.csv")} + pair);
    EXPECT_EQ(done.status, 1);
    EXPECT_EQ(QString(done.err).remove(folder() + '/'),
              "lexicant-cli: bad.csv: line 3: a field in quotes is not closed\n");
    EXPECT_EQ(run(QStringList{"glossary", "list"} + pair).out, listed) << "nothing imported";
}
