#include "Review.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr auto Format = "lexicant-review";
constexpr int Version = 1;

const QStringList StateNames = {QStringLiteral("untranslated"), QStringLiteral("needs-review"),
                                QStringLiteral("translated"), QStringLiteral("reviewed")};

QString timeText(const QDateTime& time)
{
    return time.toUTC().toString(Qt::ISODate);
}

// A text as a JSON string in UTF-8: quotes, backslashes and control characters escaped.
void putString(QByteArray& out, const QString& text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            // The bytes of characters past ASCII (negative where char is signed) stay as they are.
            if (c >= 0 && c < 0x20)
                out += "\\u00" + QByteArray::number(int(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    out += '"';
}

// The row as one line of JSON, its keys in the order a person reads them: where, how it stands,
// its texts, then only what else is known, so that a change of one row is a change of one line.
void putRow(QByteArray& out, const RowKey& key, const RowReview& r)
{
    out += "{\"form\": " + QByteArray::number(key.form) +
           ", \"row\": " + QByteArray::number(key.row) + ", \"state\": ";
    putString(out, stateName(r.state));
    const auto put = [&](const char* name, const QString& value) {
        if (value.isEmpty())
            return;
        out += QByteArray(", \"") + name + "\": ";
        putString(out, value);
    };
    out += ", \"text\": ";
    putString(out, r.text);
    out += ", \"reference\": ";
    putString(out, r.reference);
    put("note", r.note);
    put("note-by", r.noteBy);
    if (r.noteAt.isValid())
        put("note-at", timeText(r.noteAt));
    put("reviewed-by", r.reviewedBy);
    if (r.reviewedAt.isValid())
        put("reviewed-at", timeText(r.reviewedAt));
    if (!r.accepted.isEmpty()) {
        out += ", \"accepted\": [";
        for (qsizetype i = 0; i < r.accepted.size(); ++i) {
            if (i > 0)
                out += ", ";
            putString(out, r.accepted.at(i));
        }
        out += ']';
    }
    out += '}';
}

// The row a JSON object describes, or why it describes none.
QString readRow(const QJsonObject& object, RowKey& key, RowReview& r)
{
    const QJsonValue form = object.value("form"), row = object.value("row");
    if (!form.isDouble() || !row.isDouble() || form.toInt() < 1 || form.toInt() > 24 ||
        row.toInt() < 0 || row.toInt() > 200 || form.toDouble() != form.toInt() ||
        row.toDouble() != row.toInt())
        return QStringLiteral("a row without a form of 1 to 24 and a row of 0 to 200");
    key = {form.toInt(), row.toInt()};
    const std::optional<RowState> state = stateNamed(object.value("state").toString());
    if (!state)
        return QStringLiteral("form %1 row %2 has no state that is one of %3")
            .arg(key.form)
            .arg(key.row)
            .arg(StateNames.join(u','));
    r.state = *state;
    for (const auto& [name, field] :
         {std::pair("text", &r.text), std::pair("reference", &r.reference),
          std::pair("note", &r.note), std::pair("note-by", &r.noteBy),
          std::pair("reviewed-by", &r.reviewedBy)}) {
        const QJsonValue value = object.value(QLatin1String(name));
        if (!value.isUndefined() && !value.isString())
            return QStringLiteral("form %1 row %2: \"%3\" is no text")
                .arg(key.form)
                .arg(key.row)
                .arg(QLatin1String(name));
        *field = value.toString();
    }
    for (const auto& [name, field] :
         {std::pair("note-at", &r.noteAt), std::pair("reviewed-at", &r.reviewedAt)}) {
        const QString text = object.value(QLatin1String(name)).toString();
        *field = QDateTime::fromString(text, Qt::ISODate);
        if (!text.isEmpty() && !field->isValid())
            return QStringLiteral("form %1 row %2: \"%3\" is no date and time")
                .arg(key.form)
                .arg(key.row)
                .arg(QLatin1String(name));
    }
    for (const QJsonValue check : object.value("accepted").toArray())
        r.accepted << check.toString();
    return {};
}

} // namespace

QString stateName(RowState state)
{
    return StateNames.at(qsizetype(state));
}

std::optional<RowState> stateNamed(const QString& name)
{
    const qsizetype i = StateNames.indexOf(name);
    return i < 0 ? std::nullopt : std::optional(RowState(i));
}

QString reviewPath(const QString& languageFile)
{
    return languageFile + QStringLiteral(".review");
}

QByteArray reviewBytes(const Review& review)
{
    QByteArray out = QByteArray("{\"format\": \"") + Format +
                     "\", \"version\": " + QByteArray::number(Version) + ", \"rows\": [";
    for (auto i = review.rows.cbegin(); i != review.rows.cend(); ++i) {
        out += i == review.rows.cbegin() ? "\n" : ",\n";
        putRow(out, i.key(), i.value());
    }
    return out + "\n]}\n";
}

ReviewReading readReview(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return {
            {},
            QStringLiteral("is no JSON: %1 at byte %2").arg(error.errorString()).arg(error.offset)};
    const QJsonObject top = document.object();
    if (top.value("format").toString() != QLatin1String(Format))
        return {{}, QStringLiteral("is no review of a language file")};
    if (top.value("version").toInt() != Version)
        return {{},
                QStringLiteral("is a review of version %1, which this version cannot read")
                    .arg(top.value("version").toVariant().toString())};
    ReviewReading reading;
    for (const QJsonValue value : top.value("rows").toArray()) {
        RowKey key;
        RowReview row;
        if (const QString problem = readRow(value.toObject(), key, row); !problem.isEmpty())
            return {{}, problem};
        if (reading.review.rows.contains(key))
            return {{}, QStringLiteral("form %1 row %2 is there twice").arg(key.form).arg(key.row)};
        reading.review.rows.insert(key, row);
    }
    return reading;
}

RowState stateOf(const RowReview* review, const QString& text, const QString& reference)
{
    if (text.isEmpty())
        return RowState::Untranslated;
    if (!review)
        return RowState::Translated;
    if (!review->reference.isEmpty() && !reference.isEmpty() && review->reference != reference)
        return RowState::NeedsReview;
    if (review->text != text)
        return review->state == RowState::NeedsReview ? RowState::NeedsReview
                                                      : RowState::Translated;
    return review->state == RowState::Untranslated ? RowState::Translated : review->state;
}

bool isAccepted(const RowReview* review, const QString& check, const QString& text,
                const QString& reference)
{
    return review && review->text == text &&
           (review->reference.isEmpty() || reference.isEmpty() || review->reference == reference) &&
           review->accepted.contains(check);
}

RowReview stored(const RowReview* review, const QString& text, const QString& reference,
                 RowState state)
{
    RowReview r = review ? *review : RowReview{};
    if (r.text != text || r.reference != reference) {
        r.accepted.clear();
        r.reviewedBy.clear();
        r.reviewedAt = {};
    }
    r.state = state;
    r.text = text;
    r.reference = reference;
    return r;
}

RowReview reviewed(const RowReview* review, const QString& text, const QString& reference,
                   const QString& who, const QDateTime& when)
{
    RowReview r = stored(review, text, reference, RowState::Reviewed);
    r.reviewedBy = who;
    r.reviewedAt = when;
    return r;
}
