// Any bytes load or are refused without a crash, a hang, undefined behaviour or an allocation
// sized by the input's counts; a file that loads saves and loads back to the same tables.
#include "RoundTrip.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!roundTripHolds(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        std::abort();
    return 0;
}
