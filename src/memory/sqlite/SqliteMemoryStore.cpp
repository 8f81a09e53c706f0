#include "SqliteMemoryStore.h"

#include "TrigramPostings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <vector>

namespace {

using postings::appendNumber;
using postings::bandOf;
using postings::BlockSize;
using postings::CandidateCount;
using postings::familyOf;
using postings::textKey;

// The connection of that name, as it is: asking for it never opens it.
QSqlDatabase existing(const QString& connection)
{
    return QSqlDatabase::database(connection, false);
}

// "LxTM" in the file's header: how a memory is told from any other SQLite file.
constexpr qint64 ApplicationId = 0x4C78544D;

// SQLite's primary result codes that decide what is done with a file.
constexpr int Busy = 5, Locked = 6, Corrupt = 11, NotADatabase = 26;

int primaryCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// Each language pair once, as its units were given it, with the keys it is compared by: a unit
// of "en-US" is one of "en_US" (languageKey), and a pair's family is its languages without their
// countries, the relatives a lookup also offers.
//
// A unit's text key is a hash of its comparable text in lower case: the same text, in any case,
// is found by one index lookup however many units are alike.
//
// The trigram index lists, for each trigram of a family's comparable texts and each band of
// lengths, the units that hold it: in blocks of ascending unit numbers, each number stored as its
// difference to the one before in as few bytes as it needs. A lookup reads the lists of all of a
// text's trigrams, nearest lengths first.
const char* const Schema[] = {
    "CREATE TABLE languages (id INTEGER PRIMARY KEY, source_language TEXT NOT NULL, "
    "target_language TEXT NOT NULL, source_key TEXT NOT NULL, target_key TEXT NOT NULL, "
    "family TEXT NOT NULL, UNIQUE (source_language, target_language))",
    "CREATE TABLE units (id INTEGER PRIMARY KEY, languages INTEGER NOT NULL, "
    "source TEXT NOT NULL, target TEXT NOT NULL, origin TEXT NOT NULL, form INTEGER NOT NULL, "
    "row INTEGER NOT NULL, changed TEXT NOT NULL, text_key INTEGER NOT NULL, "
    "UNIQUE (languages, origin, form, row, source))",
    "CREATE INDEX units_by_text ON units (text_key)",
    "CREATE TABLE postings (family TEXT NOT NULL, trigram TEXT NOT NULL, band INTEGER NOT NULL, "
    "block INTEGER NOT NULL, count INTEGER NOT NULL, last INTEGER NOT NULL, "
    "units BLOB NOT NULL, PRIMARY KEY (family, trigram, band, block)) WITHOUT ROWID",
    "PRAGMA user_version = 2"};

constexpr int SchemaVersion = 2;
// The memories of the first version: a row per trigram and unit, about half the file.
constexpr int FirstVersion = 1;
const QStringList FirstTables = {"trigram_counts", "trigrams", "units"};

MemoryUnit unitFrom(const QSqlQuery& q)
{
    return {q.value(0).toString(), q.value(1).toString(),
            q.value(2).toString(), q.value(3).toString(),
            q.value(4).toString(), q.value(5).toInt(),
            q.value(6).toInt(),    QDateTime::fromString(q.value(7).toString(), Qt::ISODate)};
}

// What a SQLite file holds, as far as a memory is concerned.
enum class Contents {
    Memory,  // made by this program
    Empty,   // no table at all: a new file
    Earlier, // a memory made before memories carried their application id
    Foreign, // anything else: another program's database
};

struct Look {
    Contents contents = Contents::Foreign;
    qint64 version = 0;
    QSqlError error;
};

Look lookAt(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    const auto number = [&q](const QString& statement) {
        return q.exec(statement) && q.next() ? q.value(0).toLongLong() : -1;
    };
    Look look;
    const qint64 id = number(QStringLiteral("PRAGMA application_id"));
    look.version = number(QStringLiteral("PRAGMA user_version"));
    QStringList tables;
    if (q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")))
        while (q.next())
            tables << q.value(0).toString();
    look.error = q.lastError();
    if (look.error.isValid())
        return look;
    if (id == ApplicationId)
        look.contents = Contents::Memory;
    else if (id == 0 && look.version == 0 && tables.isEmpty())
        look.contents = Contents::Empty;
    else if (id == 0 && look.version == FirstVersion && tables == FirstTables)
        look.contents = Contents::Earlier;
    return look;
}

// Runs one statement; its error, or an invalid one.
QSqlError run(const QSqlDatabase& db, const QString& statement)
{
    QSqlQuery q(db);
    q.exec(statement);
    return q.lastError();
}

// lookAt in a read transaction of its own, so that its three questions see one state of the file
// while another process may be making it a memory.
Look lookAtOnce(const QSqlDatabase& db)
{
    if (const QSqlError error = run(db, QStringLiteral("BEGIN")); error.isValid())
        return {Contents::Foreign, 0, error};
    const Look look = lookAt(db);
    run(db, QStringLiteral("ROLLBACK"));
    return look;
}

const QByteArray SqliteMagic = QByteArrayLiteral("SQLite format 3\0");

// The bytes of a file at offset, as many as asked for if it has them.
QByteArray bytesAt(const QString& path, qint64 offset, qint64 count)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.seek(offset) ? file.read(count) : QByteArray();
}

// Whether the file begins as every SQLite database does.
bool startsAsDatabase(const QString& path)
{
    return bytesAt(path, 0, SqliteMagic.size()) == SqliteMagic;
}

// The application id in a SQLite file's header, read without SQLite: for a file SQLite finds
// damaged, whether it was a memory. Only a file that starts as a database is opened at all.
qint64 headerApplicationId(const QString& path)
{
    const QByteArray id = bytesAt(path, 68, sizeof(quint32));
    return id.size() == sizeof(quint32) ? qFromBigEndian<quint32>(id.constData()) : 0;
}

const char* const Companions[] = {"-wal", "-shm", "-journal"};

// Moves the file, and SQLite's files beside it, to the first of PATH.damaged, PATH.damaged.2 ...
// that is free; never over an existing file.
QString setAside(const QString& path, QString& aside)
{
    const auto move = [](const QString& from, const QString& to) {
        const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
        if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL) // a file system without the flag
            return errno;
        if (QFileInfo::exists(to))
            return EEXIST;
        return ::rename(a.constData(), b.constData()) == 0 ? 0 : errno;
    };
    for (int n = 1;; ++n) {
        aside =
            path + QStringLiteral(".damaged") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        const int error = move(path, aside);
        if (error == 0)
            break;
        if (error != EEXIST)
            return QString::fromLocal8Bit(std::strerror(error));
    }
    for (const char* suffix : Companions) {
        const QString from = path + QLatin1String(suffix);
        if (QFileInfo::exists(from)) {
            if (const int error = move(from, aside + QLatin1String(suffix)))
                return QStringLiteral("%1 cannot be moved beside it: %2")
                    .arg(from, QString::fromLocal8Bit(std::strerror(error)));
        }
    }
    return {};
}

