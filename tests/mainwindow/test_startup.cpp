// Built beside the programs and without a store linked in: the memory comes from the module the
// window loads when a memory is first opened.
#include "TranslationMemory.h"
#include "WindowTest.h"

#include <QFile>

namespace {

bool loaded(const QByteArray& library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/" + library);
}

} // namespace

using StartUpWithoutTheMemory = WindowTest;

TEST_F(StartUpWithoutTheMemory, LoadsQtSqlOnlyWhenAMemoryIsOpenedAndTheMemoryWorks)
{
    EXPECT_FALSE(loaded("libQt6Sql"));
    TranslationMemory memory;
    ASSERT_EQ(memory.open(path("memory.sqlite")).error, "");
    EXPECT_TRUE(loaded("libQt6Sql"));
    EXPECT_EQ(memory.add({{"en", "nl", "Open file", "Bestand openen", "a.lsf", 1, 0, {}}}).added,
              1);
    EXPECT_EQ(memory.suggest("en", "nl", "Open file").value(0).unit.target, "Bestand openen");
}
