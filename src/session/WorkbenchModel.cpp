#include "WorkbenchModel.h"

#include "ChangedWords.h"
#include "LanguageSession.h"
#include "ProblemList.h"
#include "ReferenceSession.h"
#include "TextRules.h"

#include <algorithm>

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>

namespace {

// A tab and a line break made visible in a one-line cell, with the marks the editor draws.
QString withMarks(QString text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    return text.replace(u'\t', QStringLiteral("\u2192"))
        .replace(lineBreak, QStringLiteral("\u00b6"));
}

// "4", "4 and 9", "4, 9 and 12", and at most six numbers with how many more.
QString numberList(const QList<int>& rows)
{
    constexpr int Named = 6;
    QStringList numbers;
    for (int i = 0; i < std::min<int>(Named, int(rows.size())); ++i)
        numbers << QString::number(rows.at(i));
    if (rows.size() > Named)
        return WorkbenchModel::tr("%1 and %n more", nullptr, int(rows.size()) - Named)
            .arg(numbers.join(QStringLiteral(", ")));
    const QString last = numbers.takeLast();
    return numbers.isEmpty()
               ? last
               : WorkbenchModel::tr("%1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

// "row 4" or "rows 4 and 9".
QString rowsNamed(const QList<int>& rows)
{
    return rows.size() == 1 ? WorkbenchModel::tr("row %1").arg(rows.first())
                            : WorkbenchModel::tr("rows %1").arg(numberList(rows));
}

} // namespace

WorkbenchModel::WorkbenchModel(const ReferenceSession& reference, const ProblemList& problems,
                               LanguageSession& session, QObject* parent)
    : QAbstractTableModel(parent)
    , m_reference(reference)
    , m_problems(problems)
    , m_session(session)
{
    connect(&problems, &ProblemList::changed, this, &WorkbenchModel::schedule);
    connect(&session, &LanguageSession::selectionChanged, this, &WorkbenchModel::schedule);
    connect(&session, &LanguageSession::reviewChanged, this, &WorkbenchModel::schedule);
    connect(&reference, &ReferenceSession::openedOrClosed, this, &WorkbenchModel::refresh);
    // Another document: the translator is nowhere in it yet.
    connect(&session, &LanguageSession::documentReplaced, this, [this] { setCurrent({}); });
    // Undo and redo bring the translator to the row they changed, where the table shows it.
    connect(&session, &LanguageSession::stepShown, this, [this](const PlacedText& changed) {
        if (m_reference.isOpen() && changed.form > 0 &&
            (m_allForms || changed.form == m_session.selectedForm()))
            setCurrent({changed.form, changed.row});
    });
}

void WorkbenchModel::schedule()
{
    if (std::exchange(m_scheduled, true))
        return;
    QTimer::singleShot(0, this, [this] {
        if (m_scheduled)
            refresh();
    });
}

void WorkbenchModel::catchUp()
{
    if (m_scheduled)
        refresh();
}

int WorkbenchModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int WorkbenchModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

// A row's note as a tip, with who wrote it.
static QString noteTip(const QString& note, const QString& by)
{
    return by.isEmpty() ? note : WorkbenchModel::tr("%1: %2").arg(by, note);
}

QVariant WorkbenchModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size())
        return {};
    const Line& line = m_every.at(m_shown.at(index.row()));
    QStringList labels, messages;
    for (const Problem& p : line.problems) {
        labels << checkLabel(p.check);
        messages << p.message;
    }
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case PlaceColumn:
            return m_allForms ? tr("Form %1, row %2").arg(line.form).arg(line.row)
                              : QString::number(line.row);
        case ReferenceColumn:
            return withMarks(line.reference);
        case TextColumn:
            return withMarks(line.text);
        case StateColumn:
            // A row with a note says so where a reviewer passing by sees it.
            return line.note.isEmpty() ? stateSymbol(line.state)
                                       : stateSymbol(line.state) + QStringLiteral(" ✎");
        default:
            // Each check once: a row lacking nine terms is one glossary problem to look at.
            labels.removeDuplicates();
            return labels.join(QStringLiteral(", "));
        }
    case Qt::EditRole:
        return index.column() == ReferenceColumn ? line.reference : line.text;
    case Qt::ToolTipRole:
        switch (index.column()) {
        case ProblemsColumn:
            return messages.join(u'\n');
        case StateColumn: {
            QString tip = stateText(line.state);
            if (line.state == RowState::Reviewed && !line.reviewedBy.isEmpty())
                tip = tr("%1 by %2, %3")
                          .arg(tip, line.reviewedBy,
                               QLocale().toString(line.reviewedAt.toLocalTime(),
                                                  QLocale::ShortFormat));
            return line.note.isEmpty()
                       ? tip
                       : tip + QStringLiteral("\n") + noteTip(line.note, line.noteBy);
        }
        case TextColumn:
            return line.note.isEmpty() ? QVariant() : QVariant(noteTip(line.note, line.noteBy));
        default:
            return {};
        }
    case Qt::AccessibleTextRole:
        if (index.column() != StateColumn)
            return {};
        return line.note.isEmpty() ? stateText(line.state)
                                   : tr("%1, with a note").arg(stateText(line.state));
    case NoteRole:
        return line.note;
    case ProblemHtmlRole: {
        QStringList html;
        for (const Problem& p : line.problems) {
            if (p.check != Check::Changed) {
                html << p.message.toHtmlEscaped();
                continue;
            }
            const MarkedTexts marked = markChangedWords(p.was, line.reference);
            html << changedMessage(marked.before, marked.after);
        }
        return html.join(QStringLiteral("<br>"));
    }
    default:
        return {};
    }
}

