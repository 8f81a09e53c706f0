#include "FindAll.h"

#include <QCoreApplication>

#include "ReferenceChecks.h"

QString FoundText::where() const
{
    QString place;
    switch (kind) {
    case Kind::Row:
        place = QCoreApplication::translate("FindAll", "Form %1, row %2").arg(form).arg(row);
        break;
    case Kind::FormName:
        place = QCoreApplication::translate("FindAll", "Name of form %1").arg(form);
        break;
    case Kind::Setting:
        place = settingLabel(FileSetting(row));
        break;
    }
    return inReference ? QCoreApplication::translate("FindAll", "Reference: %1").arg(place) : place;
}

QList<FoundText> findInAllForms(const LanguageDocument& document, const WorkingCopy& copy,
                                int selectedForm, const LanguageDocument* reference,
                                const QString& needle, Qt::CaseSensitivity sensitivity)
{
    QList<FoundText> found;
    if (needle.isEmpty())
        return found;
    const auto look = [&](FoundText::Kind kind, bool inReference, int form, int row,
                          const QString& text) {
        if (text.contains(needle, sensitivity))
            found.append({kind, inReference, form, row, text});
    };
    for (const int form : LanguageDocument::Forms) {
        look(FoundText::Kind::FormName, false, form, 0, copy.formNames.value(form - 1));
        for (const PairedText& pair : pairedTexts(document, copy, selectedForm, form))
            look(FoundText::Kind::Row, false, form, pair.row, pair.text);
    }
    for (const int setting : WorkingCopy::Settings)
        look(FoundText::Kind::Setting, false, 0, setting, copy.settings[std::size_t(setting)]);
    if (!reference)
        return found;
    for (const int form : LanguageDocument::Forms) {
        look(FoundText::Kind::FormName, true, form, 0, reference->FormNames.at(form));
        for (const int row : LanguageDocument::Rows)
            look(FoundText::Kind::Row, true, form, row, reference->formText(form).at(row));
    }
    for (const int setting : WorkingCopy::Settings)
        look(FoundText::Kind::Setting, true, 0, setting, reference->SettingsTable.at(setting));
    return found;
}
