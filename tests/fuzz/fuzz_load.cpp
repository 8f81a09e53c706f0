// Bytes in, tables out: any input must load or be refused without a crash, a hang, undefined
// behaviour or an allocation sized by the input's counts.
#include "LanguageFormat.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const lsf::ParsedFile parsed = lsf::parseFile(bytes);
    if (parsed.status == lsf::ParseStatus::Ok) {
        LanguageDocument document;
        lsf::applyFields(parsed, document);
    }
    return 0;
}
