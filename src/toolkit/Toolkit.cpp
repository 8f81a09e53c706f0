#include "Toolkit.h"

int Toolkit::messageBox(const QString& text, int style, const QString& title)
{
    return showMessageBox(text, style, title.isEmpty() ? defaultTitle() : title);
}
