#include "Toolkit.h"

MsgResult Toolkit::messageBox(const QString& text, MsgStyle style, const QString& title)
{
    return showMessageBox(text, style, title.isEmpty() ? defaultTitle() : title);
}
