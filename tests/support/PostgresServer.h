#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

// A PostgreSQL server of the test's own, from Debian's postgresql package: a cluster made by
// initdb in a temporary folder and started by pg_ctl on a Unix socket there, with no TCP port.
// PostgreSQL refuses to run as root, so under root it runs as "nobody". Stopped when the object
// goes; problem() says why it could not start.
class PostgresServer {
public:
    PostgresServer()
    {
        const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        if (versions.isEmpty()) {
            m_problem = QStringLiteral("PostgreSQL is not installed (Debian's postgresql package)");
            return;
        }
        m_bin = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(versions.last());
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (!nobody || ::chown(QFile::encodeName(m_folder.path()).constData(), nobody->pw_uid,
                                   nobody->pw_gid) != 0) {
                m_problem = QStringLiteral("the server's folder cannot be given to nobody");
                return;
            }
        }
        if (const QString failed =
                run(QStringLiteral("initdb"), {"-D", data(), "-U", "lexicant", "--auth=trust", "-E",
                                               "UTF8", "--locale=C.UTF-8"});
            !failed.isEmpty()) {
            m_problem = failed;
            return;
        }
        m_problem = start();
    }
    ~PostgresServer() { stop(); }
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    QString problem() const { return m_problem; }
    // The libpq URI of a database of the server (postgres: the one initdb makes).
    QString uri(const QString& database = QStringLiteral("postgres")) const
    {
        return QStringLiteral("postgresql:///%1?host=%2&user=lexicant")
            .arg(database, m_folder.path());
    }
    // Empty when the server started or stopped; else what pg_ctl said.
    QString start()
    {
        return run(QStringLiteral("pg_ctl"),
                   {"-D", data(), "-l", m_folder.filePath("log"), "-w", "-o",
                    QStringLiteral("-k %1 -c listen_addresses=''").arg(m_folder.path()), "start"});
    }
    QString stop()
    {
        return run(QStringLiteral("pg_ctl"), {"-D", data(), "-m", "fast", "-w", "stop"});
    }

    // A login role that must give its password, on the socket as over a network.
    QString addRole(const QString& role, const QString& password)
    {
        QFile rules(m_folder.filePath(QStringLiteral("data/pg_hba.conf")));
        if (!rules.open(QIODevice::ReadOnly))
            return rules.errorString();
        const QByteArray before = rules.readAll();
        rules.close();
        if (!rules.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            rules.write("local all " + role.toUtf8() + " scram-sha-256\n" + before) < 0)
            return rules.errorString();
        rules.close();
        QProcess psql;
        psql.setProcessChannelMode(QProcess::MergedChannels);
        psql.start(QStringLiteral("psql"),
                   {"-q", uri(), "-c",
                    QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(role, password)});
        if (!psql.waitForFinished(30000) || psql.exitCode() != 0)
            return QString::fromLocal8Bit(psql.readAll());
        return run(QStringLiteral("pg_ctl"), {"-D", data(), "reload"});
    }

private:
    QString data() const { return m_folder.filePath(QStringLiteral("data")); }
    QString run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        if (::geteuid() == 0)
            process.start(QStringLiteral("setpriv"),
                          QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                      m_bin + program} +
                              arguments);
        else
            process.start(m_bin + program, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return program + QStringLiteral(" failed: ") +
                   QString::fromLocal8Bit(process.readAll()) + process.errorString();
        return {};
    }

    QTemporaryDir m_folder;
    QString m_bin;
    QString m_problem;
};
