#include "LanguageDocument.h"

#include <QCoreApplication>

#include <stdexcept>
#include <string>

LanguageTable::LanguageTable(int firstIndex, int count)
    : m_first(firstIndex)
    , m_entries(qsizetype(count))
{
}

qsizetype LanguageTable::slot(int index) const
{
    if (!contains(index))
        throw std::out_of_range("table index " + std::to_string(index) + " outside " +
                                std::to_string(m_first) + " to " + std::to_string(lastIndex()));
    return qsizetype(index - m_first);
}

const QString& LanguageTable::at(int index) const
{
    return m_entries[slot(index)];
}

void LanguageTable::set(int index, const QString& text)
{
    m_entries[slot(index)] = text;
}

void LanguageTable::set(int index, QString&& text)
{
    m_entries[slot(index)] = std::move(text);
}

void LanguageTable::clear()
{
    m_entries = QList<QString>(m_entries.size());
}

int LanguageDocument::checkedForm(int form)
{
    if (form < 1 || form > FormCount)
        throw std::out_of_range("form " + std::to_string(form) + " outside 1 to 24");
    return form;
}

LanguageTable& LanguageDocument::table(int number)
{
    return const_cast<LanguageTable&>(std::as_const(*this).table(number));
}

const LanguageTable& LanguageDocument::table(int number) const
{
    if (number == 0)
        return FormNames;
    if (number == SettingsTableNumber)
        return SettingsTable;
    if (number < 1 || number > FormCount)
        throw std::out_of_range("table " + std::to_string(number) + " outside 0 to 25");
    return FormText[std::size_t(number - 1)];
}

QString LanguageDocument::label(int tableNumber)
{
    return QStringLiteral("F%1").arg(tableNumber, 2, 10, QLatin1Char('0'));
}

bool LanguageDocument::sameTables(const LanguageDocument& other) const
{
    return FormNames == other.FormNames && FormText == other.FormText &&
           SettingsTable == other.SettingsTable;
}

void LanguageDocument::clearTables()
{
    for (const int t : Tables)
        table(t).clear();
}

QString settingName(FileSetting setting)
{
    static const char* const names[FileSettingCount] = {
        QT_TRANSLATE_NOOP("FileSetting", "Application"),
        QT_TRANSLATE_NOOP("FileSetting", "Version"), QT_TRANSLATE_NOOP("FileSetting", "Author"),
        QT_TRANSLATE_NOOP("FileSetting", "Revision"), QT_TRANSLATE_NOOP("FileSetting", "Date")};
    return QLatin1String(names[int(setting)]);
}

QString settingLabel(FileSetting setting)
{
    return QCoreApplication::translate("FileSetting", settingName(setting).toLatin1().constData());
}
