// Every input the fuzzers were seeded with or found a fault with still holds to the round trip.
#include "RoundTrip.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FuzzCorpus, EveryInputLoadsOrIsRefusedAndSavesBackTheSameTables)
{
    const QDir corpus(QStringLiteral(LEXICANT_FUZZ_CORPUS));
    const QStringList inputs = corpus.entryList(QDir::Files);
    ASSERT_GE(inputs.size(), 10);
    for (const QString& name : inputs) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(roundTripHolds(file.readAll())) << name.toStdString();
    }
}
