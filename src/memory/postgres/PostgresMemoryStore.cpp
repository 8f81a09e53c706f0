#include "PostgresMemoryStore.h"

#include "TrigramPostings.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

#include <QMap>

#include <algorithm>
#include <tuple>

namespace {

constexpr int SchemaVersion = 1;
// Taken for the making or upgrading of the tables: "LxTM".
constexpr qint64 SchemaLock = 0x4C78544D;
using postings::appendNumber;
using postings::bandOf;
using postings::familyOf;
using postings::textKey;

const QString UnitColumns = QStringLiteral(
    "source_language, target_language, source, target, origin, form, \"row\", changed, id "
    "FROM lexicant_units");

QSqlDatabase existing(const QString& connection)
{
    return QSqlDatabase::database(connection, false);
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
    address.shown = serverAddressShown(uri);
    return address;
}

QStringList PostgresMemoryStore::schema() const
{
    return {
        QStringLiteral("CREATE TABLE lexicant_memory (version integer NOT NULL)"),
        QStringLiteral("INSERT INTO lexicant_memory (version) VALUES (%1)").arg(SchemaVersion),
        QStringLiteral(
            "CREATE TABLE lexicant_units (id bigserial PRIMARY KEY, source_language text NOT "
            "NULL, target_language text NOT NULL, source_key text NOT NULL, target_key text NOT "
            "NULL, family text NOT NULL, source text NOT NULL, target text NOT NULL, origin text "
            "NOT NULL, form integer NOT NULL, \"row\" integer NOT NULL, changed timestamptz NOT "
            "NULL, text_key bigint NOT NULL)"),
        // A unit is a source text translated at a place; texts are too long for an index of
        // their own, their hashes are not.
        QStringLiteral("CREATE UNIQUE INDEX lexicant_units_place ON lexicant_units "
                       "(source_language, target_language, origin, form, \"row\", md5(source))"),
        QStringLiteral("CREATE INDEX lexicant_units_text ON lexicant_units (family, text_key)"),
        QStringLiteral("CREATE INDEX lexicant_units_origin ON lexicant_units (source_key, "
                       "target_key, origin)"),
        // The trigram index: blocks of unit numbers, each the difference to the one before
        // (`last` the block's last number, `count` how many it holds).
        QStringLiteral("CREATE TABLE lexicant_postings (family text NOT NULL, trigram text NOT "
                       "NULL, band smallint NOT NULL, first bigint NOT NULL, last bigint NOT "
                       "NULL, count integer NOT NULL, units bytea NOT NULL, PRIMARY KEY (family, "
                       "trigram, band, first))"),
        // The glossary, by the family and the source term in lower case.
        QStringLiteral("CREATE TABLE lexicant_terms (family text NOT NULL, source_key text NOT "
                       "NULL, source text NOT NULL, target text NOT NULL, do_not_translate "
                       "boolean NOT NULL, note text NOT NULL, part_of_speech text NOT NULL, "
                       "PRIMARY KEY (family, source_key))"),
    };
}

PostgresMemoryStore::PostgresMemoryStore(const TextKeys& keys)
    : m_keys(keys)
    , m_connection(QUuid::createUuid().toString())
{
}

PostgresMemoryStore::~PostgresMemoryStore()
{
    m_lookups.reset();
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
    m_lookups.reset();
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
    // Qt's driver asks for bytea in the escape format, which makes the trigram index's blocks
    // up to four times their size on the way, and slow to write out and read; hex is half that.
    run(db, QStringLiteral("SET bytea_output = hex"));
    // A lookup's statements, prepared once: the server plans them once, not at each lookup.
    m_lookups = std::make_unique<Lookups>(db);
    auto& [same, lists, alike] = *m_lookups;
    for (QSqlQuery* q : {&same, &lists, &alike})
        q->setForwardOnly(true);
    same.prepare(QStringLiteral("SELECT %1 WHERE family = ? AND text_key = ? ORDER BY id DESC "
                                "LIMIT %2")
                     .arg(UnitColumns)
                     .arg(postings::CandidateCount));
    // By trigram as bytes, band and block, as a memory in a file reads them.
    lists.prepare(QStringLiteral("SELECT band, units FROM lexicant_postings WHERE family = ? AND "
                                 "trigram IN (SELECT json_array_elements_text(?::json)) AND band "
                                 "BETWEEN ? AND ? ORDER BY trigram COLLATE \"C\", band, first"));
    alike.prepare(QStringLiteral("SELECT %1 WHERE id = ANY(?::bigint[])").arg(UnitColumns));
    return {};
}

namespace {

// Units written by one statement, and looked for by another.
constexpr qsizetype BatchSize = 500;
// Trigram blocks written by one statement.
constexpr qsizetype BlocksPerStatement = 1000;
// Units added at once after which the server's statistics are brought up to date.
constexpr int AnalyzeAfter = 10000;
// Unit numbers an addition holds before it writes their blocks.
constexpr qsizetype PendingLimit = 4'000'000;

// Where a unit was made, and of what text: what makes it one unit.
using Place = std::tuple<QString, QString, QString, int, int, QString>;
Place placeOf(const MemoryUnit& unit)
{
    return {unit.sourceLanguage, unit.targetLanguage, unit.origin, unit.form, unit.row,
            unit.source};
}

// A unit's translation and when it was made.
struct Version {
    QString target;
    QDateTime changed;
};

// The units an addition added, by the trigram lists they belong in.
using Pending = QMap<std::tuple<QString, QString, int>, std::vector<qint64>>;

QString placeholders(qsizetype rows, const QString& row)
{
    QStringList all;
    all.reserve(rows);
    for (qsizetype i = 0; i < rows; ++i)
        all << row;
    return all.join(u',');
}

// Writes a batch: a unit already there (the server's, or earlier in the batch) is updated unless
// what is there is newer, any other is added, and counted as a memory that took them one by one
// would. The units added are noted for the trigram index. The server's error, if any.
QSqlError writeBatch(QSqlDatabase& db, const TextKeys& keys, QList<MemoryUnit> batch,
                     MemoryAddition& result, Pending& pending, qsizetype& pendingCount)
{
    // The units of these places the server has, locked until the transaction ends.
    QSqlQuery there(db);
    there.setForwardOnly(true);
    there.prepare(QStringLiteral("SELECT source_language, target_language, origin, form, "
                                 "\"row\", source, target, changed FROM lexicant_units WHERE "
                                 "(source_language, target_language, origin, form, \"row\", "
                                 "md5(source)) IN (VALUES %1) FOR UPDATE")
                      .arg(placeholders(batch.size(),
                                        QStringLiteral("(?::text, ?::text, ?::text, "
                                                       "?::integer, ?::integer, md5(?::text))"))));
    int n = 0;
    for (const MemoryUnit& unit : std::as_const(batch)) {
        for (const QVariant& value :
             {QVariant(unit.sourceLanguage), QVariant(unit.targetLanguage), QVariant(unit.origin),
              QVariant(unit.form), QVariant(unit.row), QVariant(unit.source)})
            there.bindValue(n++, value);
    }
    if (!there.exec())
        return there.lastError();
    QMap<Place, Version> known;
    while (there.next())
        known.insert({there.value(0).toString(), there.value(1).toString(),
                      there.value(2).toString(), there.value(3).toInt(), there.value(4).toInt(),
                      there.value(5).toString()},
                     {there.value(6).toString(), there.value(7).toDateTime().toUTC()});
    there.finish();
    // Each place once, as it is to be, in the order first met: the newest unit of the place,
    // unless the server's is newer still.
    QList<MemoryUnit> chosen;
    QMap<Place, qsizetype> at;
    for (MemoryUnit& unit : batch) {
        // To the second, as a memory in a file keeps it.
        unit.changed = QDateTime::fromSecsSinceEpoch(
            (unit.changed.isValid() ? unit.changed : QDateTime::currentDateTimeUtc())
                .toSecsSinceEpoch(),
            Qt::UTC);
        const Place place = placeOf(unit);
        const auto slot = at.constFind(place);
        const auto server = known.constFind(place);
        const Version now = slot != at.cend()
                                ? Version{chosen.at(*slot).target, chosen.at(*slot).changed}
                            : server != known.cend() ? *server
                                                     : Version{};
        if (!now.changed.isValid())
            ++result.added;
        else if (now.changed > unit.changed || now.target == unit.target)
            ++result.unchanged;
        else
            ++result.updated;
        if (now.changed.isValid() && now.changed > unit.changed)
            continue;
        if (slot != at.cend())
            chosen[*slot] = std::move(unit);
        else
            at.insert(place, chosen.size()), chosen.append(std::move(unit));
    }
    // Updated where the server has the place, else added: a unit another writer added meanwhile
    // is updated instead, unless theirs is newer.
    QList<MemoryUnit> updates, additions;
    for (MemoryUnit& unit : chosen)
        (known.contains(placeOf(unit)) ? updates : additions).append(std::move(unit));
    if (!updates.isEmpty()) {
        QSqlQuery update(db);
        update.prepare(
            QStringLiteral(
                "UPDATE lexicant_units SET target = v.target, changed = v.changed FROM "
                "(VALUES %1) AS v (source_language, target_language, origin, form, "
                "\"row\", source, target, changed) WHERE (lexicant_units.source_language, "
                "lexicant_units.target_language, lexicant_units.origin, "
                "lexicant_units.form, lexicant_units.\"row\", md5(lexicant_units.source)) "
                "= (v.source_language, v.target_language, v.origin, v.form, v.\"row\", "
                "md5(v.source)) AND lexicant_units.changed <= v.changed")
                .arg(
                    placeholders(updates.size(),
                                 QStringLiteral("(?::text, ?::text, ?::text, ?::integer, "
                                                "?::integer, ?::text, ?::text, ?::timestamptz)"))));
        n = 0;
        for (const MemoryUnit& unit : std::as_const(updates)) {
            for (const QVariant& value :
                 {QVariant(unit.sourceLanguage), QVariant(unit.targetLanguage),
                  QVariant(unit.origin), QVariant(unit.form), QVariant(unit.row),
                  QVariant(unit.source), QVariant(unit.target), QVariant(unit.changed)})
                update.bindValue(n++, value);
        }
        if (!update.exec())
            return update.lastError();
    }
    if (additions.isEmpty())
        return {};
    QSqlQuery insert(db);
    insert.setForwardOnly(true);
    insert.prepare(
        QStringLiteral("INSERT INTO lexicant_units (source_language, target_language, source_key, "
                       "target_key, family, source, target, origin, form, \"row\", changed, "
                       "text_key) VALUES %1 ON CONFLICT (source_language, target_language, "
                       "origin, form, \"row\", md5(source)) DO UPDATE SET target = "
                       "EXCLUDED.target, changed = EXCLUDED.changed WHERE lexicant_units.changed "
                       "<= EXCLUDED.changed RETURNING id, family, source, xmax = 0")
            .arg(placeholders(additions.size(),
                              QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))));
    n = 0;
    for (const MemoryUnit& unit : std::as_const(additions)) {
        const QString comparable = keys.comparable(unit.source);
        for (const QVariant& value :
             {QVariant(unit.sourceLanguage), QVariant(unit.targetLanguage),
              QVariant(languageKey(unit.sourceLanguage)),
              QVariant(languageKey(unit.targetLanguage)),
              QVariant(familyOf(unit.sourceLanguage, unit.targetLanguage)), QVariant(unit.source),
              QVariant(unit.target), QVariant(unit.origin), QVariant(unit.form), QVariant(unit.row),
              QVariant(unit.changed), QVariant(textKey(comparable))})
            insert.bindValue(n++, value);
    }
    if (!insert.exec())
        return insert.lastError();
    while (insert.next()) {
        if (!insert.value(3).toBool())
            continue; // added by another writer meanwhile: in the index already
        const QString comparable = keys.comparable(insert.value(2).toString());
        const QString family = insert.value(1).toString();
        const int band = bandOf(comparable.size());
        for (const QString& trigram : keys.trigrams(comparable)) {
            pending[{family, trigram, band}].push_back(insert.value(0).toLongLong());
            ++pendingCount;
        }
    }
    return {};
}

// Writes the units noted into the trigram index: each list's numbers ascending, at the end of
// its last block where that has room and ends before them, else in blocks of their own, each
// keyed by its first number. A block another writer holds is not waited for: one of its own is
// begun instead.
QSqlError writePostings(QSqlDatabase& db, Pending& pending)
{
    struct Block {
        const std::tuple<QString, QString, int>* key;
        qint64 first = 0, last = 0;
        int count = 0;
        QByteArray units;
    };
    std::vector<Block> blocks;
    const auto write = [&] {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO lexicant_postings (family, trigram, band, "
                                      "first, last, count, units) VALUES %1 ON CONFLICT (family, "
                                      "trigram, band, first) DO UPDATE SET last = EXCLUDED.last, "
                                      "count = EXCLUDED.count, units = EXCLUDED.units")
                           .arg(placeholders(qsizetype(blocks.size()),
                                             QStringLiteral("(?, ?, ?, ?, ?, ?, ?)"))));
        int n = 0;
        for (const Block& block : blocks) {
            const auto& [family, trigram, band] = *block.key;
            for (const QVariant& value :
                 {QVariant(family), QVariant(trigram), QVariant(band), QVariant(block.first),
                  QVariant(block.last), QVariant(block.count), QVariant(block.units)})
                insert.bindValue(n++, value);
        }
        blocks.clear();
        return n == 0 || insert.exec() ? QSqlError() : insert.lastError();
    };
    for (auto from = pending.begin(); from != pending.end();) {
        std::vector<decltype(from)> lists;
        for (; from != pending.end() && qsizetype(lists.size()) < BlocksPerStatement; ++from)
            lists.push_back(from);
        // The last block of each list this writer may add to.
        QSqlQuery last(db);
        last.setForwardOnly(true);
        last.prepare(QStringLiteral(
                         "SELECT k.n, p.first, p.last, p.count, p.units FROM (VALUES %1) AS k (n, "
                         "family, trigram, band) CROSS JOIN LATERAL (SELECT first, last, count, "
                         "units FROM lexicant_postings WHERE family = k.family AND trigram = "
                         "k.trigram AND band = k.band ORDER BY first DESC LIMIT 1 FOR UPDATE SKIP "
                         "LOCKED) AS p")
                         .arg(placeholders(qsizetype(lists.size()),
                                           QStringLiteral("(?::integer, ?::text, ?::text, "
                                                          "?::smallint)"))));
        int n = 0;
        for (std::size_t i = 0; i < lists.size(); ++i) {
            const auto& [family, trigram, band] = lists[i].key();
            for (const QVariant& value :
                 {QVariant(int(i)), QVariant(family), QVariant(trigram), QVariant(band)})
                last.bindValue(n++, value);
        }
        if (!last.exec())
            return last.lastError();
        std::vector<Block> open(lists.size());
        while (last.next())
            open[std::size_t(last.value(0).toInt())] = {
                nullptr, last.value(1).toLongLong(), last.value(2).toLongLong(),
                last.value(3).toInt(), last.value(4).toByteArray()};
        last.finish();
        for (std::size_t i = 0; i < lists.size(); ++i) {
            std::vector<qint64>& ids = *lists[i];
            std::ranges::sort(ids);
            Block block = std::move(open[i]);
            block.key = &lists[i].key();
            if (block.count == 0 || block.count >= postings::BlockSize || block.last >= ids.front())
                block = {block.key, ids.front(), 0, 0, {}};
            for (const qint64 id : ids) {
                if (block.count == postings::BlockSize) {
                    const auto* key = block.key;
                    blocks.push_back(std::move(block));
                    block = {key, id, 0, 0, {}};
                    if (qsizetype(blocks.size()) >= BlocksPerStatement)
                        if (const QSqlError error = write(); error.isValid())
                            return error;
                }
                appendNumber(block.units, quint64(id - block.last));
                block.last = id;
                ++block.count;
            }
            blocks.push_back(std::move(block));
        }
        if (const QSqlError error = write(); error.isValid())
            return error;
    }
    pending.clear();
    return {};
}

} // namespace