QVariant WorkbenchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const QString names[] = {tr("Row"), tr("Reference"), tr("This file"), tr("Problems"),
                             tr("State")};
    return section >= 0 && section < ColumnCount ? names[section] : QString();
}

Qt::ItemFlags WorkbenchModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == TextColumn ? flags | Qt::ItemIsEditable : flags;
}

void WorkbenchModel::setAllForms(bool all)
{
    m_allForms = all;
    refresh();
}

void WorkbenchModel::setFilter(Filter filter, Check only)
{
    m_filter = filter;
    m_only = only;
    refresh();
}

QString WorkbenchModel::stateSymbol(RowState state)
{
    switch (state) {
    case RowState::Untranslated:
        return QStringLiteral("\u25cb"); // ○
    case RowState::NeedsReview:
        return QStringLiteral("\u25d0"); // ◐
    case RowState::Translated:
        break;
    case RowState::Reviewed:
        return QStringLiteral("\u2714"); // ✔
    }
    return QStringLiteral("\u25cf"); // ●
}

QString WorkbenchModel::stateText(RowState state)
{
    switch (state) {
    case RowState::Untranslated:
        return tr("Untranslated");
    case RowState::NeedsReview:
        return tr("Needs review");
    case RowState::Translated:
        break;
    case RowState::Reviewed:
        return tr("Reviewed");
    }
    return tr("Translated");
}

bool WorkbenchModel::toDo(const Line& line) const
{
    switch (m_filter) {
    case Filter::Untranslated:
        return !line.translated();
    case Filter::NeedsReview:
        return line.state == RowState::NeedsReview;
    case Filter::NotReviewed:
        return line.translated() && line.state != RowState::Reviewed;
    case Filter::OneCheck:
        return std::any_of(line.problems.begin(), line.problems.end(),
                           [this](const Problem& p) { return p.check == m_only; });
    case Filter::All:
    case Filter::NeedsWork:
        break;
    }
    return !line.problems.isEmpty();
}

bool WorkbenchModel::shows(const Line& line) const
{
    return (m_allForms || line.form == m_session.selectedForm()) &&
           (m_filter == Filter::All || toDo(line));
}

