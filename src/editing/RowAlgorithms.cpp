#include "RowAlgorithms.h"

#include <stdexcept>

void insertNewRow(QStringList& rows, int s)
{
    const int n = int(rows.size());
    if (s < 0 || s >= n)
        throw std::out_of_range("no row to insert before");
    // Copy the last row to a new end, move the rows from s on down one place, highest first,
    // and put the new row in s's place.
    rows.append(rows.at(n - 1));
    for (int i = 1; i <= n - s - 1; ++i)
        rows[n - i] = rows.at(n - i - 1);
    rows[s] = QString::fromUtf16(NewRowText);
}

void deleteRow(QStringList& rows, int s)
{
    if (s < 0 || s >= rows.size())
        throw std::out_of_range("no row to delete");
    rows.removeAt(s);
}

bool replaceAll(QString& text, const QString& search, const QString& replacement)
{
    if (search.isEmpty() || !text.contains(search, Qt::CaseSensitive))
        return false;
    text.replace(search, replacement, Qt::CaseSensitive);
    return true;
}

int replaceInRows(QStringList& rows, const QString& search, const QString& replacement)
{
    int changed = 0;
    for (QString& row : rows)
        changed += replaceAll(row, search, replacement) ? 1 : 0;
    return changed;
}
