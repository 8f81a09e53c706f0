#pragma once

#include "QtPrint.h"

#include "Toolkit.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

// A toolkit for tests: records every message box and file dialog, answers them from queues,
// and hands modal dialogs to a test-supplied driver.
struct RecordedBox {
    QString text;
    int style;
    QString title;
};

class ScriptedToolkit : public Toolkit {
public:
    std::vector<RecordedBox> boxes;
    std::deque<MsgResult> answers; // for boxes with Yes and No; OK-only boxes take none
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::deque<QString> openAnswers; // a full path, or empty to cancel
    std::deque<QString> saveAnswers;
    std::vector<bool> pointerChanges;
    std::function<int(QDialog&)> onModal; // drives a modal dialog; returns its result
    std::function<void(QMenu&)> onPopup;  // what the user does in a pop-up menu
    std::function<void()> onBox;          // looks at the window while a box shows
    bool failNext = false; // the next box, dialog, menu or pointer change fails (and is not shown)

    // The next modal dialog is shown and handed to the test's hands, then hidden; its result is
    // what the hands left.
    template <typename Dialog>
    void onDialog(std::function<void(Dialog&)> hands)
    {
        // A generic lambda, so that only tests that show dialogs need Qt Widgets.
        onModal = [hands](auto& dialog) {
            dialog.show();
            hands(static_cast<Dialog&>(dialog));
            const int result = dialog.result();
            dialog.hide();
            return result;
        };
    }

    FileDialogResult showOpen(const FileDialogRequest& request) override
    {
        failIfAsked();
        openRequests.push_back(request);
        return answer(openAnswers, request);
    }
    FileDialogResult showSave(const FileDialogRequest& request) override
    {
        failIfAsked();
        saveRequests.push_back(request);
        return answer(saveAnswers, request);
    }
    void setBusyPointer(bool b) override
    {
        failIfAsked();
        pointerChanges.push_back(b);
    }
    int showModal(QDialog& dialog) override
    {
        failIfAsked();
        if (!onModal) {
            ADD_FAILURE() << "a modal dialog was shown that the test did not expect";
            return 0;
        }
        return onModal(dialog);
    }

    // The texts of the boxes shown since the last call, each expected with this style and title.
    QStringList takeBoxes(int style, const QString& title = QStringLiteral("Lexicant"))
    {
        QStringList texts;
        for (const RecordedBox& box : boxes) {
            texts << box.text;
            EXPECT_EQ(box.style, style) << box.text.toStdString();
            EXPECT_EQ(box.title, title) << box.text.toStdString();
        }
        boxes.clear();
        return texts;
    }

    bool openInNewWindow(const QString& path) override
    {
        newWindows << path;
        return true;
    }
    QStringList newWindows; // files handed to another window

    void showPopupMenu(QMenu& menu) override
    {
        failIfAsked();
        if (onPopup)
            onPopup(menu);
    }

protected:
    MsgResult showMessageBox(const QString& text, MsgStyle style, const QString& title) override
    {
        failIfAsked();
        boxes.push_back({text, int(style), title});
        if (onBox)
            onBox();
        if (style != MsgStyle::Question)
            return MsgResult::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return MsgResult::No;
        }
        const MsgResult result = answers.front();
        answers.pop_front();
        return result;
    }

private:
    void failIfAsked()
    {
        if (!failNext)
            return;
        failNext = false;
        throw std::runtime_error("the desktop failed");
    }

    static FileDialogResult answer(std::deque<QString>& queue, const FileDialogRequest& request)
    {
        QString chosen = request.fileName; // cancel leaves the starting name
        if (!queue.empty()) {
            if (!queue.front().isEmpty())
                chosen = queue.front();
            queue.pop_front();
        }
        return {chosen, chosen.mid(chosen.lastIndexOf(u'/') + 1)};
    }
};

// The error trap's text for a code.
inline QString trapText(const char* code)
{
    return QStringLiteral("An error occured while executing a function.\r\n"
                          "Please report the error code on our website.\r\n\r\nERROR CODE ") +
           QLatin1String(code);
}
