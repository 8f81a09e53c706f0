#include "DocumentJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr auto FormatName = "lexicant-language-file";
constexpr int FormatVersion = 1;

QJsonArray tableToJson(const LanguageTable& table)
{
    int last = table.lastIndex();
    while (last >= table.firstIndex() && table.at(last).isEmpty())
        --last;
    QJsonArray array;
    for (int i = table.firstIndex(); i <= last; ++i)
        array.append(table.at(i));
    return array;
}

QString tableFromJson(const QJsonValue& value, LanguageTable& table, const QString& where)
{
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        return QStringLiteral("\"%1\" is not an array").arg(where);
    const QJsonArray array = value.toArray();
    if (array.size() > table.size())
        return QStringLiteral("\"%1\" holds %2 entries, more than its %3")
            .arg(where)
            .arg(array.size())
            .arg(table.size());
    int index = table.firstIndex();
    for (const QJsonValue& entry : array) {
        if (!entry.isString())
            return QStringLiteral("entry %1 of \"%2\" is not a string").arg(index).arg(where);
        table.set(index++, entry.toString());
    }
    return {};
}

} // namespace

QByteArray documentToJson(const LanguageDocument& document)
{
    QJsonArray forms;
    for (const int form : LanguageDocument::Forms)
        forms.append(tableToJson(document.formText(form)));
    QJsonObject root;
    root.insert(QStringLiteral("format"), QLatin1String(FormatName));
    root.insert(QStringLiteral("formatVersion"), FormatVersion);
    root.insert(QStringLiteral("formNames"), tableToJson(document.FormNames));
    root.insert(QStringLiteral("forms"), forms);
    root.insert(QStringLiteral("settings"), tableToJson(document.SettingsTable));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString documentFromJson(const QByteArray& json, LanguageDocument& document)
{
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
    if (parsed.isNull())
        return QStringLiteral("not valid JSON (%1 at byte %2)")
            .arg(error.errorString())
            .arg(error.offset);
    if (!parsed.isObject())
        return QStringLiteral("not a JSON object");
    const QJsonObject root = parsed.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(FormatName))
        return QStringLiteral("\"format\" is not \"%1\"").arg(QLatin1String(FormatName));
    if (root.value(QStringLiteral("formatVersion")).toInt() != FormatVersion)
        return QStringLiteral("\"formatVersion\" is not %1").arg(FormatVersion);

    document.clearTables();
    QString problem = tableFromJson(root.value(QStringLiteral("formNames")), document.FormNames,
                                    QStringLiteral("formNames"));
    if (!problem.isEmpty())
        return problem;
    const QJsonValue forms = root.value(QStringLiteral("forms"));
    if (!forms.isUndefined()) {
        if (!forms.isArray() || forms.toArray().size() > LanguageDocument::FormCount)
            return QStringLiteral("\"forms\" is not an array of at most 24 arrays");
        const QJsonArray array = forms.toArray();
        for (int form = 1; form <= array.size(); ++form) {
            problem = tableFromJson(array.at(form - 1), document.formText(form),
                                    QStringLiteral("forms[%1]").arg(form - 1));
            if (!problem.isEmpty())
                return problem;
        }
    }
    return tableFromJson(root.value(QStringLiteral("settings")), document.SettingsTable,
                         QStringLiteral("settings"));
}
