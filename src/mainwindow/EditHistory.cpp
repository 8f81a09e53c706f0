#include "EditHistory.h"

bool EditState::operator==(const EditState& other) const
{
    return document.sameTables(other.document) &&
           document.SelectedForm == other.document.SelectedForm &&
           document.SelectedRow == other.document.SelectedRow && copy == other.copy &&
           formHighlight == other.formHighlight && rowHighlight == other.rowHighlight &&
           formStatus == other.formStatus && rowStatus == other.rowStatus;
}

EditStep::EditStep(const QString& name, EditState before, EditState after, Show show, int mergeId)
    : QUndoCommand(name)
    , m_before(std::move(before))
    , m_after(std::move(after))
    , m_show(std::move(show))
    , m_mergeId(mergeId)
{
}

void EditStep::undo()
{
    m_show(m_before);
}

void EditStep::redo()
{
    // QUndoStack::push redoes the step at once; the change it records is already shown.
    if (m_made) {
        m_made = false;
        return;
    }
    m_show(m_after);
}

bool EditStep::mergeWith(const QUndoCommand* other)
{
    m_after = static_cast<const EditStep*>(other)->m_after;
    return true;
}
