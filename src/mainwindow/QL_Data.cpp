#include "QL_Data.h"

#include <QLineEdit>

QL_Data::QL_Data()
{
    setObjectName(QStringLiteral("QL_Data"));
    txt_filename = new QLineEdit(this);
    txt_filename->setObjectName(QStringLiteral("txt_filename"));
}
