// Loading and saving with the program's messages: what a person is told, and what stays on disk.
#include "LanguageFile.h"
#include "LanguageFormat.h"
#include "LsfBytes.h"
#include "ScriptedToolkit.h"
#include "TempFiles.h"

#include <atomic>
#include <thread>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

class LanguageFileTest : public ::testing::Test, public TempFiles {
protected:
    ScriptedToolkit toolkit;

    static LanguageDocument marked()
    {
        LanguageDocument document;
        for (int t = 0; t < 26; ++t) {
            LanguageTable& table = document.table(t);
            for (int i = table.firstIndex(); i <= table.lastIndex(); ++i)
                table.set(i, QStringLiteral("before"));
        }
        return document;
    }

    void expectOnlyBox(const QString& start, const QString& title = "Lexicant")
    {
        ASSERT_EQ(toolkit.boxes.size(), 1u);
        EXPECT_TRUE(toolkit.boxes[0].text.startsWith(start)) << toolkit.boxes[0].text.toStdString();
        EXPECT_EQ(toolkit.boxes[0].style, 16);
        EXPECT_EQ(toolkit.boxes[0].title, title);
        toolkit.boxes.clear();
    }
};

} // namespace

TEST_F(LanguageFileTest, BrokenFileShowsTheLoadErrorAndUnopenablePathsAreQuiet)
{
    LanguageDocument document = marked();
    EXPECT_FALSE(LoadLanguageFile(document, write("broken.lsf", lsfFile(0, {})), toolkit));
    expectOnlyBox("Error during loading!\r\nThe language file could not be opened",
                  "Error during loading #03");
    for (const QString& p : {QString(), QStringLiteral(".lsf"), folder()})
        EXPECT_FALSE(LoadLanguageFile(document, p, toolkit)) << p.toStdString();
    EXPECT_TRUE(toolkit.boxes.empty());
    EXPECT_TRUE(document.sameTables(marked()));
}

TEST_F(LanguageFileTest, SavingWritesThePackedDocumentAndARefusalOrFailureKeepsTheOldFile)
{
    const QString file = write("old.lsf", lsfFile(3, {}) + QByteArray(100000, 'x'));
    LanguageDocument document;
    document.formText(24).set(200, QString::fromUtf8("Last row – “quoted” €"));
    ASSERT_TRUE(SaveLanguageFile(document, file, toolkit));
    EXPECT_EQ(read(file), lsf::packFile(document).bytes);
    LanguageDocument loaded = marked();
    ASSERT_TRUE(LoadLanguageFile(loaded, file, toolkit));
    EXPECT_TRUE(loaded.sameTables(document));
    EXPECT_TRUE(toolkit.boxes.empty());

    const QByteArray original = read(file);
    for (int r = 0; r <= 200; ++r)
        document.formText(12).set(r, QString(400, u'y'));
    EXPECT_FALSE(SaveLanguageFile(document, file, toolkit));
    expectOnlyBox("The texts of form 12 take 80,601 bytes");
    EXPECT_EQ(read(file), original);

    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_FALSE(SaveLanguageFile(LanguageDocument(), file, toolkit));
    expectOnlyBox("An error occured while saving the languagefile");
    EXPECT_EQ(read(file), original);
}

// Files no editor wrote: each loads or is refused with its reason, without hanging, crashing or
// allocating by a count from the file. CTest's timeout catches a hang.
class HostileFiles : public ::testing::Test, public TempFiles {};

TEST_F(HostileFiles, EachLoadsOrIsRefusedWithItsReason)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.lsf")).constData(), 0600), 0);
    const QByteArray whole = lsfFile(1, {packed({"New"})});
    const struct {
        const char* name;
        QString path;
        ReadStatus status;
        const char* reason;
    } cases[] = {
        {"huge record count", write("huge", lsfFile(2147483647, {packed({"Only"})})),
         ReadStatus::Ok, ""},
        {"empty", write("empty", ""), ReadStatus::NotALanguageFile,
         "is not a language file: it is shorter than a record count"},
        {"no record", write("zero", lsfFile(0, {})), ReadStatus::NotALanguageFile,
         "is not a language file: its record count is 0"},
        {"negative count", write("negative", lsfFile(-5, {})), ReadStatus::NotALanguageFile,
         "is not a language file: its record count is -5"},
        {"ends inside the record", write("cut", whole.left(whole.size() - 10)),
         ReadStatus::NotALanguageFile, "is not a language file: it ends inside its first record"},
        {"length past the end", write("long", le32(1) + le16(65535) + QByteArray(100, 'x')),
         ReadStatus::NotALanguageFile, "is not a language file: it ends inside its first record"},
        {"endless zeros", "/dev/zero", ReadStatus::NotALanguageFile,
         "is not a language file: its record count is 0"},
        {"folder", folder(), ReadStatus::CannotOpen, "is a folder"},
        {"pipe without a writer", path("pipe.lsf"), ReadStatus::CannotOpen,
         "is not a regular file"},
        {"missing", path("missing.lsf"), ReadStatus::CannotOpen, "No such file or directory"},
    };
    for (const auto& c : cases) {
        const ReadResult read = readLanguageFile(c.path);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.reason, QString::fromUtf8(c.reason)) << c.name;
    }
    // A huge count with one record present reads that record, and only that.
    const ReadResult huge = readLanguageFile(path("huge"));
    EXPECT_EQ(huge.parsed.recordCount, 2147483647);
    EXPECT_EQ(huge.parsed.field(0), "Only\xBE");
    EXPECT_EQ(huge.parsed.field(25), QByteArray(201, '\xBE'));
    const ReadStatus random = readLanguageFile("/dev/urandom").status;
    EXPECT_TRUE(random == ReadStatus::Ok || random == ReadStatus::NotALanguageFile);
}

TEST_F(HostileFiles, FileChangingSizeWhileReadLoadsOrIsRefused)
{
    const QString file = write("moving.lsf", lsfFile(1, {packed({"A"})}));
    std::atomic<bool> stop = false;
    std::thread writer([&] {
        const QByteArray whole = lsfFile(1, {packed({"Name"}), packed({QByteArray(30000, 'r')})});
        for (int i = 0; !stop; ++i) {
            QFile f(file);
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(whole.left((i * 7919) % whole.size()));
        }
    });
    for (int i = 0; i < 300; ++i) {
        const ReadResult read = readLanguageFile(file);
        ASSERT_TRUE(read.status != ReadStatus::Ok || read.parsed.recordCount == 1);
    }
    stop = true;
    writer.join();
}
