#pragma once

#include "Cli.h"
#include "LsfBytes.h"
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
    // A language file whose form 1, named "Main", holds the rows, with the settings given.
    QString formFile(const QString& name, const QList<QByteArray>& rows,
                     const QList<QByteArray>& settings = {})
    {
        QList<QByteArray> fields = {packed({"Main"}), packed(rows)};
        while (fields.size() < 25)
            fields << emptyEntries(201);
        return write(name, lsfFile(1, fields << packed(settings)));
    }
};
