#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;

// The hidden window that holds the path of the current file; it is never shown.
class QL_Data : public QWidget {
    Q_OBJECT
public:
    QL_Data();

    QPointer<QLineEdit> txt_filename;
};
