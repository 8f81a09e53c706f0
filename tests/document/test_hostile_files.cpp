// Files no editor wrote: each loads or is refused with its reason, without hanging, crashing or
// allocating by a count from the file. CTest's timeout catches a hang.
#include "LanguageFile.h"
#include "LsfBytes.h"
#include "TempFiles.h"

#include <atomic>
#include <thread>

#include <sys/stat.h>

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