QList<WorkbenchModel::Line> WorkbenchModel::linesOf(int form, const FormInputs& inputs) const
{
    QList<Line> lines;
    const QList<PairedText> pairs =
        pairedTexts(m_session.document(), m_session.workingCopy(), m_session.selectedForm(), form);
    auto pair = pairs.cbegin();
    auto problem = inputs.problems.begin();
    for (int row = 0; row < LanguageDocument::RowCount; ++row) {
        bool hasTexts = false;
        const QString text = textsAt(pair, pairs.cend(), row, &hasTexts);
        const auto review = inputs.reviews.constFind(row);
        const RowReview* said = review == inputs.reviews.cend() ? nullptr : &*review;
        QList<Problem> here;
        for (; problem != inputs.problems.end() && problem->row == row; ++problem)
            here << *problem;
        if (hasTexts || !inputs.reference.at(row).isEmpty()) {
            lines.append({form, row, inputs.reference.at(row), text, here,
                          stateOf(said, text, inputs.reference.at(row)),
                          said ? said->note : QString(), said ? said->reviewedBy : QString(),
                          said ? said->noteBy : QString(), said ? said->reviewedAt : QDateTime()});
        }
    }
    return lines;
}

void WorkbenchModel::refresh()
{
    m_scheduled = false;
    const int selected = m_session.selectedForm();
    QList<ProblemPlace> placesBefore;
    for (int i : std::as_const(m_shown))
        placesBefore << m_every.at(i).place();
    // The lines of the forms made again, as they were: only their rows can have changed.
    QHash<int, QList<Line>> before;
    if (const LanguageDocument* referenceDocument = m_reference.reference()) {
        const QList<Problem>& problems = m_problems.problems();
        auto problem = problems.begin();
        for (const int form : LanguageDocument::Forms) {
            const auto end = std::find_if(problem, problems.end(),
                                          [form](const Problem& p) { return p.form != form; });
            // A form's lines follow from its reference rows, its own (the row list of the
            // selected form) and its problems: a form whose inputs are the same keeps its lines.
            const bool isSelected = form == selected;
            FormInputs inputs{referenceDocument->formText(form),
                              isSelected ? LanguageTable() : m_session.document().formText(form),
                              isSelected ? m_session.workingCopy().rows : QStringList(),
                              isSelected ? m_session.workingCopy().origins : QList<int>(),
                              isSelected,
                              QList<Problem>(problem, end),
                              {}};
            const QMap<RowKey, RowReview>& reviews = m_session.review().rows;
            for (auto r = reviews.lowerBound({form, 0});
                 r != reviews.cend() && r.key().form == form; ++r)
                inputs.reviews.insert(r.key().row, r.value());
            problem = end;
            std::optional<FormInputs>& kept = m_inputs[std::size_t(form - 1)];
            if (kept && *kept == inputs)
                continue;
            const auto first = std::find_if(m_every.begin(), m_every.end(),
                                            [form](const Line& l) { return l.form >= form; });
            const auto last =
                std::find_if(first, m_every.end(), [form](const Line& l) { return l.form > form; });
            const qsizetype at = first - m_every.begin();
            before.insert(form, QList<Line>(first, last));
            m_every.erase(first, last);
            const QList<Line> lines = linesOf(form, inputs);
            m_every.insert(at, lines.size(), Line{});
            std::copy(lines.begin(), lines.end(), m_every.begin() + at);
            kept = std::move(inputs);
        }
    } else {
        m_every.clear();
        m_inputs = {};
    }
    QList<int> shown;
    for (int i = 0; i < m_every.size(); ++i) {
        if (shows(m_every.at(i)))
            shown << i;
    }
    const bool samePlaces =
        std::equal(shown.begin(), shown.end(), placesBefore.begin(), placesBefore.end(),
                   [&](int a, ProblemPlace b) { return m_every.at(a).place() == b; });
    if (samePlaces) {
        m_shown = std::move(shown);
        for (int r = 0; r < m_shown.size(); ++r) {
            const Line& line = m_every.at(m_shown.at(r));
            const auto old = before.constFind(line.form);
            if (old == before.constEnd())
                continue;
            const auto was = std::find_if(old->begin(), old->end(),
                                          [&](const Line& l) { return l.row == line.row; });
            if (was == old->end() || !(*was == line))
                emit dataChanged(index(r, 0), index(r, ColumnCount - 1));
        }
    } else {
        beginResetModel();
        m_shown = std::move(shown);
        endResetModel();
    }
    ReferenceCounts inForm;
    m_reviewedInForm = 0;
    for (const Line& line : std::as_const(m_every)) {
        if (line.form != selected)
            continue;
        inForm.problems += int(line.problems.size());
        if (line.reference.isEmpty())
            continue;
        ++inForm.referenceRows;
        inForm.translated += line.text.isEmpty() ? 0 : 1;
        m_reviewedInForm += line.state == RowState::Reviewed ? 1 : 0;
    }
    m_inForm = inForm;
    emit countsChanged();
}

