#include "QtToolkit.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>

namespace {

// "*.LSF format|*.lsf" becomes Qt's "*.LSF format (*.lsf)".
QString qtFilter(const QString& filter)
{
    if (!filter.contains(u'|'))
        return filter;
    return filter.section(u'|', 0, 0) + QStringLiteral(" (") + filter.section(u'|', 1) + u')';
}

FileDialogResult resultFor(const QString& chosen, const FileDialogRequest& request)
{
    if (chosen.isEmpty())
        return {request.fileName, QFileInfo(request.fileName).fileName()};
    return {chosen, QFileInfo(chosen).fileName()};
}

} // namespace

MsgResult QtToolkit::showMessageBox(const QString& text, MsgStyle style, const QString& title)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (style) {
    case MsgStyle::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgStyle::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgStyle::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgStyle::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    if (style == MsgStyle::Question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } // any other box gives itself its OK button
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return MsgResult::Ok;
    }
}

FileDialogResult QtToolkit::showOpen(const FileDialogRequest& request)
{
    return showFileDialog(request, QFileDialog::AcceptOpen);
}

FileDialogResult QtToolkit::showSave(const FileDialogRequest& request)
{
    return showFileDialog(request, QFileDialog::AcceptSave);
}

FileDialogResult QtToolkit::showFileDialog(const FileDialogRequest& request, int acceptMode)
{
    QFileDialog dialog(m_parent, request.title, QString(), qtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptMode(acceptMode));
    // The open dialog does not insist that the file exists and the save dialog does not ask
    // before replacing one: the commands do their own tests.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return resultFor({}, request);
    return resultFor(dialog.selectedFiles().constFirst(), request);
}

void QtToolkit::setBusyPointer(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

int QtToolkit::showModal(QDialog& dialog)
{
    return dialog.exec();
}

void QtToolkit::showPopupMenu(QMenu& menu)
{
    menu.exec(QCursor::pos());
}

bool QtToolkit::openInNewWindow(const QString& path)
{
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), {path});
}
