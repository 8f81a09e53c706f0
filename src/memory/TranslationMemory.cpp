#include "TranslationMemory.h"

#include "Matching.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace {

constexpr int SchemaVersion = 1;

QString schemaProblem(QSqlDatabase& db)
{
    QSqlQuery query(db);
    // Several windows and scripts share one memory: wait for each other's writes.
    query.exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return query.lastError().text();
    const int version = query.value(0).toInt();
    if (version == SchemaVersion)
        return {};
    if (version != 0)
        return QStringLiteral("its version is %1, not %2").arg(version).arg(SchemaVersion);
    const char* const statements[] = {
        "CREATE TABLE units (id INTEGER PRIMARY KEY, source_language TEXT NOT NULL, "
        "target_language TEXT NOT NULL, source TEXT NOT NULL, target TEXT NOT NULL, "
        "comparable TEXT NOT NULL, origin TEXT NOT NULL, form INTEGER NOT NULL, "
        "row INTEGER NOT NULL, changed TEXT NOT NULL, "
        "UNIQUE (source_language, target_language, origin, form, row, source))",
        "CREATE INDEX units_by_text ON units (source_language, target_language, comparable)",
        "CREATE TABLE trigrams (trigram TEXT NOT NULL, unit INTEGER NOT NULL, "
        "PRIMARY KEY (trigram, unit)) WITHOUT ROWID",
        // How many units hold each trigram: a lookup goes by the rarest ones only.
        "CREATE TABLE trigram_counts (trigram TEXT PRIMARY KEY, units INTEGER NOT NULL) "
        "WITHOUT ROWID",
        "PRAGMA user_version = 1"};
    if (!db.transaction())
        return db.lastError().text();
    for (const char* statement : statements) {
        if (!query.exec(QLatin1String(statement))) {
            const QString problem = query.lastError().text();
            db.rollback();
            return problem;
        }
    }
    return db.commit() ? QString() : db.lastError().text();
}

} // namespace

QString TranslationMemory::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lexicant/memory.sqlite");
}

TranslationMemory::TranslationMemory()
    : m_connection(QUuid::createUuid().toString())
{
}

TranslationMemory::~TranslationMemory()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool TranslationMemory::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection).isOpen();
}

QString TranslationMemory::open(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("the folder %1 cannot be made").arg(QFileInfo(path).absolutePath());
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!db.isValid())
        return QStringLiteral("Qt's SQLite driver is not installed");
    db.close();
    db.setDatabaseName(path);
    if (!db.open())
        return db.lastError().text();
    QString problem = schemaProblem(db);
    if (problem.isEmpty())
        return {};
    // Not a memory this program can use: set it aside and start a new one.
    db.close();
    const QString aside = path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (!QFile::rename(path, aside))
        return QStringLiteral("%1 is no translation memory (%2) and cannot be moved aside")
            .arg(path, problem);
    if (!db.open() || !schemaProblem(db).isEmpty())
        return db.lastError().text();
    return QStringLiteral("%1 was no translation memory (%2); it was moved to %3 and a new one "
                          "made")
        .arg(path, problem, aside);
}

QString TranslationMemory::add(const QList<MemoryUnit>& units)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    if (!db.transaction())
        return db.lastError().text();
    QSqlQuery upsert(db), trigram(db), count(db);
    upsert.prepare(QStringLiteral(
        "INSERT INTO units (source_language, target_language, source, target, comparable, "
        "origin, form, row, changed) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (source_language, target_language, origin, form, row, source) DO UPDATE "
        "SET target = excluded.target, changed = excluded.changed RETURNING id"));
    trigram.prepare(QStringLiteral("INSERT OR IGNORE INTO trigrams (trigram, unit) VALUES (?, ?)"));
    count.prepare(QStringLiteral("INSERT INTO trigram_counts (trigram, units) VALUES (?, 1) "
                                 "ON CONFLICT (trigram) DO UPDATE SET units = units + 1"));
    for (const MemoryUnit& unit : units) {
        const QString comparable = comparableText(unit.source);
        const QDateTime changed =
            unit.changed.isValid() ? unit.changed : QDateTime::currentDateTimeUtc();
        for (const QVariant& value :
             {QVariant(unit.sourceLanguage), QVariant(unit.targetLanguage), QVariant(unit.source),
              QVariant(unit.target), QVariant(comparable), QVariant(unit.origin),
              QVariant(unit.form), QVariant(unit.row),
              QVariant(changed.toUTC().toString(Qt::ISODate))})
            upsert.addBindValue(value);
        if (!upsert.exec() || !upsert.next()) {
            const QString problem = upsert.lastError().text();
            db.rollback();
            return problem;
        }
        const qlonglong id = upsert.value(0).toLongLong();
        upsert.finish();
        for (const QString& t : trigramsOf(comparable)) {
            trigram.addBindValue(t);
            trigram.addBindValue(id);
            bool done = trigram.exec();
            if (done && trigram.numRowsAffected() == 1) { // a unit's first use of the trigram
                count.addBindValue(t);
                done = count.exec();
            }
            if (!done) {
                const QString problem =
                    (trigram.lastError().isValid() ? trigram : count).lastError().text();
                db.rollback();
                return problem;
            }
        }
    }
    return db.commit() ? QString() : db.lastError().text();
}