// Takes back a memory this open made and could not finish: only while it holds nothing.
void removeUnfinished(const QString& path)
{
    if (QFileInfo(path).isSymLink() || QFileInfo(path).size() != 0)
        return;
    QFile::remove(path);
    for (const char* suffix : Companions)
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

QString databaseUser(const QString& path)
{
    QSet<QString> files; // as /proc/locks names them: "08:01:1234", device in hex and inode
    QStringList names = {path};
    for (const char* suffix : Companions)
        names << path + QLatin1String(suffix);
    for (const QString& name : names) {
        struct stat info {};
        if (::stat(QFile::encodeName(name).constData(), &info) == 0)
            files.insert(QStringLiteral("%1:%2:%3")
                             .arg(major(info.st_dev), 2, 16, QLatin1Char('0'))
                             .arg(minor(info.st_dev), 2, 16, QLatin1Char('0'))
                             .arg(info.st_ino));
    }
    QFile locks(QStringLiteral("/proc/locks"));
    if (files.isEmpty() || !locks.open(QIODevice::ReadOnly))
        return {};
    // "1: POSIX  ADVISORY  WRITE 1234 08:01:1234 120 120"; a waiting lock has "->" after the
    // number. A writer holds a write lock; every reader a read lock: the writer is named first.
    qint64 reader = 0, writer = 0;
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || fields.at(1) == "->")
            continue;
        const qint64 pid = fields.at(4).toLongLong();
        if (pid > 0 && pid != QCoreApplication::applicationPid() &&
            files.contains(QString::fromLatin1(fields.at(5))))
            (fields.at(3) == "WRITE" ? writer : reader) = pid;
    }
    const qint64 pid = writer ? writer : reader;
    if (pid == 0)
        return {};
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    const QString name = comm.open(QIODevice::ReadOnly)
                             ? QString::fromLocal8Bit(comm.readAll().trimmed())
                             : QStringLiteral("a process");
    return QStringLiteral("%1 (process %2)").arg(name).arg(pid);
}

