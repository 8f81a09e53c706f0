// Recovery copies: what they hold, and which copies a starting window may take over.
#include "Faults.h"
#include "Recovery.h"
#include "TempFiles.h"

#include <QDir>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class RecoveryTest : public ::testing::Test, public TempFiles {
protected:
    // Leaves what a window killed a minute ago leaves: its copy and a stale lock.
    void leaveKilledWindowCopy(const QByteArray& bytes)
    {
        const pid_t child = fork();
        if (child == 0) {
            RecoverySlot killed(path("r"));
            killed.write(bytes);
            QFile copy(killed.copyPath());
            copy.open(QIODevice::ReadWrite);
            copy.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                             QFile::FileModificationTime);
            raise(SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
    }
};

TEST_F(RecoveryTest, ACopyKeepsTheDocumentByteForByteWithItsPathFormAndTime)
{
    RecoveryCopy copy;
    copy.document.formText(24).set(200, QString::fromUtf8("Last ✓")); // refused only by a save
    copy.path = "/home/ann/app nl.lsf";
    copy.selectedForm = 24;
    copy.written = QDateTime(QDate(2026, 12, 6), QTime(18, 30, 5), Qt::UTC);
    copy.review.rows.insert({24, 200}, stored(nullptr, "Last ✓", "Last", RowState::NeedsReview));
    RecoveryCopy back;
    ASSERT_EQ(readRecoveryBytes(recoveryBytes(copy), back), "");
    EXPECT_TRUE(back.document.sameTables(copy.document));
    EXPECT_EQ(back.path, copy.path);
    EXPECT_EQ(back.selectedForm, 24);
    EXPECT_EQ(back.written, copy.written);
    EXPECT_EQ(back.review, copy.review);

    const QByteArray head = R"({"format":"lexicant-recovery","formatVersion":1,)";
    const struct {
        QByteArray bytes;
        QString problem;
    } damaged[] = {
        {recoveryBytes(copy).left(200), "not valid JSON: unterminated string"},
        {R"({"format":"lexicant-language-file","formatVersion":1})",
         "not a recovery copy of this version"},
        {head + R"("selectedForm":25,"document":{}})", "its selected form is not 0 to 24"},
        {head + R"("selectedForm":1})", "it holds no document"},
        {head + R"("selectedForm":1,"document":{"format":"x"}})",
         "\"format\" is not \"lexicant-language-file\""},
        {recoveryBytes(copy).replace("needs-review", "done"),
         "form 24 row 200 has no state that is one of "
         "untranslated,needs-review,translated,reviewed"},
    };
    for (const auto& d : damaged)
        EXPECT_EQ(readRecoveryBytes(d.bytes, back), d.problem) << d.bytes.toStdString();
}

TEST_F(RecoveryTest, OnlyACopyWhoseWindowIsGoneIsTakenOverAndOnlyOnce)
{
    RecoverySlot empty(path("r"));
    EXPECT_EQ(empty.adoptOrphan().path, "") << "no folder, no copy";
    EXPECT_FALSE(QDir(path("r")).exists()) << "nothing is made before the first write";

    auto live = std::make_unique<RecoverySlot>(path("r"));
    ASSERT_EQ(live->write("live"), "");
    EXPECT_EQ(read(live->copyPath()), "live");
    RecoverySlot other(path("r"));
    EXPECT_EQ(other.adoptOrphan().path, "") << "the copy's window runs";

    leaveKilledWindowCopy("killed");
    ASSERT_EQ(QDir(path("r")).entryList({"*.json"}).size(), 2);
    const RecoverySlot::Orphan adopted = other.adoptOrphan();
    EXPECT_EQ(read(adopted.path), "killed") << "the newer copy's window runs";
    EXPECT_EQ(adopted.unclaimed, "");
    RecoverySlot third(path("r"));
    EXPECT_EQ(third.adoptOrphan().path, "") << "taken over already";

    const QString livePath = live->copyPath();
    live.reset(); // the window closed without removing its copy, as at the session's end
    EXPECT_EQ(third.adoptOrphan().path, livePath);
    EXPECT_EQ(third.remove(), "");
    EXPECT_FALSE(QFile::exists(livePath));
    EXPECT_EQ(third.remove(), "") << "nothing left to remove";
    EXPECT_EQ(other.setAside(), "");
    EXPECT_EQ(read(adopted.path + ".damaged"), "killed");
    EXPECT_FALSE(QFile::exists(adopted.path));
}

TEST_F(RecoveryTest, ACopyInAReadOnlyFolderIsFoundWithTheReasonItCannotBeTakenOver)
{
    leaveKilledWindowCopy("killed");
    RecoverySlot live(path("r"));
    ASSERT_EQ(live.write("live"), "");
    chmod(QFile::encodeName(folder()).constData(), 0755);
    chmod(QFile::encodeName(path("r")).constData(), 0555);
    AsNobody nobody;
    RecoverySlot slot(path("r"));
    const RecoverySlot::Orphan found = slot.adoptOrphan();
    EXPECT_EQ(read(found.path), "killed") << "the newer copy's window runs";
    EXPECT_EQ(QStringList({found.unclaimed, slot.remove(), slot.setAside()}),
              QStringList(3, "Permission denied"));
    EXPECT_EQ(slot.write("x"), "no lock can be taken in " + path("r") + ": Permission denied");
}
