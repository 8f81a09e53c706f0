#include "AppChooser.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QIcon appIcon(const QString& icon)
{
    if (QFileInfo(icon).isAbsolute())
        return QIcon(icon);
    return QIcon::fromTheme(icon, QIcon::fromTheme(QStringLiteral("application-x-executable")));
}

} // namespace

AppChooser::AppChooser(const QString& file, const QList<DesktopApp>& applications, int registered,
                       QWidget* parent)
    : QDialog(parent)
    , m_apps(applications)
{
    setObjectName(QStringLiteral("AppChooser"));
    setWindowTitle(tr("Open with"));
    setModal(true);

    lbl_file = new QLabel(
        tr("Choose the program to open this file with:\n%1")
            .arg(QFileInfo(file).fileName().isEmpty() ? file : QFileInfo(file).fileName()),
        this);
    lbl_file->setTextFormat(Qt::PlainText);
    lbl_file->setWordWrap(true);

    lst_apps = new QListWidget(this);
    lst_apps->setIconSize(QSize(24, 24));
    lst_apps->setAccessibleName(tr("Programs"));
    for (qsizetype i = 0; i < m_apps.size(); ++i) {
        auto* item = new QListWidgetItem(appIcon(m_apps.at(i).icon), m_apps.at(i).name, lst_apps);
        if (i < registered) {
            QFont font = item->font();
            font.setBold(true); // registered for this type of file
            item->setFont(font);
        }
    }
    lst_apps->setCurrentRow(0); // none while there is none

    buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setEnabled(!m_apps.isEmpty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lst_apps, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_file);
    layout->addWidget(lst_apps);
    layout->addWidget(buttons);
    resize(380, 420);
}

std::optional<DesktopApp> AppChooser::chosen() const
{
    const int row = lst_apps->currentRow();
    if (result() != QDialog::Accepted || row < 0 || row >= m_apps.size())
        return std::nullopt;
    return m_apps.at(row);
}
