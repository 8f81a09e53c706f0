#include "PostgresMemoryStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

#include <set>

namespace {

constexpr int SchemaVersion = 1;
// Taken for the making or upgrading of the tables: "LxTM".
constexpr qint64 SchemaLock = 0x4C78544D;
// Candidates a lookup takes of the units alike by trigrams, as the file store does.
constexpr int CandidateCount = 100;
// The trigram similarity (shared trigrams over all of both texts) a candidate needs at least:
// low enough that a unit the memory scores 60 or more is among them.
constexpr double SimilarityFloor = 0.2;

const QString UnitColumns = QStringLiteral(
    "source_language, target_language, source, target, origin, form, \"row\", changed, id "
    "FROM lexicant_units");

QSqlDatabase existing(const QString& connection)
{
    return QSqlDatabase::database(connection, false);
}

QString familyOf(const QString& sourceLanguage, const QString& targetLanguage)
{
    return primaryLanguage(sourceLanguage) + u' ' + primaryLanguage(targetLanguage);
}

MemoryUnit unitFrom(const QSqlQuery& q)
{
    return {q.value(0).toString(), q.value(1).toString(),          q.value(2).toString(),
            q.value(3).toString(), q.value(4).toString(),          q.value(5).toInt(),
            q.value(6).toInt(),    q.value(7).toDateTime().toUTC()};
}

// The server's own words for what went wrong (libpq's, which never repeat a password), else
// Qt's.
QString reasonOf(const QSqlError& error)
{
    const QString server = error.databaseText().trimmed();
    return server.isEmpty() ? error.text().trimmed() : server;
}

QSqlError run(const QSqlDatabase& db, const QString& statement)
{
    QSqlQuery q(db);
    q.exec(statement);
    return q.lastError();
}

bool exec(QSqlQuery& q, const QVariantList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        q.bindValue(int(i), values.at(i));
    return q.exec();
}

} // namespace

