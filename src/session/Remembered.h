#pragma once

#include <QString>

// What the program remembers of a file between runs (its reference, its languages), in the
// settings under a key, as a map from the file's path to a value.
QString rememberedIn(const QString& key, const QString& file);
// An empty value forgets the file; a file without a path is not remembered.
void rememberIn(const QString& key, const QString& file, const QString& value);
