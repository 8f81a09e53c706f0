// Linked into a program, the PostgreSQL store is the one its memories on a server use, and no
// module is loaded.
#include "PostgresMemoryStore.h"

namespace {

MemoryStore* makePostgresStore(int, const TextKeys* keys)
{
    return new PostgresMemoryStore(*keys);
}

const bool linked = (setLinkedServerStore(&makePostgresStore), true);

} // namespace