ServerAddress serverAddress(const QString& uri)
{
    ServerAddress address;
    const QUrl url(uri, QUrl::StrictMode);
    if (!isServerAddress(uri) || !url.isValid()) {
        address.error = QStringLiteral("%1 is no PostgreSQL address: write it as "
                                       "postgresql://[user@]host[:port]/database[?options]")
                            .arg(uri);
        return address;
    }
    address.host = url.host();
    address.port = url.port();
    address.user = url.userName();
    address.password = url.password();
    address.database = url.path().mid(1);
    QStringList options;
    bool timeout = false;
    QUrlQuery query(url);
    for (const auto& [name, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (name == u"host")
            address.host = value;
        else if (name == u"port")
            address.port = value.toInt();
        else if (name == u"dbname")
            address.database = value;
        else if (name == u"user")
            address.user = value;
        else if (name == u"password")
            address.password = value;
        else
            options << name + u'=' + value;
        timeout = timeout || name == u"connect_timeout";
    }
    // A server that does not answer is said within seconds, not after the system's minutes.
    if (!timeout)
        options << QStringLiteral("connect_timeout=10");
    address.options = options.join(u';');
    // Named without its password, wherever that was written.
    QUrl shown = url;
    shown.setPassword({});
    query.removeAllQueryItems(QStringLiteral("password"));
    shown.setQuery(query);
    address.shown = shown.toString();
    return address;
}

QStringList PostgresMemoryStore::schemaStatements()
{
    return {
        QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm"),
        QStringLiteral("CREATE TABLE lexicant_memory (version integer NOT NULL)"),
        QStringLiteral("INSERT INTO lexicant_memory (version) VALUES (%1)").arg(SchemaVersion),
        QStringLiteral(
            "CREATE TABLE lexicant_units (id bigserial PRIMARY KEY, source_language text NOT "
            "NULL, target_language text NOT NULL, source_key text NOT NULL, target_key text NOT "
            "NULL, family text NOT NULL, source text NOT NULL, target text NOT NULL, comparable "
            "text NOT NULL, origin text NOT NULL, form integer NOT NULL, \"row\" integer NOT "
            "NULL, changed timestamptz NOT NULL)"),
        // A unit is a source text translated at a place; texts are too long for an index of
        // their own, their hashes are not.
        QStringLiteral("CREATE UNIQUE INDEX lexicant_units_place ON lexicant_units "
                       "(source_language, target_language, origin, form, \"row\", md5(source))"),
        QStringLiteral("CREATE INDEX lexicant_units_text ON lexicant_units (family, "
                       "md5(comparable))"),
        QStringLiteral("CREATE INDEX lexicant_units_trigrams ON lexicant_units USING gin "
                       "(comparable gin_trgm_ops)"),
        QStringLiteral("CREATE INDEX lexicant_units_origin ON lexicant_units (source_key, "
                       "target_key, origin)"),
    };
}

PostgresMemoryStore::PostgresMemoryStore(const TextKeys& keys)
    : m_keys(keys)
    , m_connection(QUuid::createUuid().toString())
{
}

PostgresMemoryStore::~PostgresMemoryStore()
{
    if (QSqlDatabase::contains(m_connection)) {
        existing(m_connection).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool PostgresMemoryStore::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && existing(m_connection).isOpen();
}

MemoryOpening PostgresMemoryStore::open(const QString& uri, MemoryCreation creation)
{
    const ServerAddress address = serverAddress(uri);
    if (!address.error.isEmpty())
        return {address.error, {}};
    m_shown = address.shown;
    m_readError.clear();
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? existing(m_connection)
                          : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
    if (!db.isValid())
        return {QStringLiteral("Qt's PostgreSQL driver is not installed (Debian's "
                               "libqt6sql6-psql): the translation memory on %1 cannot be used")
                    .arg(m_shown),
                {}};
    db.close();
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setDatabaseName(address.database);
    db.setUserName(address.user);
    db.setPassword(address.password);
    db.setConnectOptions(address.options);
    if (!db.open())
        return {QStringLiteral("the translation memory on %1 cannot be reached: %2")
                    .arg(m_shown, reasonOf(db.lastError())),
                {}};
    const auto fail = [&](const QString& why) {
        run(db, QStringLiteral("ROLLBACK"));
        db.close();
        return MemoryOpening{QStringLiteral("the translation memory on %1 %2").arg(m_shown, why),
                             {}};
    };
    // The tables looked at, and made where there are none, by one program at a time.
    QSqlError error = run(db, QStringLiteral("BEGIN"));
    if (!error.isValid())
        error = run(db, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLock));
    QSqlQuery look(db);
    if (!error.isValid() &&
        !look.exec(QStringLiteral("SELECT to_regclass('lexicant_memory') IS NOT NULL")))
        error = look.lastError();
    if (error.isValid())
        return fail(QStringLiteral("cannot be used: %1").arg(reasonOf(error)));
    look.next();
    if (!look.value(0).toBool()) {
        look.finish();
        if (creation == MemoryCreation::MustExist)
            return fail(QStringLiteral("does not exist yet (the first tm add or tm import "
                                       "makes it)"));
        for (const QString& statement : schemaStatements()) {
            if (const QSqlError made = run(db, statement); made.isValid())
                return fail(QStringLiteral("cannot be made: %1").arg(reasonOf(made)));
        }
    } else {
        look.finish();
        if (!look.exec(QStringLiteral("SELECT max(version) FROM lexicant_memory")) || !look.next())
            return fail(QStringLiteral("cannot be read: %1").arg(reasonOf(look.lastError())));
        const int version = look.value(0).toInt();
        look.finish();
        if (version > SchemaVersion)
            return fail(QStringLiteral("was made by a later version of Lexicant (memory version "
                                       "%1; this one reads %2)")
                            .arg(version)
                            .arg(SchemaVersion));
    }
    if (const QSqlError done = run(db, QStringLiteral("COMMIT")); done.isValid())
        return fail(QStringLiteral("cannot be made: %1").arg(reasonOf(done)));
    run(db, QStringLiteral("SET pg_trgm.similarity_threshold = %1").arg(SimilarityFloor));
    return {};
}

MemoryAddition PostgresMemoryStore::add(const QList<MemoryUnit>& units)
{
    if (!isOpen())
        return {QStringLiteral("no translation memory is open")};
    QSqlDatabase db = existing(m_connection);
    QSqlError error = run(db, QStringLiteral("BEGIN"));
    MemoryAddition result;
    if (!error.isValid()) {
        QSqlQuery find(db), update(db), insert(db);
        find.prepare(QStringLiteral(
            "SELECT id, target FROM lexicant_units WHERE source_language = ? AND "
            "target_language = ? AND origin = ? AND form = ? AND \"row\" = ? AND md5(source) = "
            "md5(?) FOR UPDATE"));
        update.prepare(
            QStringLiteral("UPDATE lexicant_units SET target = ?, changed = ? WHERE id = ?"));
        // A unit another writer added since it was looked for is updated instead.
        insert.prepare(QStringLiteral(
            "INSERT INTO lexicant_units (source_language, target_language, source_key, "
            "target_key, family, source, target, comparable, origin, form, \"row\", changed) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (source_language, "
            "target_language, origin, form, \"row\", md5(source)) DO UPDATE SET target = "
            "EXCLUDED.target, changed = EXCLUDED.changed"));
        for (const MemoryUnit& unit : units) {
            // To the second, as a memory in a file keeps it.
            const QDateTime changed = QDateTime::fromSecsSinceEpoch(
                (unit.changed.isValid() ? unit.changed : QDateTime::currentDateTimeUtc())
                    .toSecsSinceEpoch(),
                Qt::UTC);
            if (!exec(find, {unit.sourceLanguage, unit.targetLanguage, unit.origin, unit.form,
                             unit.row, unit.source})) {
                error = find.lastError();
                break;
            }
            if (find.next()) {
                const qlonglong id = find.value(0).toLongLong();
                ++(find.value(1).toString() == unit.target ? result.unchanged : result.updated);
                find.finish();
                if (!exec(update, {unit.target, changed, id})) {
                    error = update.lastError();
                    break;
                }
                continue;
            }
            find.finish();
            if (!exec(insert, {unit.sourceLanguage, unit.targetLanguage,
                               languageKey(unit.sourceLanguage), languageKey(unit.targetLanguage),
                               familyOf(unit.sourceLanguage, unit.targetLanguage), unit.source,
                               unit.target, m_keys.comparable(unit.source), unit.origin, unit.form,
                               unit.row, changed})) {
                error = insert.lastError();
                break;
            }
            ++result.added;
        }
    }
    if (!error.isValid())
        error = run(db, QStringLiteral("COMMIT"));
    if (error.isValid()) {
        run(db, QStringLiteral("ROLLBACK"));
        return {QStringLiteral("the translation memory on %1 cannot be added to: %2")
                    .arg(m_shown, reasonOf(error))};
    }
    return result;
}

void PostgresMemoryStore::candidates(const QString& sourceLanguage, const QString& targetLanguage,
                                     const QString& comparable, int threshold,
                                     const std::function<bool(MemoryUnit&&)>& take) const
{
    const QSqlDatabase db = existing(m_connection);
    const QString family = familyOf(sourceLanguage, targetLanguage);
    // The same text first, by its hash: among many alike units the trigrams might not reach it.
    QSqlQuery same(db);
    same.setForwardOnly(true);
    same.prepare(QStringLiteral("SELECT %1 WHERE family = ? AND md5(comparable) = md5(?) AND "
                                "comparable = ? ORDER BY id DESC LIMIT %2")
                     .arg(UnitColumns)
                     .arg(CandidateCount));
    exec(same, {family, comparable, comparable});
    noteReadError(same);
    bool wanted = true;
    std::set<qlonglong> given;
    while (wanted && same.next()) {
        given.insert(same.value(8).toLongLong());
        wanted = take(unitFrom(same));
    }
    // Only the same text, in any case, scores 99 or more.
    if (!wanted || threshold >= 99 || m_keys.trigrams(comparable).isEmpty())
        return;
    QSqlQuery alike(db);
    alike.setForwardOnly(true);
    alike.prepare(QStringLiteral("SELECT %1 WHERE family = ? AND comparable % ? ORDER BY "
                                 "similarity(comparable, ?) DESC, id DESC LIMIT %2")
                      .arg(UnitColumns)
                      .arg(CandidateCount));
    exec(alike, {family, comparable, comparable});
    noteReadError(alike);
    while (alike.next()) {
        if (given.contains(alike.value(8).toLongLong()))
            continue;
        if (!take(unitFrom(alike)))
            return;
    }
}

QList<MemoryUnit> PostgresMemoryStore::unitsOf(const QString& sourceLanguage,
                                               const QString& targetLanguage,
                                               const QString& origin) const
{
    QList<MemoryUnit> found;
    QSqlQuery q(existing(m_connection));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 WHERE source_key = ? AND target_key = ? AND origin = ? "
                             "ORDER BY changed, id")
                  .arg(UnitColumns));
    exec(q, {languageKey(sourceLanguage), languageKey(targetLanguage), origin});
    while (q.next())
        found.append(unitFrom(q));
    noteReadError(q);
    return found;
}

QList<MemoryUnit> PostgresMemoryStore::units() const
{
    QList<MemoryUnit> all;
    QSqlQuery q(existing(m_connection));
    q.setForwardOnly(true);
    q.exec(QStringLiteral("SELECT %1 ORDER BY id").arg(UnitColumns));
    while (q.next())
        all.append(unitFrom(q));
    noteReadError(q);
    return all;
}

void PostgresMemoryStore::noteReadError(const QSqlQuery& query) const
{
    if (query.lastError().isValid() && m_readError.isEmpty())
        m_readError = QStringLiteral("the translation memory on %1 cannot be read: %2")
                          .arg(m_shown, reasonOf(query.lastError()));
}
