#include "ErrorTrap.h"

#include <QCoreApplication>

QString errorTrapText(const QString& code)
{
    return QCoreApplication::translate("ErrorTrap",
                                       "An error occured while executing a function.\r\n"
                                       "Please report the error code on our website.\r\n\r\n") +
           code;
}
