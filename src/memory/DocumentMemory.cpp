#include "DocumentMemory.h"

#include "TextRules.h"

#include <QFileInfo>

QString memoryOrigin(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

QList<MemoryUnit> translatedRows(const LanguageDocument& reference,
                                 const LanguageDocument& document, const QString& path,
                                 const QString& sourceLanguage, const QString& targetLanguage,
                                 const RowSources& translatedFrom)
{
    QList<MemoryUnit> units;
    const QString origin = memoryOrigin(path);
    for (const int form : LanguageDocument::Forms) {
        for (const int row : LanguageDocument::Rows) {
            const QString& source = reference.formText(form).at(row);
            const QString& target = document.formText(form).at(row);
            const auto from = translatedFrom.find({form, row});
            if (!source.isEmpty() && target.size() > 1 && target != source &&
                (from == translatedFrom.end() || *from == source))
                units.append(
                    {sourceLanguage, targetLanguage, source, target, origin, form, row, {}});
        }
    }
    return units;
}

Pretranslation pretranslation(const TranslationMemory& memory, const LanguageDocument& reference,
                              const LanguageDocument& document, const QString& sourceLanguage,
                              const QString& targetLanguage)
{
    Pretranslation found;
    for (const int form : LanguageDocument::Forms) {
        for (const int row : LanguageDocument::Rows) {
            const QString& source = reference.formText(form).at(row);
            if (source.isEmpty() || !document.formText(form).at(row).isEmpty())
                continue;
            const QList<Suggestion> same =
                memory.suggest(sourceLanguage, targetLanguage, source, 1, 100);
            if (same.isEmpty())
                continue;
            const PlacedText text{form, row, same.first().unit.target};
            if (const QString why = storageProblem(text.text); why.isEmpty())
                found.texts.append(text);
            else
                found.refused.append({text, why});
        }
    }
    return found;
}