const WorkbenchModel::Line* WorkbenchModel::lineAt(ProblemPlace place) const
{
    const auto found = std::find_if(m_every.begin(), m_every.end(), [place](const Line& line) {
        return line.form == place.form && line.row == place.row;
    });
    return found != m_every.end() ? &*found : nullptr;
}

ProblemPlace WorkbenchModel::placeAt(int line) const
{
    const int every = m_shown.value(line, -1); // -1 for a line not shown
    if (every < 0)
        return {};
    return m_every.at(every).place();
}

int WorkbenchModel::lineOf(ProblemPlace place) const
{
    const auto at = std::find_if(m_shown.cbegin(), m_shown.cend(),
                                 [&](int every) { return m_every.at(every).place() == place; });
    return at == m_shown.cend() ? -1 : int(at - m_shown.cbegin());
}

void WorkbenchModel::setCurrent(ProblemPlace place)
{
    if (std::exchange(m_current, place) != place)
        emit currentChanged(place);
}

std::optional<ProblemPlace>
WorkbenchModel::nextWhere(ProblemPlace from, Direction direction,
                          const std::function<bool(const Line&)>& wanted)
{
    catchUp();
    if (direction == Direction::Forward) {
        const auto after = std::find_if(m_every.begin(), m_every.end(), [&](const Line& line) {
            return line.place() > from && wanted(line);
        });
        const auto found =
            after != m_every.end() ? after : std::find_if(m_every.begin(), m_every.end(), wanted);
        return found != m_every.end() ? std::optional(found->place()) : std::nullopt;
    }
    const auto before = std::find_if(m_every.rbegin(), m_every.rend(), [&](const Line& line) {
        return line.place() < from && wanted(line);
    });
    const auto found =
        before != m_every.rend() ? before : std::find_if(m_every.rbegin(), m_every.rend(), wanted);
    return found != m_every.rend() ? std::optional(found->place()) : std::nullopt;
}

std::optional<ProblemPlace> WorkbenchModel::nextToDo(ProblemPlace from, Direction direction)
{
    return nextWhere(from, direction, [this](const Line& line) { return toDo(line); });
}

std::optional<QStringList> WorkbenchModel::rowsWith(ProblemPlace place, const QString& text) const
{
    std::optional<QStringList> rows = rowsByOrigin(m_session.workingCopy());
    if (rows)
        (*rows)[place.row] = text;
    return rows;
}

QString WorkbenchModel::stepName(const QString& text)
{
    return text.isEmpty() ? tr("Clear row") : tr("Translate row");
}

QMap<RowKey, RowReview> WorkbenchModel::storedReview(ProblemPlace place, const QString& text,
                                                     RowState state) const
{
    const Line* line = lineAt(place);
    return {{{place.form, place.row},
             stored(m_session.review().find({place.form, place.row}), text,
                    line ? line->reference : QString(), state)}};
}

