#include "FindAllDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

FindAllDialog::FindAllDialog(QWidget* parent, Search search)
    : QDialog(parent)
    , m_search(std::move(search))
{
    setObjectName(QStringLiteral("FindAll"));
    setWindowTitle(tr("Find in all forms"));
    txt_find = new QLineEdit(this);
    txt_find->setObjectName(QStringLiteral("txt_find"));
    auto* label = new QLabel(tr("&Find:"), this);
    label->setObjectName(QStringLiteral("lbl_find"));
    label->setBuddy(txt_find);
    chk_case = new QCheckBox(tr("&Match case"), this);
    chk_case->setObjectName(QStringLiteral("chk_case"));
    cmd_find = new QPushButton(tr("Find"), this);
    cmd_find->setObjectName(QStringLiteral("cmd_find"));
    cmd_find->setDefault(true);
    lst_found = new QTreeWidget(this);
    lst_found->setObjectName(QStringLiteral("lst_found"));
    lst_found->setAccessibleName(tr("Found texts"));
    lst_found->setHeaderLabels({tr("Where"), tr("Text")});
    lst_found->setRootIsDecorated(false);
    lst_found->setUniformRowHeights(true);
    lst_found->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txt_find, 0, 1);
    layout->addWidget(cmd_find, 0, 2);
    layout->addWidget(chk_case, 1, 1);
    layout->addWidget(lst_found, 2, 0, 1, 3);
    resize(560, 380);

    connect(cmd_find, &QPushButton::clicked, this, &FindAllDialog::find);
    m_again = new QTimer(this);
    m_again->setSingleShot(true);
    connect(m_again, &QTimer::timeout, this,
            [this] { list(m_searched->first, m_searched->second); });
    connect(lst_found, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int index = lst_found->indexOfTopLevelItem(item);
        if (index >= 0 && index < m_found.size())
            emit chosen(m_found.at(index));
    });
}

void FindAllDialog::find()
{
    list(txt_find->text(), chk_case->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void FindAllDialog::searchAgain()
{
    if (m_searched)
        m_again->start();
}

void FindAllDialog::list(const QString& needle, Qt::CaseSensitivity sensitivity)
{
    m_searched.emplace(needle, sensitivity);
    m_found = m_search(needle, sensitivity);
    lst_found->clear();
    QList<QTreeWidgetItem*> items;
    for (const FoundText& found : m_found)
        items << new QTreeWidgetItem({found.where(), found.text});
    lst_found->addTopLevelItems(items);
}
