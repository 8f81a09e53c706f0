#pragma once

#include "Toolkit.h"

class QWidget;

// The toolkit on Qt Widgets: QMessageBox, QFileDialog, override cursors and QDialog::exec.
class QtToolkit : public Toolkit {
public:
    explicit QtToolkit(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    FileDialogResult showOpen(const FileDialogRequest& request) override;
    FileDialogResult showSave(const FileDialogRequest& request) override;
    void setBusyPointer(bool busy) override;
    int showModal(QDialog& dialog) override;
    void showPopupMenu(QMenu& menu) override;
    bool openInNewWindow(const QString& path) override;

protected:
    MsgResult showMessageBox(const QString& text, MsgStyle style, const QString& title) override;

private:
    FileDialogResult showFileDialog(const FileDialogRequest& request, int acceptMode);

    QWidget* m_parent;
    bool m_busy = false;
};