void WorkbenchModel::markReviewed(ProblemPlace place, const QString& who)
{
    catchUp();
    const Line* line = lineAt(place);
    if (!line || !line->translated() || line->state == RowState::Reviewed)
        return;
    m_session.reviewRows(tr("Mark reviewed"),
                         {{{place.form, place.row},
                           reviewed(m_session.review().find({place.form, place.row}), line->text,
                                    line->reference, who, QDateTime::currentDateTimeUtc())}});
}

std::optional<ProblemPlace> WorkbenchModel::nextNotReviewed(ProblemPlace from)
{
    return nextWhere(from, Direction::Forward, [this](const Line& line) {
        return shows(line) && line.translated() && line.state != RowState::Reviewed;
    });
}

void WorkbenchModel::acceptProblems(ProblemPlace place)
{
    catchUp();
    const Line* line = lineAt(place);
    if (!line || line->problems.isEmpty())
        return;
    const RowReview* said = m_session.review().find({place.form, place.row});
    RowReview review = stored(said, line->text, line->reference, line->state);
    for (const Problem& p : line->problems)
        if (!review.accepted.contains(checkName(p.check)))
            review.accepted << checkName(p.check);
    m_session.reviewRows(tr("Accept problems"), {{{place.form, place.row}, review}});
}

void WorkbenchModel::setNote(ProblemPlace place, const QString& note, const QString& who)
{
    catchUp();
    const Line* line = lineAt(place);
    if (!line || line->note == note)
        return;
    const RowReview* said = m_session.review().find({place.form, place.row});
    RowReview review = said ? *said : stored(nullptr, line->text, line->reference, line->state);
    review.note = note;
    review.noteBy = note.isEmpty() ? QString() : who;
    review.noteAt = note.isEmpty() ? QDateTime() : QDateTime::currentDateTimeUtc();
    m_session.reviewRows(tr("Note"), {{{place.form, place.row}, review}});
}

StoreOutcome WorkbenchModel::store(ProblemPlace place, const QString& typed, bool fill,
                                   RowState state)
{
    using Kind = StoreOutcome::Kind;
    catchUp();
    const Line* line = lineAt(place);
    // An editor breaks a line with "\n"; the row breaks its lines as its reference does.
    QString text = typed;
    if (line && line->reference.contains(u"\r\n")) {
        static const QRegularExpression bare(QStringLiteral("(?<!\r)\n"));
        text.replace(bare, QStringLiteral("\r\n"));
    }
    if (line ? line->text == text : text.isEmpty()) {
        // Nothing to store, but the row's text is the translator's again for its reference.
        if (!text.isEmpty())
            m_session.storedAgain({{place.form, place.row, text}});
        return {Kind::Unchanged, {}};
    }
    if (text.size() == 1)
        return {Kind::Refused, tr("A row keeps a text of two characters or more.")};
    if (checkName(text) != TextRule::Passed)
        return {Kind::Refused, ruleMessage(checkName(text))};
    if (const QString problem = storageProblem(text); !problem.isEmpty())
        return {Kind::Refused, tr("This text cannot be stored: it %1.").arg(problem)};
    const QMap<RowKey, RowReview> review =
        storedReview(place, text, text.isEmpty() ? RowState::Untranslated : state);
    if (place.form != m_session.selectedForm()) {
        m_session.storeText(stepName(text), {place.form, place.row, text}, review);
        return {};
    }
    const std::optional<QStringList> rows = rowsWith(place, text);
    if (!rows)
        return {Kind::Refused, tr("Rows inserted in this form would move other rows when it "
                                  "is stored.\r\nSave or undo them first.")};
    // A cleared row keeps its place in the row list, so clearing moves nothing.
    const QList<int> gaps = text.isEmpty() ? QList<int>() : gapsIn(*rows);
    if (!gaps.isEmpty()) {
        const LanguageTable& reference = m_reference.reference()->formText(place.form);
        const QString moving = rowsNamed(movingRows(*rows));
        for (int gap : gaps) {
            const QString fill = reference.at(gap);
            if (fill.size() > 1)
                continue;
            return {Kind::Refused,
                    (fill.isEmpty()
                         ? tr("Row %1 of this form has no text, in this file nor in the reference.")
                               .arg(gap)
                         : tr("Row %1 of this form has no text, and the reference's \"%2\" is too "
                              "short to fill it.")
                               .arg(gap)
                               .arg(fill)) +
                        QStringLiteral("\r\n") +
                        tr("Storing row %1 would move %2 away from the rows the application reads.")
                            .arg(place.row)
                            .arg(moving)};
        }
        if (!fill)
            return {Kind::NeedsFill,
                    (gaps.size() == 1
                         ? tr("Row %1 of this form has no text yet.").arg(gaps.first())
                         : tr("Rows %1 of this form have no text yet.").arg(numberList(gaps))) +
                        QLatin1Char(' ') +
                        tr("Saving the form would close up the empty rows and move %1 away from "
                           "the rows the application reads.\r\nFill the empty rows with the "
                           "reference's texts first?")
                            .arg(moving)};
        fillGaps(gaps);
    }
    m_session.storeRows(stepName(text), *rowsWith(place, text), {place.row}, review);
    return {};
}

