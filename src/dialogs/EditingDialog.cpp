#include "EditingDialog.h"

#include "Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {
constexpr int Left = 120;
constexpr int ContentWidth = 6000;
constexpr int PictureSize = 480;
constexpr int ButtonWidth = 1140;
constexpr int ButtonHeight = 375;
constexpr int RightMargin = 180;
constexpr int BottomMargin = 520;
} // namespace

EditingDialog::EditingDialog(Toolkit& toolkit, const char* name, const QString& caption,
                             const QString& info)
    : m_toolkit(toolkit)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setModal(true);
    const Twips t(this);

    const QStyle::StandardPixmap pictures[2] = {QStyle::SP_FileDialogDetailedView,
                                                QStyle::SP_MessageBoxInformation};
    const int pictureLeft[2] = {Left, Left + ContentWidth - PictureSize};
    for (int i = 0; i < 2; ++i) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        picture->setGeometry(t.rect(pictureLeft[i], 120, PictureSize, PictureSize));
        picture->setPixmap(style()->standardIcon(pictures[i]).pixmap(t.px(PictureSize)));
    }
    lbl_info = new QLabel(info, this);
    lbl_info->setObjectName(QStringLiteral("lbl_info"));
    lbl_info->setTextFormat(Qt::PlainText);
    lbl_info->setWordWrap(true);
    lbl_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbl_info->setGeometry(
        t.rect(Left + PictureSize + 120, 120, ContentWidth - 2 * PictureSize - 240, 780));
}

QGroupBox* EditingDialog::addFrame(const char* name, const QString& caption, int top, int height)
{
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(Twips(this).rect(Left, top, ContentWidth, height));
    return frame;
}

QLineEdit* EditingDialog::addBoxInFrame(const char* frameName, const QString& frameCaption, int top,
                                        const char* boxName, int maxLength)
{
    QGroupBox* frame = addFrame(frameName, frameCaption, top, 720);
    auto* box = new QLineEdit(frame);
    box->setObjectName(QLatin1String(boxName));
    box->setGeometry(Twips(this).rect(120, 300, ContentWidth - 240, 315));
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QPushButton* EditingDialog::addButtons(const char* name, const QString& caption, int top)
{
    const Twips t(this);
    const int right = Left + ContentWidth;
    cmd_annuleer = new QPushButton(tr("Cancel"), this);
    cmd_annuleer->setObjectName(QStringLiteral("cmd_annuleer"));
    cmd_annuleer->setAutoDefault(false);
    cmd_annuleer->setGeometry(
        t.rect(right - 2 * ButtonWidth - 120, top, ButtonWidth, ButtonHeight));
    connect(cmd_annuleer, &QPushButton::clicked, this, &QDialog::reject);

    m_rightButton = new QPushButton(caption, this);
    m_rightButton->setObjectName(QLatin1String(name));
    m_rightButton->setDefault(true); // Enter presses it; Escape cancels the dialog
    m_rightButton->setGeometry(t.rect(right - ButtonWidth, top, ButtonWidth, ButtonHeight));
    applySizeRule();
    return m_rightButton;
}

void EditingDialog::applySizeRule()
{
    // The rule sizes the whole window, frame included, from the right-hand button's edges; where
    // the frame is not known yet, the inside takes the whole size.
    const Twips t(this);
    const QRect button = m_rightButton->geometry();
    const QSize outer(button.right() + 1 + t.px(RightMargin),
                      button.bottom() + 1 + t.px(BottomMargin));
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize();
    setFixedSize(outer - frame);
}

void EditingDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    applySizeRule();
}
