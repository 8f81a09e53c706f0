// The SQLite store as a module a program loads when it first opens a memory (MemoryStoreMaker):
// only then are Qt SQL and its SQLite driver loaded.
#include "SqliteMemoryStore.h"

extern "C" Q_DECL_EXPORT MemoryStore* lexicantMemoryStore(int busyTimeoutMs, const TextKeys* keys)
{
    return new SqliteMemoryStore(busyTimeoutMs, *keys);
}
