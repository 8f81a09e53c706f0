#pragma once

#include "LanguageDocument.h"

// A small document: form 1 named "Start" with the row "Hello", forms 2 to 24 named as in a
// new document.
inline LanguageDocument startHelloDocument()
{
    LanguageDocument document;
    document.FormNames.set(1, QStringLiteral("Start"));
    for (int form = 2; form <= 24; ++form)
        document.FormNames.set(form, QStringLiteral("- EMPTY FORM - "));
    document.formText(1).set(0, QStringLiteral("Hello"));
    return document;
}