MemoryAddition PostgresMemoryStore::add(const QList<MemoryUnit>& units,
                                        const AdditionProgress& progress)
{
    if (!isOpen())
        return {QStringLiteral("no translation memory is open")};
    QSqlDatabase db = existing(m_connection);
    QSqlError error = run(db, QStringLiteral("BEGIN"));
    MemoryAddition result;
    Pending pending;
    qsizetype pendingCount = 0;
    for (qsizetype start = 0; start < units.size() && !error.isValid(); start += BatchSize) {
        error = writeBatch(db, m_keys, units.mid(start, BatchSize), result, pending, pendingCount);
        if (!error.isValid() && pendingCount >= PendingLimit) {
            error = writePostings(db, pending);
            pendingCount = 0;
        }
        if (progress && !error.isValid())
            progress(std::min(start + BatchSize, units.size()));
    }
    if (!error.isValid())
        error = writePostings(db, pending);
    if (!error.isValid())
        error = run(db, QStringLiteral("COMMIT"));
    if (error.isValid()) {
        run(db, QStringLiteral("ROLLBACK"));
        return {QStringLiteral("the translation memory on %1 cannot be added to: %2")
                    .arg(m_shown, reasonOf(error))};
    }
    // The planner learns of a large import now rather than when autovacuum comes by: until then
    // it plans lookups for the tables as they were, ten times slower at a million units.
    // (Only the tables' owner may; for others the server skips it.)
    if (result.added >= AnalyzeAfter)
        run(db, QStringLiteral("ANALYZE lexicant_units, lexicant_postings"));
    return result;
}

