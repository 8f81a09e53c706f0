#include "Remembered.h"

#include <QSettings>

QString rememberedIn(const QString& key, const QString& file)
{
    return QSettings().value(key).toMap().value(file).toString();
}

void rememberIn(const QString& key, const QString& file, const QString& value)
{
    if (file.isEmpty())
        return;
    QSettings settings;
    QVariantMap map = settings.value(key).toMap();
    if (value.isEmpty())
        map.remove(file);
    else
        map.insert(file, value);
    settings.setValue(key, map);
}
