#pragma once

#include <QStringList>

class QListWidget;

// Makes the list hold exactly the texts: items are reused, added or removed, so the current
// and selected items of a list whose texts change in place stay where they are.
void setListTexts(QListWidget& list, const QStringList& texts);

// Shows the texts without the list telling anyone: rebuilt from scratch (no current or selected
// item) or updated in place.
void showListTexts(QListWidget& list, const QStringList& texts, bool rebuild);
