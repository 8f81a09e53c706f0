#include "ListTexts.h"

#include <QListWidget>

QStringList listTexts(const QListWidget& list)
{
    QStringList texts;
    texts.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

void setListTexts(QListWidget& list, const QStringList& texts)
{
    const int keep = std::min(int(texts.size()), list.count());
    for (int i = 0; i < keep; ++i) {
        if (list.item(i)->text() != texts.at(i))
            list.item(i)->setText(texts.at(i));
    }
    while (list.count() > texts.size())
        delete list.takeItem(list.count() - 1);
    for (qsizetype i = keep; i < texts.size(); ++i)
        list.addItem(texts.at(i));
}

QString listText(const QListWidget& list, int index)
{
    const QListWidgetItem* item = index >= 0 ? list.item(index) : nullptr;
    return item ? item->text() : QString();
}
