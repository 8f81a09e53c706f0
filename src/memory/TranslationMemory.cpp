#include "TranslationMemory.h"

#include "BoundedStore.h"
#include "Matching.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

MemoryStoreMaker linkedStore = nullptr, linkedServerStore = nullptr;

constexpr char ModuleEntry[] = "lexicantMemoryStore";

struct StoreModule {
    MemoryStoreMaker make = nullptr;
    QString problem;
};

// A store's module, loaded the first time a memory of its kind is opened: installed in the
// program's library folder (LEXICANT_MODULE_FOLDER, relative to the program), or beside the
// program in a build. It stays loaded.
StoreModule loadModule(const QString& name)
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList folders = {
        QDir::cleanPath(program.filePath(QStringLiteral(LEXICANT_MODULE_FOLDER))), program.path()};
    StoreModule module;
    for (const QString& folder : folders) {
        QLibrary library(folder + u'/' + name);
        if (!QFileInfo::exists(library.fileName()))
            continue;
        if (library.load())
            module.make = reinterpret_cast<MemoryStoreMaker>(library.resolve(ModuleEntry));
        if (!module.make)
            module.problem = QStringLiteral("the translation memory's module %1 cannot be "
                                            "loaded: %2")
                                 .arg(library.fileName(), library.errorString());
        return module;
    }
    module.problem = QStringLiteral("the translation memory's module %1 is not installed: it "
                                    "is in neither %2 nor %3")
                         .arg(name, folders.at(0), folders.at(1));
    return module;
}

const StoreModule& storeModule(bool server)
{
    static const StoreModule file = loadModule(QStringLiteral(LEXICANT_SQLITE_MODULE));
    static const StoreModule onServer = loadModule(QStringLiteral(LEXICANT_POSTGRES_MODULE));
    return server ? onServer : file;
}

const TextKeys Keys = {&comparableText, &trigramsOf, &highestScore};

// Character comparisons one lookup may make: 200 texts of 300 characters against one as long,
// or a few of the longest.
constexpr qint64 ScoringBudget = 200LL * 300 * 300;

const QString NotOpen = QStringLiteral("no translation memory is open");

} // namespace

void setLinkedMemoryStore(MemoryStoreMaker maker)
{
    linkedStore = maker;
}

void setLinkedServerStore(MemoryStoreMaker maker)
{
    linkedServerStore = maker;
}

QString TranslationMemory::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lexicant/memory.sqlite");
}

TranslationMemory::TranslationMemory(int busyTimeoutMs)
    : m_busyTimeout(busyTimeoutMs)
{
}

TranslationMemory::~TranslationMemory() = default;

QString TranslationMemory::useStoreFor(const QString& where)
{
    // A file's store, or a server's: made again when the memory moves from one to the other.
    const bool server = isServerAddress(where);
    if (m_store && server == m_onServer)
        return {};
    m_store.reset();
    MemoryStoreMaker make = server ? linkedServerStore : linkedStore;
    if (!make) {
        const StoreModule& module = storeModule(server);
        if (!module.problem.isEmpty())
            return module.problem;
        make = module.make;
    }
    m_store.reset(make(m_busyTimeout, &Keys));
    if (server && m_serverWait.count() > 0)
        m_store = std::make_unique<BoundedStore>(std::move(m_store), m_serverWait);
    m_onServer = server;
    return {};
}

MemoryOpening TranslationMemory::open(const QString& path, MemoryCreation creation)
{
    if (const QString problem = useStoreFor(path); !problem.isEmpty())
        return {problem, {}};
    return m_store->open(path, creation);
}

QStringList TranslationMemory::schema(const QString& where, QString& problem)
{
    problem = useStoreFor(where);
    return problem.isEmpty() ? m_store->schema() : QStringList();
}

bool TranslationMemory::isOpen() const
{
    return m_store && m_store->isOpen();
}

QString TranslationMemory::readError() const
{
    return m_store ? m_store->readError() : QString();
}

MemoryAddition TranslationMemory::add(const QList<MemoryUnit>& units,
                                      const AdditionProgress& progress)
{
    if (!isOpen())
        return {whyClosed()};
    MemoryAddition left;
    QList<MemoryUnit> kept;
    kept.reserve(units.size());
    for (const MemoryUnit& unit : units) {
        if (unit.source.isEmpty() || unit.target.isEmpty())
            ++left.empty;
        else if (unit.source.size() > MaxUnitLength || unit.target.size() > MaxUnitLength)
            ++left.tooLong;
        else
            kept.append(unit);
    }
    MemoryAddition result = m_store->add(kept, progress);
    if (!result.error.isEmpty())
        return {result.error};
    result.empty = left.empty;
    result.tooLong = left.tooLong;
    return result;
}

