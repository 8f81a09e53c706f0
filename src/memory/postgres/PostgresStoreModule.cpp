// The PostgreSQL store as a module a program loads when it first opens a memory on a server:
// only then are Qt SQL and its PostgreSQL driver loaded.
#include "PostgresMemoryStore.h"

extern "C" Q_DECL_EXPORT MemoryStore* lexicantMemoryStore(int, const TextKeys* keys)
{
    return new PostgresMemoryStore(*keys);
}
