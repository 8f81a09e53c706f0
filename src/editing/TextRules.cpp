#include "TextRules.h"

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
