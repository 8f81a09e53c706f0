// Replacing a file's contents: a failure of any kind names its cause and leaves the earlier file
// byte for byte, with nothing beside it; a success leaves exactly the new bytes.
#include "SafeFile.h"

#include "Faults.h"
#include "TempFiles.h"

#include <QDir>

#include <functional>

#include <sys/stat.h>

namespace {

const QByteArray Original = QByteArray(7210, 'o');
const QByteArray Small = QByteArray(5466, 's'); // below any write buffer
const QByteArray Large = QByteArray(40000, 'L');

struct SaveFault {
    const char* name;
    QByteArray bytes;
    const char* reason;
    // Prepares the fault for the target in the scratch folder and runs the save under it.
    std::function<QString(TempFiles&, const QString& target, const QByteArray&)> save;
};

QString underSizeLimit(TempFiles&, const QString& target, const QByteArray& bytes)
{
    FileSizeLimit limit(1000);
    return replaceFileContents(target, bytes);
}

QString asNobodyInLockedFolder(TempFiles& files, const QString& target, const QByteArray& bytes)
{
    chmod(QFile::encodeName(target).constData(), 0666);
    chmod(QFile::encodeName(files.folder()).constData(), 0555);
    AsNobody nobody;
    const QString reason = replaceFileContents(target, bytes);
    chmod(QFile::encodeName(files.folder()).constData(), 0755);
    return reason;
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class SafeFileTest : public ::testing::Test, public TempFiles {};

TEST_F(SafeFileTest, EveryFailedReplacementNamesItsCauseAndKeepsTheEarlierFile)
{
    const SaveFault faults[] = {
        {"small, file-size limit", Small, "File too large", underSizeLimit},
        {"large, file-size limit", Large, "File too large", underSizeLimit},
        {"folder that may not be written", Small, "Permission denied", asNobodyInLockedFolder},
        {"read-only target", Small, "is read-only",
         [](TempFiles&, const QString& target, const QByteArray& bytes) {
             chmod(QFile::encodeName(target).constData(), 0444);
             return replaceFileContents(target, bytes);
         }},
        {"folder in the target's place", Small, "is a folder",
         [](TempFiles& files, const QString&, const QByteArray& bytes) {
             QDir(files.folder()).mkdir("folder.lsf");
             return replaceFileContents(files.path("folder.lsf"), bytes);
         }},
        {"companion that cannot be written with it", Small, "is a folder",
         [](TempFiles& files, const QString& target, const QByteArray& bytes) {
             QDir(files.folder()).mkdir("folder.lsf");
             const auto [path, reason] =
                 replaceFilesContents({{target, bytes}, {files.path("folder.lsf"), bytes}});
             return path == files.path("folder.lsf") ? reason : "another file: " + path;
         }},
        {"missing folder", Small, "No such file or directory",
         [](TempFiles& files, const QString&, const QByteArray& bytes) {
             return replaceFileContents(files.path("missing/x.lsf"), bytes);
         }},
    };
    for (const SaveFault& fault : faults) {
        SCOPED_TRACE(fault.name);
        TempFiles files;
        chmod(QFile::encodeName(files.folder()).constData(), 0755);
        const QString target = files.write("lang.lsf", Original);
        const QString reason = fault.save(files, target, fault.bytes);
        EXPECT_EQ(reason, QString::fromUtf8(fault.reason));
        EXPECT_EQ(read(target), Original);
        const QStringList left = entries(files.folder());
        EXPECT_TRUE(left == QStringList{"lang.lsf"} ||
                    left == QStringList({"folder.lsf", "lang.lsf"}))
            << left.join(' ').toStdString();
    }
}

TEST_F(SafeFileTest, ReplacementWritesExactlyTheNewBytesAndKeepsPermissionsAndLinks)
{
    const QString target = write("lang.lsf", Original);
    chmod(QFile::encodeName(target).constData(), 0640);
    ASSERT_EQ(replaceFileContents(target, Small), "");
    EXPECT_EQ(read(target), Small);
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    ASSERT_TRUE(QFile::link(target, path("link.lsf")));
    ASSERT_EQ(replaceFileContents(path("link.lsf"), Large), "");
    EXPECT_TRUE(QFileInfo(path("link.lsf")).isSymLink());
    EXPECT_EQ(read(target), Large);

    ASSERT_EQ(replaceFileContents(path("new.lsf"), QByteArray()), "");
    EXPECT_EQ(read(path("new.lsf")), QByteArray());
    const QString longest(255, u'n'); // the part file beside it needs a shorter name
    EXPECT_EQ(replaceFileContents(write(longest, Original), Small), "");
    EXPECT_EQ(read(path(longest)), Small);
    EXPECT_EQ(entries(folder()), QStringList({"lang.lsf", "link.lsf", "new.lsf", longest}));
}

// A file named for a small purpose is read only when it is a regular file within its limit: a
// FIFO would hang the reader, a device never ends.
TEST_F(SafeFileTest, OnlyARegularFileWithinItsLimitIsRead)
{
    write("words.txt", "one\ntwo\n");
    ::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600);
    QFile::link("/dev/zero", path("zero"));
    QFile::link(path("words.txt"), path("link"));
    const struct {
        const char* name;
        qint64 limit;
        const char* problem;
        QByteArray bytes;
    } cases[] = {
        {"words.txt", 8, "", "one\ntwo\n"},
        {"link", 8, "", "one\ntwo\n"},
        {"words.txt", 7, "is 8 bytes, more than the 7 bytes allowed", ""},
        {"fifo", 8, "is not a regular file", ""},
        {"zero", 8, "is not a regular file", ""},
        {".", 8, "is not a regular file", ""},
        {"missing", 8, "No such file or directory", ""},
    };
    for (const auto& c : cases) {
        QByteArray bytes = "earlier";
        EXPECT_EQ(readRegularFile(path(c.name), c.limit, bytes), c.problem) << c.name;
        EXPECT_EQ(bytes, c.bytes) << c.name;
        EXPECT_EQ(regularFileProblem(path(c.name), c.limit), c.problem) << c.name;
    }
}
