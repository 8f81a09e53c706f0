#pragma once

#include <QString>

// True when the text holds none of "½", "¾" and "¼" (the last is the file's row terminator).
bool Check_Characters(const QString& text);