SqliteMemoryStore::SqliteMemoryStore(int busyTimeoutMs, const TextKeys& keys)
    : m_keys(keys)
    , m_connection(QUuid::createUuid().toString())
    , m_busyTimeout(busyTimeoutMs)
{
}

SqliteMemoryStore::~SqliteMemoryStore()
{
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection); // closed with its last handle
}

bool SqliteMemoryStore::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && existing(m_connection).isOpen();
}

namespace {

// What went wrong with the memory: in use by another program (named where the system says), or
// SQLite's reason after what could not be done.
QString problemOf(const QString& path, const QSqlError& error,
                  const QString& what = QStringLiteral("cannot be used"))
{
    if (primaryCode(error) != Busy && primaryCode(error) != Locked)
        return QStringLiteral("%1 %2: %3").arg(path, what, error.text());
    const QString user = databaseUser(path);
    return QStringLiteral("%1 is in use by %2; try again when it is done")
        .arg(path, user.isEmpty() ? QStringLiteral("another program") : user);
}

// Makes a new memory in an empty file, or marks one made before memories carried their id, in
// one transaction: another process doing the same at the same time waits for it and then finds a
// memory.
QSqlError prepareMemory(const QSqlDatabase& db, Look& look)
{
    if (const QSqlError error = run(db, QStringLiteral("BEGIN IMMEDIATE")); error.isValid())
        return error;
    look = lookAt(db);
    QSqlError error = look.error;
    QStringList statements;
    if (look.contents == Contents::Empty)
        for (const char* statement : Schema)
            statements << QLatin1String(statement);
    if (look.contents == Contents::Empty || look.contents == Contents::Earlier)
        statements << QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId);
    statements << QStringLiteral("COMMIT");
    for (qsizetype i = 0; i < statements.size() && !error.isValid(); ++i)
        error = run(db, statements.at(i));
    if (error.isValid()) {
        run(db, QStringLiteral("ROLLBACK"));
        return error;
    }
    // Looked at again inside the transaction: a file another program filled meanwhile stays
    // Foreign, and the caller refuses it.
    if (look.contents == Contents::Empty)
        look.version = SchemaVersion;
    return {};
}

} // namespace

