#include "WorkingCopy.h"

#include <algorithm>

QStringList shownRows(const LanguageTable& table)
{
    QStringList shown;
    for (int r = table.firstIndex(); r <= table.lastIndex(); ++r) {
        if (table.at(r).size() > 1)
            shown << table.at(r);
    }
    return shown;
}

QList<int> shownRowIndexes(const LanguageTable& table)
{
    QList<int> indexes;
    for (int r = table.firstIndex(); r <= table.lastIndex(); ++r) {
        if (table.at(r).size() > 1)
            indexes << r;
    }
    return indexes;
}

QStringList newFormNames()
{
    return QStringList(LanguageDocument::FormCount, QString::fromUtf16(NewFormPlaceholder));
}

QStringList openedFormNames(const LanguageDocument& document)
{
    QStringList names;
    for (const int form : LanguageDocument::Forms) {
        const QString& name = document.FormNames.at(form);
        names << (name.size() > 1 ? name : QString::fromUtf16(OpenedFormPlaceholder));
    }
    return names;
}

std::array<QString, WorkingCopy::SettingCount> documentSettings(const LanguageDocument& document)
{
    std::array<QString, WorkingCopy::SettingCount> settings;
    for (const int row : WorkingCopy::Settings)
        settings[std::size_t(row)] =
            document.SettingsTable.at(row).left(WorkingCopy::SettingLengths[std::size_t(row)]);
    return settings;
}

WorkingCopy openedWorkingCopy(const LanguageDocument& document, int selectedForm)
{
    WorkingCopy copy{openedFormNames(document), {}, documentSettings(document), {}};
    if (selectedForm >= 1 && selectedForm <= LanguageDocument::FormCount) {
        copy.rows = shownRows(document.formText(selectedForm));
        copy.origins = shownRowIndexes(document.formText(selectedForm));
    }
    return copy;
}

std::optional<QStringList> rowsByOrigin(const WorkingCopy& copy)
{
    QStringList rows(LanguageDocument::RowCount);
    for (int i = 0; i < copy.rows.size(); ++i) {
        const int origin = copy.originOf(i);
        const int row = origin >= 0 ? origin : i;
        if (row >= LanguageDocument::RowCount || !rows.at(row).isEmpty())
            return std::nullopt;
        rows[row] = copy.rows.at(i);
    }
    return rows;
}

QList<int> gapsIn(const QStringList& rows)
{
    QList<int> gaps;
    int last = int(rows.size()) - 1;
    while (last >= 0 && rows.at(last).size() <= 1)
        --last;
    for (int row = 0; row < last; ++row) {
        if (rows.at(row).size() <= 1)
            gaps << row;
    }
    return gaps;
}

QList<int> movingRows(const QStringList& rows)
{
    QList<int> moving;
    bool gap = false;
    for (int row = 0; row < rows.size(); ++row) {
        const bool empty = rows.at(row).size() <= 1;
        if (!empty && gap)
            moving << row;
        gap = gap || empty;
    }
    return moving;
}

int commitWorkingCopy(const WorkingCopy& copy, int selectedForm, LanguageDocument& document)
{
    for (int n = 1; n <= LanguageDocument::NameCount; ++n)
        document.FormNames.set(n, copy.formNames.value(n - 1));
    int dropped = 0;
    if (selectedForm >= 1 && selectedForm <= LanguageDocument::FormCount) {
        LanguageTable& table = document.formText(selectedForm);
        for (const int r : LanguageDocument::Rows)
            table.set(r, copy.rows.value(r));
        dropped = std::max(0, int(copy.rows.size()) - LanguageDocument::RowCount);
    }
    int row = 0;
    for (const QString& setting : copy.settings)
        document.SettingsTable.set(row++, setting);
    return dropped;
}
