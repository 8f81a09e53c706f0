#include "TextRules.h"

#include "LanguageFormat.h"

#include <QCoreApplication>

namespace {
// A form shows at most this many rows before the row dialog stops adding or changing them.
constexpr int RowDialogLimit = 200;
constexpr int MinimumRowLength = 3;
} // namespace

bool Check_Characters(const QString& text)
{
    for (const QChar c : text) {
        if (c == u'\u00BD' || c == u'\u00BE' || c == u'\u00BC')
            return false;
    }
    return true;
}

TextRule checkRowText(const QString& text, int rowCount)
{
    if (rowCount >= RowDialogLimit)
        return TextRule::RowLimit;
    if (text.size() < MinimumRowLength)
        return TextRule::MinimumLength;
    if (!Check_Characters(text))
        return TextRule::ForbiddenCharacters;
    return TextRule::Passed;
}

TextRule checkName(const QString& text)
{
    return Check_Characters(text) ? TextRule::Passed : TextRule::ForbiddenCharacters;
}

QString maximumRowsMessage()
{
    return QCoreApplication::translate("TextRules", "Maximum rows reached for this form.");
}

QString ruleMessage(TextRule rule)
{
    switch (rule) {
    case TextRule::RowLimit:
        return maximumRowsMessage();
    case TextRule::MinimumLength:
        return QCoreApplication::translate("TextRules", "Type at least 3 characters");
    case TextRule::ForbiddenCharacters:
        return QCoreApplication::translate("TextRules", "Please remove the ½, ¾ or ¼ characters.");
    case TextRule::Passed:
        break;
    }
    return {};
}

QString storageProblem(const QString& text)
{
    if (!Check_Characters(text))
        return QString::fromUtf8("holds \"½\", \"¾\" or \"¼\", which a language file cannot hold "
                                 "in a text");
    const lsf::Encoded encoded = lsf::encode1252(text);
    return encoded.ok() ? QString()
                        : QStringLiteral("holds the character %1, which Windows-1252 cannot store")
                              .arg(lsf::characterName(lsf::characterAt(text, encoded.badPosition)));
}
