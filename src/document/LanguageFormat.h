#pragma once

#include "LanguageDocument.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// The .lsf layout: a signed 32-bit little-endian record count, then records of 26 fields, each
// an unsigned 16-bit little-endian length and that many Windows-1252 bytes. A field is a packed
// table: every entry followed by the row terminator.
namespace lsf {

inline constexpr char16_t RowTerminator = u'\u00BE'; // "¾", byte 0xBE
inline constexpr qsizetype MaxFieldBytes = 65535;
inline constexpr qsizetype CountBytes = 4;
inline constexpr qsizetype LengthBytes = 2;
// The most bytes the count and a first record can take; nothing beyond is ever read.
inline constexpr qsizetype MaxUsefulFileBytes =
    CountBytes + LanguageDocument::TableCount * (LengthBytes + MaxFieldBytes);

// Every entry of the table in index order, each followed by the terminator.
QString packTable(const LanguageTable& table);

// Splits a field's bytes at every terminator and writes the decoded pieces over the table's
// entries from its first index on. Bytes after the last terminator belong to no entry; pieces
// beyond the table's last index are dropped; entries the field does not reach keep their value.
void unpackField(QByteArrayView field, LanguageTable& table);

// Windows-1252 both ways. Every byte decodes to a character; encoding reports the first
// character that has no byte.
QString decode1252(QByteArrayView bytes);
struct Encoded {
    QByteArray bytes;
    qsizetype badPosition = -1; // index in the text of the first character with no byte
    bool ok() const { return badPosition < 0; }
};
Encoded encode1252(const QString& text);

// The whole character (a surrogate pair taken together) at a position of the text, and how a
// message names it: "✓" (U+2713).
char32_t characterAt(const QString& text, qsizetype position);
QString characterName(char32_t character);

// Reading the bytes of a file.
enum class ParseStatus {
    Ok,
    NoCount,   // shorter than the record count
    NoRecord,  // record count 0 or less
    Truncated, // ends inside the first record
};

struct ParsedFile {
    ParseStatus status = ParseStatus::NoCount;
    qint32 recordCount = 0;
    QByteArray data; // the bytes read
    struct Span {
        qsizetype offset = 0;
        qsizetype length = 0;
    };
    std::array<Span, LanguageDocument::TableCount> spans{}; // valid when status is Ok

    // The bytes of field 0 to 25 of the first record.
    QByteArrayView field(int number) const
    {
        const Span& span = spans[std::size_t(number)];
        return QByteArrayView(data).sliced(span.offset, span.length);
    }
};

// Reads the count and the first record from the bytes, trusting no length beyond what the
// bytes hold. Further records are not looked at.
ParsedFile parseFile(const QByteArray& bytes);

// Unpacks the 26 fields of the first record into the document's tables (F00 from index 1, the
// others from 0).
void applyFields(const ParsedFile& file, LanguageDocument& document);

// Why a document cannot be written as it stands.
struct SaveRefusal {
    enum class Kind { TooLarge, Unencodable } kind = Kind::TooLarge;
    int table = 0;          // 0 to 25
    int index = 0;          // the entry, for Unencodable
    qsizetype bytes = 0;    // the packed size, for TooLarge
    char32_t character = 0; // for Unencodable

    // A sentence for the user that names the place and says what to do, for a save of the
    // language file or for the code export.
    enum class Purpose { Save, ExportCode };
    QString message(Purpose purpose = Purpose::Save) const;
};

struct PackedFile {
    QByteArray bytes;
    std::optional<SaveRefusal> refusal;
};

// The first entry holding a character that Windows-1252 cannot hold, if any.
std::optional<SaveRefusal> firstUnencodable(const LanguageDocument& document);

// The bytes of a file holding the document: record count 1 and one record of 26 fields.
PackedFile packFile(const LanguageDocument& document);

} // namespace lsf
