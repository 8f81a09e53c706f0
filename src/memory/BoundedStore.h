#pragma once

#include "MemoryStore.h"

#include <chrono>
#include <memory>
#include <optional>

// A store each call of which is made on a thread of its own and waited for at most a while, so
// that a window is never held longer than that by a server that stops answering (a network that
// drops without a word, a server that hangs). A call that takes longer leaves the store closed,
// its reason said by readError and by every later call; its thread ends when the call returns,
// whenever that is, and takes the store with it.
class BoundedStore final : public MemoryStore {
public:
    BoundedStore(std::unique_ptr<MemoryStore> store, std::chrono::milliseconds wait);
    ~BoundedStore() override;
    BoundedStore(const BoundedStore&) = delete;
    BoundedStore& operator=(const BoundedStore&) = delete;

    MemoryOpening open(const QString& where, MemoryCreation creation) override;
    bool isOpen() const override;
    QString readError() const override;
    MemoryAddition add(const QList<MemoryUnit>& units, const AdditionProgress& progress) override;
    void candidates(const QString& sourceLanguage, const QString& targetLanguage,
                    const QString& comparable, int threshold,
                    const std::function<bool(MemoryUnit&&)>& take) const override;
    QList<MemoryUnit> units() const override;
    QList<UnitCount> counts() const override;
    QString addTerms(const QString& sourceLanguage, const QString& targetLanguage,
                     const QList<GlossaryTerm>& terms) override;
    QList<GlossaryTerm> terms(const QString& sourceLanguage,
                              const QString& targetLanguage) const override;
    QStringList schema() const override;
    QList<MemoryUnit> unitsOf(const QString& sourceLanguage, const QString& targetLanguage,
                              const QString& origin) const override;

private:
    struct Worker;
    // The call's result, or none when it did not return in time (or the store no longer
    // answers).
    template <typename Result>
    std::optional<Result> call(std::function<Result(MemoryStore&)> task) const;

    std::shared_ptr<Worker> m_worker;
    std::chrono::milliseconds m_wait;
    QString m_where;
    bool m_open = false;
    mutable QString m_silence; // why the store no longer answers
};
