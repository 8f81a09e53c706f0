#include "CodeText.h"

QString entryLabel(int table, int index)
{
    return LanguageDocument::label(table) + QStringLiteral("_lng_(") + QString::number(index) +
           u')';
}

QString BuildCodeText(const LanguageDocument& document)
{
    QString text;
    for (const int t : LanguageDocument::Tables) {
        const LanguageTable& table = document.table(t);
        for (int i = table.firstIndex(); i <= table.lastIndex(); ++i) {
            const QString& entry = table.at(i);
            if (entry.isEmpty())
                continue;
            text += u'\t';
            text += entryLabel(t, i);
            text += QStringLiteral(" = \"");
            text += entry;
            text += QStringLiteral("\"\r\n");
        }
    }
    return text;
}
