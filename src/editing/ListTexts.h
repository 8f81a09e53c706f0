#pragma once

#include <QStringList>

class QListWidget;

// The texts of a list's items, and back: items are reused, added or removed so the list holds
// exactly the texts.
QStringList listTexts(const QListWidget& list);
void setListTexts(QListWidget& list, const QStringList& texts);

// The text of item index; an index outside the list reads as the empty text.
QString listText(const QListWidget& list, int index);
