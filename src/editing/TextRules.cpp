#include "TextRules.h"

bool Check_Characters(const QString& text)
{
    for (const QChar c : text) {
        if (c == u'\u00BD' || c == u'\u00BE' || c == u'\u00BC')
            return false;
    }
    return true;
}