MemoryOpening SqliteMemoryStore::open(const QString& path, MemoryCreation creation)
{
    if (QSqlDatabase::contains(m_connection))
        existing(m_connection).close();
    m_path = path;
    m_readError.clear();
    const QFileInfo given(path);
    // Through a link, the memory is its target: that is what is checked and, damaged, moved.
    if (given.isSymLink() && !given.exists())
        return {QStringLiteral("%1 is a link to %2, which is not there; it was left as it is")
                    .arg(path, given.symLinkTarget()),
                {}};
    const QString file = given.isSymLink() ? given.canonicalFilePath() : path;
    // A device, a FIFO or a folder is never opened as a database, let alone moved aside. (A path
    // that is not there yet may be made by another process at any moment: it is no problem.)
    struct stat info {};
    const bool existed = ::stat(QFile::encodeName(file).constData(), &info) == 0;
    if (existed && !S_ISREG(info.st_mode))
        return {QStringLiteral("%1 is not a regular file, so it cannot be a translation memory; it "
                               "was left as it is")
                    .arg(path),
                {}};
    if (!existed && creation == MemoryCreation::MustExist)
        return {QStringLiteral("there is no translation memory at %1").arg(path), {}};
    // Not a SQLite file at all: somebody's file given by mistake, never opened or moved.
    if (existed && info.st_size > 0 && !startsAsDatabase(file))
        return {QStringLiteral("%1 is not a translation memory (it is no SQLite database); it was "
                               "left as it is")
                    .arg(path),
                {}};
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder))
        return {QStringLiteral("the folder %1 cannot be made").arg(folder), {}};
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? existing(m_connection)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!db.isValid())
        return {QStringLiteral("Qt's SQLite driver is not installed"), {}};
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeout));
    // One process at a time looks at the file and, damaged, sets it aside: a process that had
    // the damaged file open while it moved would, closing it, remove the new memory's WAL by its
    // name. (In a folder that may not be written nothing can be set aside, and no lock is taken.)
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.tryLock(m_busyTimeout) && lock.error() == QLockFile::LockFailedError)
        return {QStringLiteral("%1 is being opened by another program; try again").arg(path), {}};
    MemoryOpening opening;
    bool made = !existed;
    const auto fail = [&](const QString& problem) {
        db.close();
        if (made)
            removeUnfinished(file);
        opening.error = problem;
        return opening;
    };
    const auto damaged = [&file](const Look& look) {
        const int code = primaryCode(look.error);
        return (code == NotADatabase || code == Corrupt) &&
               headerApplicationId(file) == ApplicationId;
    };
    if (!db.open())
        return fail(QStringLiteral("%1 cannot be opened: %2").arg(path, db.lastError().text()));
    Look look = lookAtOnce(db);
    if (damaged(look)) {
        // A memory SQLite cannot read: kept under a new name, and a new one made.
        db.close();
        QString aside;
        if (const QString problem = setAside(file, aside); !problem.isEmpty())
            return fail(QStringLiteral("%1 cannot be read (%2) and cannot be moved aside: %3")
                            .arg(path, look.error.text(), problem));
        opening.notice = QStringLiteral("%1 could not be read as a translation memory (%2); it "
                                        "was moved to %3 and a new memory made")
                             .arg(path, look.error.text(), aside);
        made = true;
        if (!db.open())
            return fail(QStringLiteral("%1 cannot be opened: %2").arg(path, db.lastError().text()));
        look = lookAtOnce(db);
    }
    if (look.error.isValid())
        return fail(problemOf(path, look.error, QStringLiteral("cannot be read")));
    if (look.contents == Contents::Empty || look.contents == Contents::Earlier) {
        // Readers go on while a writer writes.
        run(db, QStringLiteral("PRAGMA journal_mode = WAL"));
        if (const QSqlError error = prepareMemory(db, look); error.isValid())
            return fail(
                problemOf(path, error, QStringLiteral("cannot be made a translation memory")));
    }
    if (look.contents == Contents::Foreign) {
        made = false;
        return fail(QStringLiteral("%1 is a database, but not a translation memory; it was left "
                                   "as it is")
                        .arg(path));
    }
    if (look.version == FirstVersion) {
        // A memory of the first version gets the index of this one, all units kept, or stays as
        // it was.
        if (const QSqlError error = upgrade(); error.isValid())
            return fail(problemOf(path, error, QStringLiteral("cannot be brought up to date")));
        look.version = SchemaVersion;
    }
    if (look.version != SchemaVersion) {
        made = false;
        return fail(QStringLiteral("%1 is a translation memory of format %2, which this version "
                                   "cannot read; it was left as it is")
                        .arg(path)
                        .arg(look.version));
    }
    return opening;
}

