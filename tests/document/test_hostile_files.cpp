// Files no editor wrote: each loads or is refused with the loading error, without hanging,
// crashing or allocating by a count from the file. CTest's timeout catches a hang.
#include "LanguageFile.h"
#include "LsfBytes.h"
#include "ScriptedToolkit.h"
#include "TempFiles.h"

#include <QFile>

#include <atomic>
#include <thread>

#include <sys/stat.h>

namespace {

const QString LoadError =
    QStringLiteral("Error during loading!\r\nThe language file could not be opened");

class HostileFiles : public ::testing::Test, public TempFiles {
protected:
    ScriptedToolkit toolkit;
    LanguageDocument document;

    // Loads the path and tells how it ended: "loaded", "refused" (the loading error, once) or
    // "quiet" (not opened, no message).
    std::string load(const QString& file)
    {
        toolkit.boxes.clear();
        const bool loaded = LoadLanguageFile(document, file, toolkit);
        if (loaded)
            return toolkit.boxes.empty() ? "loaded" : "loaded with a message";
        if (toolkit.boxes.empty())
            return "quiet";
        return toolkit.boxes.size() == 1 && toolkit.boxes[0].text == LoadError &&
                       toolkit.boxes[0].style == 16
                   ? "refused"
                   : "other message";
    }
};

} // namespace

TEST_F(HostileFiles, HugeRecordCountLoadsTheOneRecordThere)
{
    EXPECT_EQ(load(write("huge.lsf", lsfFile(2147483647, {packed({"Only"})}))), "loaded");
    EXPECT_EQ(document.FormNames.at(1), "Only");
}

TEST_F(HostileFiles, FieldLengthPastTheEndIsRefused)
{
    EXPECT_EQ(load(write("long.lsf", le32(1) + le16(65535) + QByteArray(100, 'x'))), "refused");
}

TEST_F(HostileFiles, TinyFilesAreRefused)
{
    for (int size : {0, 3, 5})
        EXPECT_EQ(load(write("tiny.lsf", QByteArray("\x01\x00\x00\x00\x01", size))), "refused")
            << size;
}

TEST_F(HostileFiles, FolderIsNotOpened)
{
    EXPECT_EQ(load(folder()), "quiet");
}

TEST_F(HostileFiles, PipeWithoutWriterIsNotOpenedAndDoesNotBlock)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.lsf")).constData(), 0600), 0);
    EXPECT_EQ(load(path("pipe.lsf")), "quiet");
    EXPECT_EQ(readLanguageFile(path("pipe.lsf")).reason, "is not a regular file");
}

TEST_F(HostileFiles, EndlessDevicesAreReadOnlyAsFarAsARecordReaches)
{
    EXPECT_EQ(load("/dev/zero"), "refused") << "a record count of 0";
    const std::string random = load("/dev/urandom");
    EXPECT_TRUE(random == "loaded" || random == "refused") << random;
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
        const std::string outcome = load(file);
        ASSERT_TRUE(outcome == "loaded" || outcome == "refused" || outcome == "quiet") << outcome;
    }
    stop = true;
    writer.join();
}
