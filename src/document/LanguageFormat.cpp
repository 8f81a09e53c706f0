#include "LanguageFormat.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <vector>

namespace lsf {

namespace {

constexpr auto Codec = "windows-1252";

QString describeEntry(int table, int index)
{
    if (table == 0)
        return QCoreApplication::translate("LanguageFormat", "The name of form %1").arg(index);
    if (table == LanguageDocument::SettingsTableNumber) {
        if (index >= 0 && index < FileSettingCount)
            return QCoreApplication::translate("LanguageFormat", "The %1 setting")
                .arg(settingLabel(FileSetting(index)).toLower());
        return QCoreApplication::translate("LanguageFormat", "Row %1 of the file settings")
            .arg(index);
    }
    return QCoreApplication::translate("LanguageFormat", "Row %1 of form %2").arg(index).arg(table);
}

QString describeTable(int table)
{
    if (table == 0)
        return QCoreApplication::translate("LanguageFormat", "The form names");
    if (table == LanguageDocument::SettingsTableNumber)
        return QCoreApplication::translate("LanguageFormat", "The file settings");
    return QCoreApplication::translate("LanguageFormat", "The texts of form %1").arg(table);
}

QString whatToShorten(int table)
{
    if (table == 0)
        return QCoreApplication::translate("LanguageFormat", "Shorten some form names");
    if (table == LanguageDocument::SettingsTableNumber)
        return QCoreApplication::translate("LanguageFormat", "Shorten the file settings");
    return QCoreApplication::translate("LanguageFormat", "Shorten or delete rows of this form");
}

} // namespace

QString packTable(const LanguageTable& table)
{
    QString packed;
    for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
        packed += table.at(i);
        packed += QChar(RowTerminator);
    }
    return packed;
}

namespace {

// The code page's mapping, taken once from Qt's own converter: a byte-to-character table and
// its reverse. Converting through the tables avoids opening a converter for every field.
struct CodePage {
    std::array<char16_t, 256> toChar{};
    // The byte of each UTF-16 code unit, NoByte for one the code page lacks.
    static constexpr qint16 NoByte = std::numeric_limits<qint16>::min();
    std::vector<qint16> toByte = std::vector<qint16>(0x10000, NoByte);

    // True when a byte from 0x80 to 0x9F occurs: a byte whose top three bits are 100.
    static bool hasSpecial(QByteArrayView bytes)
    {
        const char* p = bytes.data();
        qsizetype left = bytes.size();
#ifdef __SSE2__
        const __m128i mask = _mm_set1_epi8(char(0xE0));
        const __m128i special = _mm_set1_epi8(char(0x80));
        for (; left >= 16; p += 16, left -= 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(v, mask), special)))
                return true;
        }
#endif
        for (; left > 0; ++p, --left) {
            if ((uchar(*p) & 0xE0) == 0x80)
                return true;
        }
        return false;
    }

    CodePage()
    {
        QByteArray all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QStringDecoder decoder(Codec);
        const QString chars = decoder.decode(all);
        Q_ASSERT(chars.size() == 256);
        for (int b = 0; b < 256; ++b) {
            toChar[std::size_t(b)] = chars.at(b).unicode();
            toByte[chars.at(b).unicode()] = qint16(b);
        }
    }
};

const CodePage& codePage()
{
    static const CodePage page;
    return page;
}

// True when each character's byte is its number, as for Latin-1 outside 0x80 to 0x9F.
bool isPlainLatin1(const QString& text)
{
    const CodePage& page = codePage();
    return std::all_of(text.begin(), text.end(),
                       [&](QChar c) { return page.toByte[c.unicode()] == c.unicode(); });
}

} // namespace

namespace {

// Bytes that the code page shares with Latin-1 are converted by Qt's fast path; only text
// with other bytes goes through the table.
QString decodePiece(QByteArrayView bytes, bool plainLatin1)
{
    QString text = QString::fromLatin1(bytes);
    if (plainLatin1)
        return text;
    const CodePage& page = codePage();
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = page.toChar[uchar(bytes[i])];
    return text;
}

// Windows-1252 stands for the Latin-1 character of the same number with every byte outside 0x80
// to 0x9F.
bool isPlainLatin1(QByteArrayView bytes)
{
    return !CodePage::hasSpecial(bytes);
}

} // namespace

QString decode1252(QByteArrayView bytes)
{
    return decodePiece(bytes, isPlainLatin1(bytes));
}

Encoded encode1252(const QString& text)
{
    Encoded result;
    const CodePage& page = codePage();
    if (isPlainLatin1(text)) {
        result.bytes = text.toLatin1();
        return result;
    }
    result.bytes.resize(text.size());
    char* out = result.bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qint16 byte = page.toByte[text.at(i).unicode()];
        if (byte == CodePage::NoByte) {
            result.bytes.clear();
            result.badPosition = i;
            return result;
        }
        out[i] = char(byte);
    }
    return result;
}

void unpackField(QByteArrayView field, LanguageTable& table)
{
    const char terminator = char(codePage().toByte[RowTerminator]);
    const bool plainLatin1 = isPlainLatin1(field);
    int index = table.firstIndex();
    const char* start = field.data();
    const char* const end = field.data() + field.size();
    while (start < end && index <= table.lastIndex()) {
        const auto* found = static_cast<const char*>(std::memchr(start, terminator, end - start));
        if (!found)
            return; // bytes after the last terminator belong to no entry
        table.set(index++, decodePiece(QByteArrayView(start, found - start), plainLatin1));
        start = found + 1;
    }
    // Pieces beyond the table's last index are dropped.
}

