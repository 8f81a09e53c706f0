#include "EditHistory.h"

bool EditState::operator==(const EditState& other) const
{
    const int form = int(document.SelectedForm);
    if (form != int(other.document.SelectedForm) ||
        document.SelectedRow != other.document.SelectedRow || !(copy == other.copy) ||
        formHighlight != other.formHighlight || rowHighlight != other.rowHighlight ||
        formStatus != other.formStatus || rowStatus != other.rowStatus)
        return false;
    if (document.sameTables(other.document))
        return true;
    // Tables that differ only by what the next commit writes anyway are the same to a save.
    LanguageDocument committed = document, otherCommitted = other.document;
    commitWorkingCopy(copy, form, committed);
    commitWorkingCopy(other.copy, form, otherCommitted);
    return committed.sameTables(otherCommitted);
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
