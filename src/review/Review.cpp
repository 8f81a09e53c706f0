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

// A text as a JSON string in UTF-8: quotes, backslashes and control characters escaped, the
// runs between them copied whole.
void putString(QByteArray& out, const QString& text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    qsizetype from = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(utf8.constData() + from, i - from);
        from = i + 1;
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            out += "\\u00" + QByteArray::number(c, 16).rightJustified(2, '0');
        }
    }
    out.append(utf8.constData() + from, utf8.size() - from);
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

// The row a JSON object describes, or why it describes none. Its members are read in one pass,
// in whatever order they come.
QString readRow(const QJsonObject& object, RowKey& key, RowReview& r)
{
    QJsonValue form, row, state, accepted;
    QString noteAt, reviewedAt;
    QString badText;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString name = it.key();
        const QJsonValue value = it.value();
        QString* text = nullptr;
        if (name == u"form")
            form = value;
        else if (name == u"row")
            row = value;
        else if (name == u"state")
            state = value;
        else if (name == u"accepted")
            accepted = value;
        else if (name == u"text")
            text = &r.text;
        else if (name == u"reference")
            text = &r.reference;
        else if (name == u"note")
            text = &r.note;
        else if (name == u"note-by")
            text = &r.noteBy;
        else if (name == u"reviewed-by")
            text = &r.reviewedBy;
        else if (name == u"note-at")
            text = &noteAt;
        else if (name == u"reviewed-at")
            text = &reviewedAt;
        if (!text)
            continue;
        if (!value.isString() && badText.isEmpty())
            badText = name;
        *text = value.toString();
    }
    if (!form.isDouble() || !row.isDouble() || form.toInt() < 1 || form.toInt() > 24 ||
        row.toInt() < 0 || row.toInt() > 200 || form.toDouble() != form.toInt() ||
        row.toDouble() != row.toInt())
        return QStringLiteral("a row without a form of 1 to 24 and a row of 0 to 200");
    key = {form.toInt(), row.toInt()};
    const std::optional<RowState> named = stateNamed(state.toString());
    if (!named)
        return QStringLiteral("form %1 row %2 has no state that is one of %3")
            .arg(key.form)
            .arg(key.row)
            .arg(StateNames.join(u','));
    r.state = *named;
    if (!badText.isEmpty())
        return QStringLiteral("form %1 row %2: \"%3\" is no text")
            .arg(key.form)
            .arg(key.row)
            .arg(badText);
    for (const auto& [name, text, field] :
         {std::tuple("note-at", &noteAt, &r.noteAt),
          std::tuple("reviewed-at", &reviewedAt, &r.reviewedAt)}) {
        if (text->isEmpty())
            continue;
        *field = QDateTime::fromString(*text, Qt::ISODate);
        if (!field->isValid())
            return QStringLiteral("form %1 row %2: \"%3\" is no date and time")
                .arg(key.form)
                .arg(key.row)
                .arg(QLatin1String(name));
    }
    for (const QJsonValue check : accepted.toArray())
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
    out.reserve(out.size() + review.rows.size() * 200);
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
        QMap<RowKey, RowReview>& rows = reading.review.rows;
        // Rows come in order as written: each goes at the end without a search.
        if (!rows.isEmpty() && rows.lastKey() < key) {
            rows.insert(rows.cend(), key, row);
            continue;
        }
        if (rows.contains(key))
            return {{}, QStringLiteral("form %1 row %2 is there twice").arg(key.form).arg(key.row)};
        rows.insert(key, row);
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