namespace {

// Adds units inside a transaction the caller holds, with its statements prepared once; the
// trigram index is written in batches, each trigram's list once per batch.
class UnitWriter {
public:
    UnitWriter(const QSqlDatabase& db, const TextKeys& keys)
        : m_keys(keys)
        , m_find(db)
        , m_insert(db)
        , m_update(db)
        , m_pair(db)
        , m_newPair(db)
        , m_lastBlock(db)
        , m_writeBlock(db)
    {
        m_find.prepare(
            QStringLiteral("SELECT id, target, changed FROM units WHERE languages = ? AND "
                           "origin = ? AND form = ? AND row = ? AND source = ?"));
        m_insert.prepare(QStringLiteral(
            "INSERT INTO units (languages, source, target, origin, form, row, changed, "
            "text_key) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        m_update.prepare(QStringLiteral("UPDATE units SET target = ?, changed = ? WHERE id = ?"));
        m_pair.prepare(QStringLiteral("SELECT id, family FROM languages WHERE "
                                      "source_language = ? AND target_language = ?"));
        m_newPair.prepare(QStringLiteral(
            "INSERT INTO languages (source_language, target_language, source_key, target_key, "
            "family) VALUES (?, ?, ?, ?, ?)"));
        m_lastBlock.prepare(QStringLiteral(
            "SELECT block, count, last, units FROM postings WHERE family = ? AND trigram = ? AND "
            "band = ? ORDER BY block DESC LIMIT 1"));
        m_writeBlock.prepare(QStringLiteral(
            "INSERT OR REPLACE INTO postings (family, trigram, band, block, count, last, units) "
            "VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (const QSqlQuery* q :
             {&m_find, &m_insert, &m_update, &m_pair, &m_newPair, &m_lastBlock, &m_writeBlock}) {
            if (q->lastError().isValid() && !error.isValid()) // a table of the memory is gone
                error = q->lastError();
        }
    }

    // Adds one unit, or updates it unless what the memory has is newer, counted in `result`;
    // false on an error.
    bool add(const MemoryUnit& unit, MemoryAddition& result)
    {
        const QString changed =
            (unit.changed.isValid() ? unit.changed : QDateTime::currentDateTimeUtc())
                .toUTC()
                .toString(Qt::ISODate);
        const Pair* pair = pairOf(unit.sourceLanguage, unit.targetLanguage);
        if (!pair || !exec(m_find, {pair->id, unit.origin, unit.form, unit.row, unit.source}))
            return false;
        if (m_find.next()) {
            const qlonglong id = m_find.value(0).toLongLong();
            const bool newer = m_find.value(2).toString() > changed;
            ++(newer || m_find.value(1).toString() == unit.target ? result.unchanged
                                                                  : result.updated);
            m_find.finish();
            return newer || exec(m_update, {unit.target, changed, id});
        }
        const QString comparable = m_keys.comparable(unit.source);
        if (!exec(m_insert, {pair->id, unit.source, unit.target, unit.origin, unit.form, unit.row,
                             changed, textKey(comparable)}))
            return false;
        ++result.added;
        const qint64 id = m_insert.lastInsertId().toLongLong();
        const int band = bandOf(comparable.size());
        for (const QString& trigram : m_keys.trigrams(comparable)) {
            m_pending[{pair->family, trigram, band}].push_back(id);
            ++m_pendingCount;
        }
        return m_pendingCount < 4'000'000 || flush();
    }

    // Writes the trigram index of the units added since the last time.
    bool flush()
    {
        for (auto i = m_pending.cbegin(); i != m_pending.cend() && !error.isValid(); ++i) {
            const Key& key = i.key();
            if (!exec(m_lastBlock, {key.family, key.trigram, key.band}))
                break;
            int block = 0, count = 0;
            qint64 last = 0;
            QByteArray units;
            if (m_lastBlock.next()) {
                block = m_lastBlock.value(0).toInt();
                count = m_lastBlock.value(1).toInt();
                last = m_lastBlock.value(2).toLongLong();
                units = m_lastBlock.value(3).toByteArray();
            }
            m_lastBlock.finish();
            const std::vector<qint64>& ids = i.value();
            for (std::size_t n = 0; n < ids.size() && !error.isValid(); ++n) {
                if (count == BlockSize) {
                    ++block;
                    count = 0;
                    last = 0;
                    units.clear();
                }
                appendNumber(units, quint64(ids[n] - last));
                last = ids[n];
                ++count;
                if (count == BlockSize || n + 1 == ids.size())
                    exec(m_writeBlock,
                         {key.family, key.trigram, key.band, block, count, last, units});
            }
        }
        m_pending.clear();
        m_pendingCount = 0;
        return !error.isValid();
    }

    void finish()
    {
        for (QSqlQuery* q :
             {&m_find, &m_insert, &m_update, &m_pair, &m_newPair, &m_lastBlock, &m_writeBlock})
            q->finish();
    }

    QSqlError error;

private:
    struct Pair {
        qint64 id;
        QString family;
    };
    struct Key {
        QString family, trigram;
        int band;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.family, key.trigram, key.band);
        }
    };

    bool exec(QSqlQuery& q, const QVariantList& values)
    {
        for (const QVariant& value : values)
            q.addBindValue(value);
        if (!q.exec())
            error = q.lastError();
        return !error.isValid();
    }

    const Pair* pairOf(const QString& sourceLanguage, const QString& targetLanguage)
    {
        const std::pair<QString, QString> written(sourceLanguage, targetLanguage);
        if (const auto found = m_pairs.constFind(written); found != m_pairs.cend())
            return &*found;
        Pair pair{0, familyOf(sourceLanguage, targetLanguage)};
        if (!exec(m_pair, {sourceLanguage, targetLanguage}))
            return nullptr;
        if (m_pair.next()) {
            pair = {m_pair.value(0).toLongLong(), m_pair.value(1).toString()};
            m_pair.finish();
        } else {
            m_pair.finish();
            if (!exec(m_newPair, {sourceLanguage, targetLanguage, languageKey(sourceLanguage),
                                  languageKey(targetLanguage), pair.family}))
                return nullptr;
            pair.id = m_newPair.lastInsertId().toLongLong();
        }
        return &*m_pairs.insert(written, pair);
    }

    const TextKeys& m_keys;
    QSqlQuery m_find, m_insert, m_update, m_pair, m_newPair, m_lastBlock, m_writeBlock;
    QHash<std::pair<QString, QString>, Pair> m_pairs;
    QHash<Key, std::vector<qint64>> m_pending;
    qint64 m_pendingCount = 0;
};

} // namespace

MemoryAddition SqliteMemoryStore::add(const QList<MemoryUnit>& units,
                                      const AdditionProgress& progress)
{
    MemoryAddition result;
    if (!isOpen())
        return {QStringLiteral("no translation memory is open")};
    QSqlDatabase db = existing(m_connection);
    // The write lock first: a transaction that read before it wrote could find another writer
    // had been there, and fail instead of waiting.
    QSqlError error = run(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (error.isValid())
        return {problemOf(m_path, error)};
    {
        UnitWriter writer(db, m_keys);
        for (qsizetype i = 0; i < units.size() && !writer.error.isValid(); ++i) {
            writer.add(units.at(i), result);
            if (progress && (i + 1) % 10000 == 0)
                progress(i + 1);
        }
        if (!writer.error.isValid())
            writer.flush();
        writer.finish();
        error = writer.error;
    }
    if (!error.isValid())
        error = run(db, QStringLiteral("COMMIT"));
    if (error.isValid()) {
        run(db, QStringLiteral("ROLLBACK"));
        return {problemOf(m_path, error)};
    }
    return result;
}

QSqlError SqliteMemoryStore::upgrade()
{
    QSqlDatabase db = existing(m_connection);
    if (const QSqlError error = run(db, QStringLiteral("BEGIN IMMEDIATE")); error.isValid())
        return error;
    // Looked at again with the write lock: another program may have upgraded it meanwhile.
    const Look look = lookAt(db);
    QSqlError error = look.error;
    if (!error.isValid() && look.version == FirstVersion) {
        QStringList statements = {QStringLiteral("DROP INDEX units_by_text"),
                                  QStringLiteral("DROP TABLE trigrams"),
                                  QStringLiteral("DROP TABLE trigram_counts"),
                                  QStringLiteral("ALTER TABLE units RENAME TO first_units")};
        for (const char* statement : Schema)
            statements << QLatin1String(statement);
        for (qsizetype i = 0; i < statements.size() && !error.isValid(); ++i)
            error = run(db, statements.at(i));
        // Each unit again, in the order it was added.
        QSqlQuery earlier(db);
        earlier.setForwardOnly(true);
        if (!error.isValid() &&
            !earlier.exec(QStringLiteral("SELECT source_language, target_language, source, "
                                         "target, origin, form, row, changed FROM first_units "
                                         "ORDER BY id")))
            error = earlier.lastError();
        UnitWriter writer(db, m_keys);
        MemoryAddition counted;
        while (!error.isValid() && !writer.error.isValid() && earlier.next())
            writer.add(unitFrom(earlier), counted);
        if (!error.isValid() && earlier.lastError().isValid())
            error = earlier.lastError();
        earlier.finish();
        if (!error.isValid() && !writer.error.isValid())
            writer.flush();
        writer.finish();
        if (!error.isValid())
            error = writer.error;
        if (!error.isValid())
            error = run(db, QStringLiteral("DROP TABLE first_units"));
    }
    if (!error.isValid())
        error = run(db, QStringLiteral("COMMIT"));
    if (error.isValid())
        run(db, QStringLiteral("ROLLBACK"));
    return error;
}

namespace {

const QString UnitColumns =
    QStringLiteral("languages.source_language, languages.target_language, source, target, "
                   "origin, form, row, changed, units.id FROM units JOIN languages ON "
                   "languages.id = units.languages");

} // namespace

void SqliteMemoryStore::candidates(const QString& sourceLanguage, const QString& targetLanguage,
                                   const QString& comparable, int threshold,
                                   const std::function<bool(MemoryUnit&&)>& take) const
{
    QSqlDatabase db = existing(m_connection);
    const QString family = familyOf(sourceLanguage, targetLanguage);
    // The same text first, by its key: among many alike units the trigrams might not reach it.
    QSqlQuery same(db);
    same.setForwardOnly(true);
    same.prepare(QStringLiteral("SELECT %1 WHERE text_key = ? AND family = ? ORDER BY units.id "
                                "DESC LIMIT %2")
                     .arg(UnitColumns)
                     .arg(CandidateCount));
    same.addBindValue(textKey(comparable));
    same.addBindValue(family);
    same.exec();
    bool wanted = true;
    std::vector<qint64> given;
    while (wanted && same.next()) {
        given.push_back(same.value(8).toLongLong());
        wanted = take(unitFrom(same));
    }
    noteReadError(same);
    same.finish();
    // Only the same text, in any case, scores 99 or more.
    const QStringList trigrams = m_keys.trigrams(comparable);
    if (!wanted || threshold >= 99 || trigrams.isEmpty())
        return;
    QSqlQuery lists(db);
    lists.setForwardOnly(true);
    // By trigram (as bytes), then band and block, as a server reads them: which lists a lookup
    // that reaches its budget leaves out is then the same in both, and falls nowhere in
    // particular in the text.
    lists.prepare(QStringLiteral("SELECT band, units FROM postings WHERE family = ? AND trigram IN "
                                 "(SELECT value FROM json_each(?)) AND band BETWEEN ? AND ? "
                                 "ORDER BY trigram, band, block"));
    const QString json = QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(trigrams)).toJson(QJsonDocument::Compact));
    const std::vector<qint64> ranked = m_tally.best(
        trigrams, comparable.size(), threshold, m_keys, given,
        [&](int first, int last, const auto& count) {
            for (const QVariant& value :
                 {QVariant(family), QVariant(json), QVariant(first), QVariant(last)})
                lists.addBindValue(value);
            lists.exec();
            while (lists.next() && count(lists.value(0).toInt(), lists.value(1).toByteArray())) {
            }
            noteReadError(lists);
            lists.finish();
        });
    if (ranked.empty())
        return;
    QJsonArray ids;
    for (const qint64 id : ranked)
        ids.append(id);
    QSqlQuery alike(db);
    alike.setForwardOnly(true);
    alike.prepare(QStringLiteral("SELECT %1 WHERE units.id IN (SELECT value FROM json_each(?))")
                      .arg(UnitColumns));
    alike.addBindValue(QString::fromUtf8(QJsonDocument(ids).toJson(QJsonDocument::Compact)));
    alike.exec();
    QHash<qint64, MemoryUnit> units;
    while (alike.next())
        units.insert(alike.value(8).toLongLong(), unitFrom(alike));
    noteReadError(alike);
    for (const qint64 id : ranked) {
        if (const auto unit = units.find(id); unit != units.end() && !take(std::move(*unit)))
            break;
    }
}

