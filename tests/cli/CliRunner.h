#pragma once

#include "Cli.h"
#include "QtPrint.h"
#include "TempFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

struct CliRun {
    int status;
    QByteArray out;
    QString err;
};

// Runs lexicant-cli in the test's process, in a scratch folder.
class CliTest : public ::testing::Test, public TempFiles {
protected:
    CliRun run(const QStringList& arguments)
    {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = runCli(arguments, out, err);
        return {status, out.data(), QString::fromUtf8(err.data())};
    }
};
