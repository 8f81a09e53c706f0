#include "ErrorTrap.h"

QString errorTrapText(const QString& code)
{
    return QStringLiteral("An error occured while executing a function.\r\n"
                          "Please report the error code on our website.\r\n\r\n") +
           code;
}
