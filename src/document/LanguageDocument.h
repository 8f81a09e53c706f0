#pragma once

#include <QList>
#include <QString>

#include <array>
#include <ranges>

// Rows 0 to 200: the size of every table but the form names.
inline constexpr int RowsPerTable = 201;

// One table of texts with a fixed index range. Reaching outside the range throws
// std::out_of_range, which the calling handler's error trap reports. Copies share their entries
// until one of them changes (a copy of a whole document costs 26 reference counts), so that the
// edit history can keep many states of a document.
class LanguageTable {
public:
    explicit LanguageTable(int firstIndex = 0, int count = RowsPerTable);

    int firstIndex() const { return m_first; }
    int lastIndex() const { return m_first + int(m_entries.size()) - 1; }
    int size() const { return int(m_entries.size()); }
    bool contains(int index) const { return index >= m_first && index <= lastIndex(); }

    const QString& at(int index) const;
    void set(int index, const QString& text);
    void set(int index, QString&& text);
    void clear();

    friend bool operator==(const LanguageTable&, const LanguageTable&) = default;

private:
    qsizetype slot(int index) const;

    int m_first;
    QList<QString> m_entries;
};

// What the form list shows for an unnamed form: after New file (with a trailing blank), and
// after a file is opened (without).
inline constexpr char16_t NewFormPlaceholder[] = u"- EMPTY FORM - ";
inline constexpr char16_t OpenedFormPlaceholder[] = u"- EMPTY FORM -";

// Rows of the settings table that hold the five file settings.
enum class FileSetting { Application = 0, Version = 1, Author = 2, Revision = 3, Date = 4 };
inline constexpr int FileSettingCount = 5;

// "Application", "Version", "Author", "Revision" or "Date".
QString settingName(FileSetting setting);
// The setting's name in the interface's language.
QString settingLabel(FileSetting setting);

// The language file the editor holds: 26 tables and the selection state the windows share.
struct LanguageDocument {
    static constexpr int TableCount = 26;
    static constexpr int FormCount = 24;
    static constexpr int NameCount = 25; // FormNames 1 to 25
    static constexpr int RowCount = RowsPerTable;
    static constexpr int LastRow = 200;
    // The numbers of the tables, the forms and a form's rows, for a range-for: the bounds in one
    // place.
    static constexpr std::ranges::iota_view<int, int> Tables{0, TableCount};
    static constexpr std::ranges::iota_view<int, int> Forms{1, FormCount + 1};
    static constexpr std::ranges::iota_view<int, int> Rows{0, RowCount};
    static constexpr int SettingsTableNumber = 25;

    LanguageTable FormNames{1, NameCount};
    std::array<LanguageTable, FormCount> FormText;
    LanguageTable SettingsTable{0, RowCount};

    // Whole numbers kept as single-precision numbers and compared exactly.
    float SelectedForm = 0; // 0 = none, else 1 to 24
    float SelectedRow = 0;  // list index of the row last clicked, -1 = none
    float UnsavedChanges = 0;

    // Table F00 to F25 by number; throws std::out_of_range outside 0 to 25.
    LanguageTable& table(int number);
    const LanguageTable& table(int number) const;

    // The rows of form 1 to 24; throws std::out_of_range otherwise.
    LanguageTable& formText(int form) { return table(checkedForm(form)); }
    const LanguageTable& formText(int form) const { return table(checkedForm(form)); }

    const QString& setting(FileSetting which) const { return SettingsTable.at(int(which)); }
    void setSetting(FileSetting which, const QString& text) { SettingsTable.set(int(which), text); }

    // "F00" to "F25".
    static QString label(int tableNumber);

    // True when all 26 tables hold the same texts (the state values are not compared).
    bool sameTables(const LanguageDocument& other) const;

    // Empties every entry of every table; the state values are left alone.
    void clearTables();

private:
    static int checkedForm(int form);
};
