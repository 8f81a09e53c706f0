#pragma once

class QListWidget;
class Toolkit;
struct LanguageDocument;

// What the editing dialogs need of the window they edit: the document, the toolkit, the two
// lists that hold the working copies, the commit and the command-state refresh. Reaching a list
// that is gone throws, so the caller's error trap reports it.
class EditingHost {
public:
    virtual ~EditingHost() = default;
    virtual LanguageDocument& document() = 0;
    virtual Toolkit& toolkit() = 0;
    virtual QListWidget& rowList() = 0;
    virtual QListWidget& formList() = 0;
    virtual void CommitWorkingCopies() = 0;
    virtual void RefreshCommandState() = 0;
};
