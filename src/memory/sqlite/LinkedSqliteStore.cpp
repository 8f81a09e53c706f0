// Linked into a program, the SQLite store is the one its memories use, and no module is loaded.
#include "SqliteMemoryStore.h"

namespace {

MemoryStore* makeSqliteStore(int busyTimeoutMs, const TextKeys* keys)
{
    return new SqliteMemoryStore(busyTimeoutMs, *keys);
}

const bool linked = (setLinkedMemoryStore(&makeSqliteStore), true);

} // namespace