void PostgresMemoryStore::candidates(const QString& sourceLanguage, const QString& targetLanguage,
                                     const QString& comparable, int threshold,
                                     const std::function<bool(MemoryUnit&&)>& take) const
{
    if (!m_lookups)
        return;
    auto& [same, lists, alike] = *m_lookups;
    const QString family = familyOf(sourceLanguage, targetLanguage);
    // The same text first, by its key: among many alike units the trigrams might not reach it.
    exec(same, {family, textKey(comparable)});
    noteReadError(same);
    bool wanted = true;
    std::vector<qint64> given;
    while (wanted && same.next()) {
        given.push_back(same.value(8).toLongLong());
        wanted = take(unitFrom(same));
    }
    same.finish();
    // Only the same text, in any case, scores 99 or more.
    const QStringList trigrams = m_keys.trigrams(comparable);
    if (!wanted || threshold >= 99 || trigrams.isEmpty())
        return;
    const QString json = QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(trigrams)).toJson(QJsonDocument::Compact));
    const std::vector<qint64> ranked = m_tally.best(
        trigrams, comparable.size(), threshold, m_keys, given,
        [&](int first, int last, const auto& count) {
            exec(lists, {family, json, first, last});
            noteReadError(lists);
            while (lists.next() && count(lists.value(0).toInt(), lists.value(1).toByteArray())) {
            }
            lists.finish();
        });
    if (ranked.empty())
        return;
    QStringList ids;
    for (const qint64 id : ranked)
        ids << QString::number(id);
    exec(alike, {QStringLiteral("{%1}").arg(ids.join(u','))});
    noteReadError(alike);
    QHash<qint64, MemoryUnit> units;
    while (alike.next())
        units.insert(alike.value(8).toLongLong(), unitFrom(alike));
    alike.finish();
    for (const qint64 id : ranked) {
        if (const auto unit = units.find(id); unit != units.end() && !take(std::move(*unit)))
            break;
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

QString PostgresMemoryStore::addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                                      const QList<GlossaryTerm>& terms)
{
    if (!isOpen())
        return QStringLiteral("no translation memory is open");
    QSqlDatabase db = existing(m_connection);
    QSqlError error = run(db, QStringLiteral("BEGIN"));
    QSqlQuery write(db);
    // The server's reason a statement cannot be prepared (a table missing) is its error.
    const bool prepared = write.prepare(QStringLiteral(
        "INSERT INTO lexicant_terms (family, source_key, source, target, do_not_translate, note, "
        "part_of_speech) VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT (family, source_key) DO UPDATE "
        "SET source = EXCLUDED.source, target = EXCLUDED.target, do_not_translate = "
        "EXCLUDED.do_not_translate, note = EXCLUDED.note, part_of_speech = "
        "EXCLUDED.part_of_speech"));
    if (!prepared && !error.isValid())
        error = write.lastError();
    const QString family = familyOf(sourceLanguage, targetLanguage);
    for (qsizetype i = 0; i < terms.size() && !error.isValid(); ++i) {
        const GlossaryTerm& term = terms.at(i);
        if (!exec(write, {family, term.source.toLower(), term.source, stored(term.target),
                          term.doNotTranslate, stored(term.note), stored(term.partOfSpeech)}))
            error = write.lastError();
    }
    if (!error.isValid())
        error = run(db, QStringLiteral("COMMIT"));
    if (error.isValid()) {
        run(db, QStringLiteral("ROLLBACK"));
        return QStringLiteral("the glossary on %1 cannot be added to: %2")
            .arg(m_shown, reasonOf(error));
    }
    return {};
}

QList<GlossaryTerm> PostgresMemoryStore::terms(const QString& sourceLanguage,
                                               const QString& targetLanguage) const
{
    QList<GlossaryTerm> found;
    QSqlQuery q(existing(m_connection));
    q.setForwardOnly(true);
    if (q.prepare(QStringLiteral("SELECT source, target, do_not_translate, note, part_of_speech "
                                 "FROM lexicant_terms WHERE family = ? ORDER BY source_key")))
        exec(q, {familyOf(sourceLanguage, targetLanguage)});
    while (q.next())
        found.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toBool(),
                      q.value(3).toString(), q.value(4).toString()});
    noteReadError(q);
    return found;
}

QList<UnitCount> PostgresMemoryStore::counts() const
{
    QList<UnitCount> counts;
    QSqlQuery q(existing(m_connection));
    q.setForwardOnly(true);
    q.exec(QStringLiteral("SELECT source_language, target_language, origin, count(*) FROM "
                          "lexicant_units GROUP BY source_language, target_language, origin "
                          "ORDER BY source_language, target_language, origin"));
    while (q.next())
        counts.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                       q.value(3).toLongLong()});
    noteReadError(q);
    return counts;
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
