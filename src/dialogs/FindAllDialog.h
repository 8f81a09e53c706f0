#pragma once

#include "FindAll.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// "Find in all forms": a search over every row, form name and setting, listing where each text
// was found. It stays open beside the window; activating a result shows that place.
class FindAllDialog : public QDialog {
    Q_OBJECT
public:
    using Search = std::function<QList<FoundText>(const QString&, Qt::CaseSensitivity)>;

    FindAllDialog(QWidget* parent, Search search);

    // Searches for the text in the box and lists what it finds.
    void find();
    // After the texts changed: the last search again, once the change is done (nothing when
    // nothing was searched for yet).
    void searchAgain();

    QLineEdit* txt_find = nullptr;
    QCheckBox* chk_case = nullptr;
    QPushButton* cmd_find = nullptr;
    QTreeWidget* lst_found = nullptr;

signals:
    void chosen(const FoundText& found);

private:
    void list(const QString& needle, Qt::CaseSensitivity sensitivity);

    Search m_search;
    QList<FoundText> m_found;
    std::optional<std::pair<QString, Qt::CaseSensitivity>> m_searched;
    // Searches again once the event loop is free: many changes in a row, one search.
    QTimer* m_again = nullptr;
};
