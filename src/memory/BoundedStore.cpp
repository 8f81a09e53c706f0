#include "BoundedStore.h"

#include <condition_variable>
#include <mutex>
#include <thread>

struct BoundedStore::Worker {
    std::unique_ptr<MemoryStore> store;
    std::mutex mutex;
    std::condition_variable wake, done;
    std::function<void()> task; // the call waiting to be made
    bool busy = false, quit = false;
    std::thread thread;

    // Makes the calls handed to it, one at a time, until told to quit; the store goes with the
    // thread, which made its connection.
    static void serve(std::shared_ptr<Worker> worker)
    {
        std::unique_lock lock(worker->mutex);
        for (;;) {
            worker->wake.wait(lock, [&] { return worker->task || worker->quit; });
            if (!worker->task)
                break;
            std::function<void()> task = std::exchange(worker->task, nullptr);
            lock.unlock();
            task();
            lock.lock();
            worker->busy = false;
            worker->done.notify_all();
        }
        lock.unlock();
        worker->store.reset();
    }
};

BoundedStore::BoundedStore(std::unique_ptr<MemoryStore> store, std::chrono::milliseconds wait)
    : m_worker(std::make_shared<Worker>())
    , m_wait(wait)
{
    m_worker->store = std::move(store);
    m_worker->thread = std::thread(&Worker::serve, m_worker);
}

BoundedStore::~BoundedStore()
{
    {
        const std::lock_guard lock(m_worker->mutex);
        m_worker->quit = true;
    }
    m_worker->wake.notify_all();
    // A thread still in a call that did not return in time is left to end by itself.
    if (m_silence.isEmpty())
        m_worker->thread.join();
    else
        m_worker->thread.detach();
}

template <typename Result>
std::optional<Result> BoundedStore::call(std::function<Result(MemoryStore&)> task) const
{
    if (!m_silence.isEmpty())
        return std::nullopt;
    // Whatever the call needs is in it, and what it gives is kept here, both as long as the
    // thread needs them: a call that did not return in time may still do so later.
    auto result = std::make_shared<std::optional<Result>>();
    std::unique_lock lock(m_worker->mutex);
    m_worker->task = [worker = m_worker.get(), result, task = std::move(task)] {
        *result = task(*worker->store);
    };
    m_worker->busy = true;
    m_worker->wake.notify_all();
    if (!m_worker->done.wait_for(lock, m_wait, [&] { return !m_worker->busy; })) {
        m_silence = QStringLiteral("the translation memory on %1 did not answer within %2 seconds")
                        .arg(m_where, QString::number(double(m_wait.count()) / 1000.0));
        return std::nullopt;
    }
    return std::move(*result);
}

MemoryOpening BoundedStore::open(const QString& where, MemoryCreation creation)
{
    if (m_silence.isEmpty())
        m_where = isServerAddress(where) ? serverAddressShown(where) : where;
    const auto opened = call<MemoryOpening>(
        [where, creation](MemoryStore& store) { return store.open(where, creation); });
    m_open = opened && opened->error.isEmpty();
    return opened.value_or(MemoryOpening{m_silence, {}});
}

bool BoundedStore::isOpen() const
{
    // As the last open left it, without asking the thread: asked before most calls. A connection
    // lost since shows in readError.
    return m_open && m_silence.isEmpty();
}

QString BoundedStore::readError() const
{
    return call<QString>([](MemoryStore& store) { return store.readError(); }).value_or(m_silence);
}

MemoryAddition BoundedStore::add(const QList<MemoryUnit>& units, const AdditionProgress&)
{
    // How far it is is not said: the one waiting for it may have stopped waiting.
    return call<MemoryAddition>([units](MemoryStore& store) { return store.add(units, {}); })
        .value_or(MemoryAddition{m_silence});
}

void BoundedStore::candidates(const QString& sourceLanguage, const QString& targetLanguage,
                              const QString& comparable, int threshold,
                              const std::function<bool(MemoryUnit&&)>& take) const
{
    // All of them, handed on here: the one that takes them lives on this thread.
    const auto found = call<QList<MemoryUnit>>([=](MemoryStore& store) {
        QList<MemoryUnit> all;
        store.candidates(sourceLanguage, targetLanguage, comparable, threshold,
                         [&](MemoryUnit&& unit) {
                             all.append(std::move(unit));
                             return true;
                         });
        return all;
    });
    for (MemoryUnit unit : found.value_or(QList<MemoryUnit>())) {
        if (!take(std::move(unit)))
            break;
    }
}

QList<MemoryUnit> BoundedStore::units() const
{
    return call<QList<MemoryUnit>>([](MemoryStore& store) { return store.units(); })
        .value_or(QList<MemoryUnit>());
}

QList<UnitCount> BoundedStore::counts() const
{
    return call<QList<UnitCount>>([](MemoryStore& store) { return store.counts(); })
        .value_or(QList<UnitCount>());
}

QString BoundedStore::addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                               const QList<GlossaryTerm>& terms)
{
    return call<QString>([=](MemoryStore& store) {
               return store.addTerms(sourceLanguage, targetLanguage, terms);
           })
        .value_or(m_silence);
}

QList<GlossaryTerm> BoundedStore::terms(const QString& sourceLanguage,
                                        const QString& targetLanguage) const
{
    return call<QList<GlossaryTerm>>(
               [=](MemoryStore& store) { return store.terms(sourceLanguage, targetLanguage); })
        .value_or(QList<GlossaryTerm>());
}

QStringList BoundedStore::schema() const
{
    return call<QStringList>([](MemoryStore& store) { return store.schema(); })
        .value_or(QStringList());
}

QList<MemoryUnit> BoundedStore::unitsOf(const QString& sourceLanguage,
                                        const QString& targetLanguage, const QString& origin) const
{
    return call<QList<MemoryUnit>>([=](MemoryStore& store) {
               return store.unitsOf(sourceLanguage, targetLanguage, origin);
           })
        .value_or(QList<MemoryUnit>());
}