QList<Suggestion> TranslationMemory::suggest(const QString& sourceLanguage,
                                             const QString& targetLanguage, const QString& text,
                                             int max, int threshold) const
{
    QList<Suggestion> found;
    if (text.size() > MaxUnitLength || !isOpen())
        return found;
    // Scoring compares every character with every other: the candidates are scored while the
    // work stays within a bound, and one whose length alone keeps it under the threshold is not.
    const QString comparable = comparableText(text);
    const qsizetype length = comparable.size();
    qint64 work = 0;
    m_store->candidates(
        sourceLanguage, targetLanguage, comparable, threshold, [&](MemoryUnit&& unit) {
            const QString candidate = comparableText(unit.source);
            const qsizetype other = candidate.size();
            if (other > MaxUnitLength || highestScore(length, other) < threshold)
                return true;
            work += qint64(length) * other;
            if (const int score = comparableScore(comparable, candidate); score >= threshold) {
                unit.target = fittedTranslation(unit.source, unit.target, text);
                found.append({score, std::move(unit)});
            }
            return work < ScoringBudget;
        });
    // Best first; of equals, one in the languages asked for before one in their relatives, then
    // the latest translation, then the source nearest the text as written (case, access keys),
    // then by their texts: the same order whichever store found them.
    const QString sourceKey = languageKey(sourceLanguage), targetKey = languageKey(targetLanguage);
    struct Rank {
        bool relative;
        int distance;
        qsizetype at; // in `found`
    };
    std::vector<Rank> order;
    for (qsizetype i = 0; i < found.size(); ++i) {
        const MemoryUnit& unit = found.at(i).unit;
        order.push_back({languageKey(unit.sourceLanguage) != sourceKey ||
                             languageKey(unit.targetLanguage) != targetKey,
                         characterDistance(text, unit.source), i});
    }
    std::ranges::sort(order, [&](const Rank& a, const Rank& b) {
        const MemoryUnit &x = found.at(a.at).unit, &y = found.at(b.at).unit;
        const int scoreA = found.at(a.at).score, scoreB = found.at(b.at).score;
        return std::tie(scoreB, a.relative, y.changed, a.distance, x.source, x.target) <
               std::tie(scoreA, b.relative, x.changed, b.distance, y.source, y.target);
    });
    // One suggestion per translation.
    QList<Suggestion> distinct;
    for (const Rank& rank : order) {
        const Suggestion& s = found.at(rank.at);
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
    if (!isOpen())
        return sources;
    // Later units overwrite earlier ones.
    for (const MemoryUnit& unit : m_store->unitsOf(sourceLanguage, targetLanguage, origin))
        sources.insert({unit.form, unit.row}, unit.source);
    return sources;
}

MemoryAddition TranslationMemory::copyHistory(const QString& sourceLanguage,
                                              const QString& targetLanguage,
                                              const QString& fromOrigin, const QString& toOrigin)
{
    if (!isOpen())
        return {whyClosed()};
    QList<MemoryUnit> copied = m_store->unitsOf(sourceLanguage, targetLanguage, fromOrigin);
    for (MemoryUnit& unit : copied)
        unit.origin = toOrigin;
    return add(copied);
}

QList<MemoryUnit> TranslationMemory::units() const
{
    return isOpen() ? m_store->units() : QList<MemoryUnit>();
}

QString TranslationMemory::whyClosed() const
{
    // A server that stopped answering says so.
    return readError().isEmpty() ? NotOpen : readError();
}

QList<UnitCount> TranslationMemory::counts() const
{
    return isOpen() ? m_store->counts() : QList<UnitCount>();
}

QString TranslationMemory::addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                                    const QList<GlossaryTerm>& terms)
{
    if (!isOpen())
        return whyClosed();
    return m_store->addTerms(sourceLanguage, targetLanguage, terms);
}

QList<GlossaryTerm> TranslationMemory::terms(const QString& sourceLanguage,
                                             const QString& targetLanguage) const
{
    return isOpen() ? m_store->terms(sourceLanguage, targetLanguage) : QList<GlossaryTerm>();
}

QString TranslationMemory::outboxPath(const QString& server)
{
    // One file per server, however its address names the password.
    const QByteArray name =
        QCryptographicHash::hash(serverAddressShown(server).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(20);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lexicant/outbox/%1.sqlite").arg(QString::fromLatin1(name));
}

MemoryAddition TranslationMemory::pushOutbox(const QString& server)
{
    const QString path = outboxPath(server);
    if (!isOpen())
        return {whyClosed()};
    if (!QFileInfo::exists(path))
        return {};
    QList<MemoryUnit> units;
    {
        TranslationMemory outbox(m_busyTimeout);
        if (const MemoryOpening opened = outbox.open(path, MemoryCreation::MustExist);
            !opened.error.isEmpty())
            return {opened.error};
        units = outbox.units();
        if (!outbox.readError().isEmpty())
            return {outbox.readError()};
    }
    const MemoryAddition added = add(units);
    // Gone only once the server has every unit: a unit handed on twice is unchanged there.
    if (added.error.isEmpty())
        for (const QString& file : {path, path + QStringLiteral("-wal"),
                                    path + QStringLiteral("-shm"), path + QStringLiteral(".lock")})
            QFile::remove(file);
    return added;
}
