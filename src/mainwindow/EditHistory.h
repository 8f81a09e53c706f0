#pragma once

#include "LanguageDocument.h"
#include "WorkingCopy.h"

#include <QUndoCommand>

#include <functional>

// Everything a person sees of the document and everything a save would write: the tables and
// the selection, the working copy, the highlighted form and row, and what the status bar says
// of them. Copies share their texts, so a state costs little more than its own changes.
struct EditState {
    LanguageDocument document; // its UnsavedChanges is not part of the state
    WorkingCopy copy;
    int formHighlight = -1, rowHighlight = -1;
    QString formStatus, rowStatus;

    // The same on screen and to a save (which commits the working copy first).
    bool operator==(const EditState& other) const;
};

// One step of the edit history: the states before and after a change the user made. The change
// is made before the step is recorded; undo shows the state before it, redo the state after.
class EditStep : public QUndoCommand {
public:
    using Show = std::function<void(const EditState&)>;

    // Consecutive steps with the same merge id (not -1) become one step.
    EditStep(const QString& name, EditState before, EditState after, Show show, int mergeId);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    EditState m_before, m_after;
    Show m_show;
    int m_mergeId;
    bool m_made = true; // the change is on screen already when the step is pushed
};