ParsedFile parseFile(const QByteArray& bytes)
{
    ParsedFile parsed;
    parsed.data = bytes;
    if (bytes.size() < CountBytes) {
        parsed.status = ParseStatus::NoCount;
        return parsed;
    }
    parsed.recordCount = qFromLittleEndian<qint32>(bytes.data());
    if (parsed.recordCount <= 0) {
        parsed.status = ParseStatus::NoRecord;
        return parsed;
    }
    qsizetype pos = CountBytes;
    for (ParsedFile::Span& span : parsed.spans) {
        if (bytes.size() - pos < LengthBytes) {
            parsed.status = ParseStatus::Truncated;
            return parsed;
        }
        const quint16 length = qFromLittleEndian<quint16>(bytes.data() + pos);
        pos += LengthBytes;
        if (bytes.size() - pos < length) {
            parsed.status = ParseStatus::Truncated;
            return parsed;
        }
        span = {pos, length};
        pos += length;
    }
    parsed.status = ParseStatus::Ok;
    return parsed;
}

void applyFields(const ParsedFile& file, LanguageDocument& document)
{
    for (const int t : LanguageDocument::Tables)
        unpackField(file.field(t), document.table(t));
}

char32_t characterAt(const QString& text, qsizetype position)
{
    const QStringView pair = QStringView(text).mid(position, 2);
    if (pair.size() == 2 && pair[0].isHighSurrogate() && pair[1].isLowSurrogate())
        return QChar::surrogateToUcs4(pair[0], pair[1]);
    return pair[0].unicode();
}

QString characterName(char32_t character)
{
    return QStringLiteral("\"%1\" (U+%2)")
        .arg(QString::fromUcs4(&character, 1),
             QStringLiteral("%1").arg(uint(character), 4, 16, QLatin1Char('0')).toUpper());
}

QString SaveRefusal::message(Purpose purpose) const
{
    if (kind == Kind::TooLarge) {
        return QCoreApplication::translate(
                   "LanguageFormat", "%1 take %2 bytes, more than the %3 bytes that one table of a "
                                     "language file can hold.\r\n%4, then save again.")
            .arg(describeTable(table), QLocale(QLocale::English).toString(qlonglong(bytes)),
                 QLocale(QLocale::English).toString(qlonglong(MaxFieldBytes)),
                 whatToShorten(table));
    }
    const QString where = purpose == Purpose::Save
                              ? QCoreApplication::translate("LanguageFormat", "a language file")
                              : QCoreApplication::translate("LanguageFormat", "the code file");
    const QString action = purpose == Purpose::Save
                               ? QCoreApplication::translate("LanguageFormat", "save")
                               : QCoreApplication::translate("LanguageFormat", "save as code");
    return QCoreApplication::translate(
               "LanguageFormat",
               "%1 holds the character %2, which %3 cannot store.\r\nReplace it with "
               "another character, then %4 again.")
        .arg(describeEntry(table, index), characterName(character), where, action);
}

namespace {

// The refusal for the first character of a table that Windows-1252 cannot hold, if any; else
// the table's bytes.
std::optional<SaveRefusal> encodeTable(const LanguageDocument& document, int t, QByteArray& bytes)
{
    const LanguageTable& table = document.table(t);
    const QString packed = packTable(table);
    Encoded field = encode1252(packed);
    if (field.ok()) {
        bytes = std::move(field.bytes);
        return std::nullopt;
    }
    // The terminators always encode, so the bad character lies inside an entry: the number of
    // terminators before it says which.
    const qsizetype p = field.badPosition;
    SaveRefusal refusal;
    refusal.kind = SaveRefusal::Kind::Unencodable;
    refusal.table = t;
    refusal.index =
        table.firstIndex() + int(QStringView(packed).left(p).count(QChar(RowTerminator)));
    refusal.character = characterAt(packed, p);
    return refusal;
}

} // namespace

std::optional<SaveRefusal> firstUnencodable(const LanguageDocument& document)
{
    QByteArray bytes;
    for (const int t : LanguageDocument::Tables) {
        if (auto refusal = encodeTable(document, t, bytes))
            return refusal;
    }
    return std::nullopt;
}

PackedFile packFile(const LanguageDocument& document)
{
    PackedFile result;
    std::array<QByteArray, LanguageDocument::TableCount> encoded;
    for (const int t : LanguageDocument::Tables) {
        QByteArray& field = encoded[std::size_t(t)];
        result.refusal = encodeTable(document, t, field);
        if (result.refusal)
            return result;
        if (field.size() > MaxFieldBytes) {
            SaveRefusal refusal;
            refusal.kind = SaveRefusal::Kind::TooLarge;
            refusal.table = t;
            refusal.bytes = field.size();
            result.refusal = refusal;
            return result;
        }
    }

    qsizetype total = CountBytes;
    for (const QByteArray& field : encoded)
        total += LengthBytes + field.size();
    result.bytes.reserve(total);
    char word[4];
    qToLittleEndian<qint32>(1, word);
    result.bytes.append(word, CountBytes);
    for (const QByteArray& field : encoded) {
        qToLittleEndian<quint16>(quint16(field.size()), word);
        result.bytes.append(word, LengthBytes);
        result.bytes.append(field);
    }
    return result;
}

} // namespace lsf
