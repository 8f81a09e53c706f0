#pragma once

#include <QString>

// Two texts as HTML, the parts of each that the other lacks in bold: a word, number, placeholder,
// tag or address whole, any other character but a space alone. What both keep, in order, shows
// as it is.
struct MarkedTexts {
    QString before, after;
};
MarkedTexts markChangedWords(const QString& before, const QString& after);
