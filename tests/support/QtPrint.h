#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for Qt strings, and so for lists of them.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
