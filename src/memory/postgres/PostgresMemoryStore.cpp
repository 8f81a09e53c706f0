#include "PostgresMemoryStore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

#include <QMap>

#include <set>
#include <tuple>

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

QStringList PostgresMemoryStore::schema() const
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
        for (const QString& statement : schema()) {
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

namespace {

// Units written by one statement, and looked for by another.
constexpr qsizetype BatchSize = 500;

// Where a unit was made, and of what text: what makes it one unit.
using Place = std::tuple<QString, QString, QString, int, int, QString>;
Place placeOf(const MemoryUnit& unit)
{
    return {unit.sourceLanguage, unit.targetLanguage, unit.origin, unit.form, unit.row,
            unit.source};
}

// Counts a batch's units as a memory that took them one by one would, and keeps of each place
// its last unit: a unit already there (the server's, or earlier in the batch) is an update or
// unchanged, any other is added. Writes the batch over what the server has; the server's error,
// if any.
QSqlError writeBatch(QSqlDatabase& db, const TextKeys& keys, QList<MemoryUnit> batch,
                     MemoryAddition& result)
{
    // The units of these places the server has, locked until the transaction ends.
    QStringList places;
    for (qsizetype i = 0; i < batch.size(); ++i)
        places << QStringLiteral("(?::text, ?::text, ?::text, ?::integer, ?::integer, "
                                 "md5(?::text))");
    QSqlQuery there(db);
    there.setForwardOnly(true);
    there.prepare(QStringLiteral("SELECT source_language, target_language, origin, form, "
                                 "\"row\", source, target FROM lexicant_units WHERE "
                                 "(source_language, target_language, origin, form, \"row\", "
                                 "md5(source)) IN (VALUES %1) FOR UPDATE")
                      .arg(places.join(u',')));
    int n = 0;
    for (const MemoryUnit& unit : std::as_const(batch)) {
        for (const QVariant& value :
             {QVariant(unit.sourceLanguage), QVariant(unit.targetLanguage), QVariant(unit.origin),
              QVariant(unit.form), QVariant(unit.row), QVariant(unit.source)})
            there.bindValue(n++, value);
    }
    if (!there.exec())
        return there.lastError();
    QMap<Place, QString> targets;
    while (there.next())
        targets.insert({there.value(0).toString(), there.value(1).toString(),
                        there.value(2).toString(), there.value(3).toInt(), there.value(4).toInt(),
                        there.value(5).toString()},
                       there.value(6).toString());
    there.finish();
    QList<MemoryUnit> last;
    QMap<Place, qsizetype> lastAt;
    for (MemoryUnit& unit : batch) {
        const Place place = placeOf(unit);
        const auto known = targets.find(place);
        if (known == targets.end())
            ++result.added;
        else
            ++(*known == unit.target ? result.unchanged : result.updated);
        targets.insert(place, unit.target);
        // To the second, as a memory in a file keeps it.
        unit.changed = QDateTime::fromSecsSinceEpoch(
            (unit.changed.isValid() ? unit.changed : QDateTime::currentDateTimeUtc())
                .toSecsSinceEpoch(),
            Qt::UTC);
        if (const auto at = lastAt.constFind(place); at != lastAt.cend())
            last[*at] = std::move(unit);
        else
            lastAt.insert(place, last.size()), last.append(std::move(unit));
    }
    // Written whether there or not: a unit another writer added meanwhile is updated instead.
    QStringList rows;
    for (qsizetype i = 0; i < last.size(); ++i)
        rows << QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    QSqlQuery write(db);
    write.prepare(
        QStringLiteral("INSERT INTO lexicant_units (source_language, target_language, source_key, "
                       "target_key, family, source, target, comparable, origin, form, \"row\", "
                       "changed) VALUES %1 ON CONFLICT (source_language, target_language, origin, "
                       "form, \"row\", md5(source)) DO UPDATE SET target = EXCLUDED.target, "
                       "changed = EXCLUDED.changed")
            .arg(rows.join(u',')));
    n = 0;
    for (const MemoryUnit& unit : std::as_const(last)) {
        for (const QVariant& value :
             {QVariant(unit.sourceLanguage), QVariant(unit.targetLanguage),
              QVariant(languageKey(unit.sourceLanguage)),
              QVariant(languageKey(unit.targetLanguage)),
              QVariant(familyOf(unit.sourceLanguage, unit.targetLanguage)), QVariant(unit.source),
              QVariant(unit.target), QVariant(keys.comparable(unit.source)), QVariant(unit.origin),
              QVariant(unit.form), QVariant(unit.row), QVariant(unit.changed)})
            write.bindValue(n++, value);
    }
    write.exec();
    return write.lastError();
}

} // namespace

MemoryAddition PostgresMemoryStore::add(const QList<MemoryUnit>& units)
{
    if (!isOpen())
        return {QStringLiteral("no translation memory is open")};
    QSqlDatabase db = existing(m_connection);
    QSqlError error = run(db, QStringLiteral("BEGIN"));
    MemoryAddition result;
    for (qsizetype start = 0; start < units.size() && !error.isValid(); start += BatchSize)
        error = writeBatch(db, m_keys, units.mid(start, BatchSize), result);
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