QList<MemoryUnit> SqliteMemoryStore::unitsOf(const QString& sourceLanguage,
                                             const QString& targetLanguage,
                                             const QString& origin) const
{
    QList<MemoryUnit> found;
    QSqlQuery q(existing(m_connection));
    q.prepare(QStringLiteral("SELECT %1 WHERE source_key = ? AND target_key = ? AND origin = ? "
                             "ORDER BY changed, units.id")
                  .arg(UnitColumns));
    for (const QString& value : {languageKey(sourceLanguage), languageKey(targetLanguage), origin})
        q.addBindValue(value);
    q.exec();
    while (q.next())
        found.append(unitFrom(q));
    noteReadError(q);
    return found;
}

// The glossary, made by the first term added: a memory without one is read by every version.
const QString TermsTable = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS terms (family TEXT NOT NULL, source_key TEXT NOT NULL, "
    "source TEXT NOT NULL, target TEXT NOT NULL, do_not_translate INTEGER NOT NULL, note TEXT "
    "NOT NULL, part_of_speech TEXT NOT NULL, PRIMARY KEY (family, source_key)) WITHOUT ROWID");

QString SqliteMemoryStore::addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                                    const QList<GlossaryTerm>& terms)
{
    if (!isOpen())
        return QStringLiteral("no translation memory is open");
    QSqlDatabase db = existing(m_connection);
    QSqlError error = run(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (!error.isValid())
        error = run(db, TermsTable);
    QSqlQuery write(db);
    write.prepare(QStringLiteral("INSERT OR REPLACE INTO terms (family, source_key, source, "
                                 "target, do_not_translate, note, part_of_speech) VALUES (?, ?, "
                                 "?, ?, ?, ?, ?)"));
    const QString family = familyOf(sourceLanguage, targetLanguage);
    for (qsizetype i = 0; i < terms.size() && !error.isValid(); ++i) {
        const GlossaryTerm& term = terms.at(i);
        for (const QVariant& value :
             {QVariant(family), QVariant(term.source.toLower()), QVariant(term.source),
              QVariant(stored(term.target)), QVariant(term.doNotTranslate ? 1 : 0),
              QVariant(stored(term.note)), QVariant(stored(term.partOfSpeech))})
            write.addBindValue(value);
        if (!write.exec())
            error = write.lastError();
    }
    write.finish();
    if (!error.isValid())
        error = run(db, QStringLiteral("COMMIT"));
    if (error.isValid()) {
        run(db, QStringLiteral("ROLLBACK"));
        return problemOf(m_path, error);
    }
    return {};
}

QList<GlossaryTerm> SqliteMemoryStore::terms(const QString& sourceLanguage,
                                             const QString& targetLanguage) const
{
    QList<GlossaryTerm> found;
    QSqlQuery q(existing(m_connection));
    q.prepare(QStringLiteral("SELECT source, target, do_not_translate, note, part_of_speech FROM "
                             "terms WHERE family = ? ORDER BY source_key"));
    q.addBindValue(familyOf(sourceLanguage, targetLanguage));
    if (!q.exec())
        return found; // no glossary yet
    while (q.next())
        found.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toBool(),
                      q.value(3).toString(), q.value(4).toString()});
    noteReadError(q);
    return found;
}

QList<UnitCount> SqliteMemoryStore::counts() const
{
    QList<UnitCount> counts;
    QSqlQuery q(existing(m_connection));
    q.exec(QStringLiteral("SELECT source_language, target_language, origin, count(*) FROM units "
                          "JOIN languages ON languages.id = units.languages GROUP BY "
                          "source_language, target_language, origin ORDER BY source_language, "
                          "target_language, origin"));
    while (q.next())
        counts.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                       q.value(3).toLongLong()});
    noteReadError(q);
    return counts;
}

QList<MemoryUnit> SqliteMemoryStore::units() const
{
    QList<MemoryUnit> all;
    QSqlQuery q(existing(m_connection));
    q.exec(QStringLiteral("SELECT %1 ORDER BY units.id").arg(UnitColumns));
    while (q.next())
        all.append(unitFrom(q));
    noteReadError(q);
    return all;
}

void SqliteMemoryStore::noteReadError(const QSqlQuery& query) const
{
    if (query.lastError().isValid() && m_readError.isEmpty())
        m_readError = problemOf(m_path, query.lastError(), QStringLiteral("cannot be read"));
}