QList<int> WorkbenchModel::rowsMovedAtCommit() const
{
    QList<int> moved;
    const WorkingCopy& copy = m_session.workingCopy();
    for (int item = 0; item < copy.rows.size(); ++item) {
        const int origin = copy.originOf(item);
        if (origin != WorkingCopy::Added && origin != item)
            moved << origin;
    }
    return moved;
}

QString WorkbenchModel::commitQuestion() const
{
    return tr("Form %1 has empty rows before its last text. Saving would close them up and move "
              "%2 away from the rows the application reads, so they are kept at their rows.\r\n"
              "Fill the empty rows with the reference's texts? No leaves them empty.")
        .arg(m_session.selectedForm())
        .arg(rowsNamed(rowsMovedAtCommit()));
}

void WorkbenchModel::keepRowsOfSelectedForm(bool fill)
{
    if (const std::optional<QStringList> rows = rowsByOrigin(m_session.workingCopy()))
        fillGaps(fill ? gapsIn(*rows) : QList<int>());
}

void WorkbenchModel::fillGaps(const QList<int>& gaps)
{
    std::optional<QStringList> rows = rowsByOrigin(m_session.workingCopy());
    const int form = m_session.selectedForm();
    if (!rows || !m_reference.reference() || form == 0) // no form selected
        return;
    const LanguageTable& reference = m_reference.reference()->formText(form);
    QList<int> filled;
    for (int gap : gaps) {
        if (reference.at(gap).size() > 1) {
            (*rows)[gap] = reference.at(gap);
            filled << gap;
        }
    }
    m_session.storeRows(gaps.isEmpty() ? tr("Keep rows in place") : tr("Fill rows"), *rows, filled);
}

QString WorkbenchModel::countsText() const
{
    if (!m_reference.isOpen())
        return {};
    const ReferenceCounts& counts = m_problems.counts();
    return tr("%1 of %2 reference rows translated, %3 problems")
        .arg(counts.translated)
        .arg(counts.referenceRows)
        .arg(counts.problems);
}

QString WorkbenchModel::progressText() const
{
    const int selected = m_session.selectedForm();
    if (!m_reference.isOpen() || selected < 1 || selected > LanguageDocument::FormCount)
        return {};
    const QString progress = tr("Form %1: %2 of %3 rows translated, %4 problems")
                                 .arg(selected)
                                 .arg(m_inForm.translated)
                                 .arg(m_inForm.referenceRows)
                                 .arg(m_inForm.problems);
    // Reviews are counted once there are any.
    return m_reviewedInForm == 0 ? progress : progress + tr(", %1 reviewed").arg(m_reviewedInForm);
}
