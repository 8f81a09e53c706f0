#pragma once

#include "LanguageFormat.h"

// What must hold for any bytes: they load or are refused, and a file that loads saves and loads
// back to the same tables. The one refusal allowed on saving is a table that packs to more than
// the format holds (a loaded field may lack terminators that the save then adds); a character
// the code page cannot hold would be a fault of the loader. Returns false when it does not hold.
inline bool roundTripHolds(const QByteArray& bytes)
{
    const lsf::ParsedFile parsed = lsf::parseFile(bytes);
    if (parsed.status != lsf::ParseStatus::Ok)
        return true;
    LanguageDocument loaded;
    lsf::applyFields(parsed, loaded);

    const lsf::PackedFile saved = lsf::packFile(loaded);
    if (saved.refusal)
        return saved.refusal->kind == lsf::SaveRefusal::Kind::TooLarge;
    const lsf::ParsedFile reparsed = lsf::parseFile(saved.bytes);
    if (reparsed.status != lsf::ParseStatus::Ok || reparsed.recordCount != 1)
        return false;
    LanguageDocument reloaded;
    lsf::applyFields(reparsed, reloaded);
    return reloaded.sameTables(loaded) && lsf::packFile(reloaded).bytes == saved.bytes;
}