namespace {

MemoryUnit unitFrom(const QSqlQuery& q)
{
    return {q.value(0).toString(), q.value(1).toString(),
            q.value(2).toString(), q.value(3).toString(),
            q.value(4).toString(), q.value(5).toInt(),
            q.value(6).toInt(),    QDateTime::fromString(q.value(7).toString(), Qt::ISODate)};
}

const QString UnitColumns =
    QStringLiteral("source_language, target_language, source, target, origin, form, row, changed");

} // namespace

QList<Suggestion> TranslationMemory::suggest(const QString& sourceLanguage,
                                             const QString& targetLanguage, const QString& text,
                                             int max, int threshold) const
{
    QList<Suggestion> found;
    if (!isOpen() || text.isEmpty())
        return found;
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    const QStringList all = trigramsOf(comparableText(text));
    // The rarest trigrams of the text select the candidates: a trigram every unit holds selects
    // nothing, and the index lookups stay few whatever the memory's size.
    QSqlQuery rare(db);
    rare.prepare(QStringLiteral("SELECT trigram FROM trigram_counts WHERE trigram IN (%1) "
                                "ORDER BY units LIMIT 6")
                     .arg(QStringList(all.size(), QStringLiteral("?")).join(u',')));
    for (const QString& t : all)
        rare.addBindValue(t);
    QStringList trigrams;
    if (rare.exec()) {
        while (rare.next())
            trigrams << rare.value(0).toString();
    }
    if (trigrams.isEmpty())
        return found;
    // The units sharing the most of them with the text, of this language pair.
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT %1 FROM units JOIN (SELECT unit, COUNT(*) AS shared FROM "
                             "trigrams WHERE trigram IN (%2) GROUP BY unit ORDER BY shared DESC "
                             "LIMIT 200) ON units.id = unit WHERE source_language = ? AND "
                             "target_language = ?")
                  .arg(UnitColumns, QStringList(trigrams.size(), QStringLiteral("?")).join(u',')));
    for (const QString& t : trigrams)
        q.addBindValue(t);
    q.addBindValue(sourceLanguage);
    q.addBindValue(targetLanguage);
    if (!q.exec())
        return found;
    while (q.next()) {
        MemoryUnit unit = unitFrom(q);
        const int score = matchScore(text, unit.source);
        unit.target = fittedTranslation(unit.source, unit.target, text);
        if (score >= threshold)
            found.append({score, unit});
    }
    // Best first; of equals, the latest translation.
    std::ranges::sort(found, [](const Suggestion& a, const Suggestion& b) {
        return a.score != b.score ? a.score > b.score : a.unit.changed > b.unit.changed;
    });
    // One suggestion per translation.
    QList<Suggestion> distinct;
    for (const Suggestion& s : found) {
        if (distinct.size() < max &&
            std::none_of(distinct.begin(), distinct.end(),
                         [&](const Suggestion& d) { return d.unit.target == s.unit.target; }))
            distinct.append(s);
    }
    return distinct;
}

QHash<std::pair<int, int>, QString> TranslationMemory::sourcesOf(const QString& sourceLanguage,
                                                                 const QString& targetLanguage,
                                                                 const QString& origin) const
{
    QHash<std::pair<int, int>, QString> sources;
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.prepare(QStringLiteral("SELECT form, row, source FROM units WHERE source_language = ? AND "
                             "target_language = ? AND origin = ? ORDER BY changed, id"));
    q.addBindValue(sourceLanguage);
    q.addBindValue(targetLanguage);
    q.addBindValue(origin);
    if (q.exec()) {
        while (q.next()) // later units overwrite earlier ones
            sources.insert({q.value(0).toInt(), q.value(1).toInt()}, q.value(2).toString());
    }
    return sources;
}

QList<MemoryUnit> TranslationMemory::units() const
{
    QList<MemoryUnit> all;
    QSqlQuery q(QSqlDatabase::database(m_connection));
    if (q.exec(QStringLiteral("SELECT %1 FROM units ORDER BY id").arg(UnitColumns))) {
        while (q.next())
            all.append(unitFrom(q));
    }
    return all;
}
