// The translation memory: how alike two texts are, and the SQLite file that keeps the units.
#include "Matching.h"
#include "TempFiles.h"
#include "TranslationMemory.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(Matching, ScoresIgnoreAccessKeysAndPlaceholderNumbersAndFallWithEachChange)
{
    const struct {
        const char* name;
        const char* text;
        const char* candidate;
        int least, most;
    } cases[] = {
        {"the same", "Save changes?", "Save changes?", 100, 100},
        {"access keys", "&Open file", "Open &file", 100, 100},
        {"placeholders as tokens", "%1 files of %2", "%s files of {0}", 100, 100},
        {"case", "open file", "Open File", 99, 99},
        {"one word of five", "Save the file to disk", "Save the form to disk", 83, 83},
        {"a word less", "Open the file", "Open file", 68, 68},
        {"a word more", "Open file", "Open the file", 68, 68},
        {"nothing alike", "Cancel", "Are you sure you want to quit?", 3, 3},
    };
    for (const auto& c : cases) {
        const int score = matchScore(c.text, c.candidate);
        EXPECT_TRUE(score >= c.least && score <= c.most) << c.name << ": " << score;
    }
}

TEST(Matching, ASuggestionTakesTheTextsAccessKeyAndPlaceholdersOnlyWhereThatIsClear)
{
    const struct {
        const char *source, *target, *text, *fitted;
    } cases[] = {
        {"&Open file", "Bestand &openen", "Open file", "Bestand openen"},
        {"Open file", "Bestand openen", "&Open file", "Bestand openen"}, // where would it go?
        {"%1 of %2", "%1 van %2", "%2 of %1", "%2 van %1"},
        {"{0} files", "{0} bestanden", "%1 files", "%1 bestanden"},
        {"%1 and %1", "%1 en %1", "%2 and %2", "%1 en %1"}, // twice: not clear
    };
    for (const auto& c : cases)
        EXPECT_EQ(fittedTranslation(c.source, c.target, c.text), c.fitted) << c.source;
}

class MemoryTest : public ::testing::Test, public TempFiles {};

TEST_F(MemoryTest, UnitsAreUpdatedInPlaceOfferedOnlyInTheirLanguagePairAndShared)
{
    TranslationMemory memory, other;
    ASSERT_EQ(memory.open(path("tm.sqlite")), "");
    ASSERT_EQ(other.open(path("tm.sqlite")), "") << "a second window on the same memory";
    EXPECT_EQ(memory.add({{"en", "nl", "Open file", "Bestand openen", "a.lsf", 1, 0, {}},
                          {"en", "de", "Open file", "Datei öffnen", "b.lsf", 1, 0, {}}}),
              "");
    EXPECT_EQ(other.add({{"en", "nl", "Open file", "Open bestand", "a.lsf", 1, 0, {}},
                         {"en", "nl", "Save the file", "Bestand opslaan", "a.lsf", 1, 1, {}}}),
              "");
    QStringList found;
    for (const Suggestion& s : memory.suggest("en", "nl", "Open the file", 3))
        found << QString("%1 %2").arg(s.score).arg(s.unit.target);
    found.sort();
    EXPECT_EQ(found, QStringList({"68 Bestand opslaan", "68 Open bestand"}))
        << "the update replaced the first translation; German is not offered";
    EXPECT_EQ(memory.units().size(), 3);
}

TEST_F(MemoryTest, AFileThatIsNoMemoryIsSetAsideAndANewOneMade)
{
    const QString file = write("tm.sqlite", "not a database, whatever its name says");
    TranslationMemory memory;
    EXPECT_TRUE(memory.open(file).contains("it was moved to " + file + ".damaged"));
    EXPECT_TRUE(memory.isOpen());
    EXPECT_EQ(memory.add({{"en", "nl", "Yes", "Ja", "a.lsf", 1, 0, {}}}), "");
    QFile aside(file + ".damaged");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), "not a database, whatever its name says");
}
