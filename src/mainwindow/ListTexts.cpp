#include "ListTexts.h"

#include <QListWidget>
#include <QSignalBlocker>

void setListTexts(QListWidget& list, const QStringList& texts)
{
    const int keep = std::min(int(texts.size()), list.count());
    for (int i = 0; i < keep; ++i) {
        if (list.item(i)->text() != texts.at(i))
            list.item(i)->setText(texts.at(i));
    }
    while (list.count() > texts.size())
        delete list.takeItem(list.count() - 1);
    QStringList added = texts.mid(keep);
    list.addItems(added);
}

void showListTexts(QListWidget& list, const QStringList& texts, bool rebuild)
{
    const QSignalBlocker quiet(list);
    if (rebuild)
        list.clear();
    setListTexts(list, texts);
}
