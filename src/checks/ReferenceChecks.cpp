#include "ReferenceChecks.h"

#include "TextChecks.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace {

// What each placeholder stands for, with it as written, sorted, since a translation may put them
// in another order: "%s of %d" holds "1$s" and "2$d", so "%d of %s" differs and "%2$d of %1$s"
// does not.
using Placeholders = QList<std::pair<QString, QString>>;
Placeholders placeholders(const ScreenText& text)
{
    Placeholders found;
    for (const TextPart& part : text.parts()) {
        if (part.kind == TextPart::Placeholder)
            found.append({part.key, text.textOf(part).toString()});
    }
    std::ranges::sort(found);
    return found;
}

QString written(const Placeholders& placeholders)
{
    QStringList texts;
    for (const auto& placeholder : placeholders)
        texts << placeholder.second;
    return texts.join(u' ');
}

QString leading(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text.at(n).isSpace() && text.at(n) != u'\n' && text.at(n) != u'\r')
        ++n;
    return text.left(n);
}

QString trailing(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text.at(text.size() - 1 - n).isSpace() &&
           text.at(text.size() - 1 - n) != u'\n' && text.at(text.size() - 1 - n) != u'\r')
        ++n;
    return text.right(n);
}

// The final punctuation mark: ".", ":", "!", "?", or the ellipsis ("…" or "..."); empty for none.
QString finalMark(const QString& text)
{
    const QString end = text.trimmed();
    if (end.endsWith(QLatin1String("...")) || end.endsWith(QChar(0x2026)))
        return QString(QChar(0x2026));
    if (!end.isEmpty() && QStringLiteral(".:!?").contains(end.back()))
        return QString(end.back());
    return QString();
}

// "\r\n", "\n" and a lone "\r" are one line break each.
int lineBreaks(const QString& text)
{
    const int feeds = int(text.count(u'\n'));
    if (!text.contains(u'\r'))
        return feeds;
    return feeds + int(text.count(u'\r')) - int(text.count(QLatin1String("\r\n")));
}

QString quoted(const QString& text)
{
    return quotedList(text.isEmpty() ? QStringList() : QStringList{text});
}

} // namespace

QString checkName(Check check)
{
    static const char* const names[CheckCount] = {
        QT_TRANSLATE_NOOP("Check", "missing"),       QT_TRANSLATE_NOOP("Check", "extra"),
        QT_TRANSLATE_NOOP("Check", "same"),          QT_TRANSLATE_NOOP("Check", "access-keys"),
        QT_TRANSLATE_NOOP("Check", "placeholders"),  QT_TRANSLATE_NOOP("Check", "spaces"),
        QT_TRANSLATE_NOOP("Check", "punctuation"),   QT_TRANSLATE_NOOP("Check", "line-breaks"),
        QT_TRANSLATE_NOOP("Check", "moves-at-save"), QT_TRANSLATE_NOOP("Check", "numbers"),
        QT_TRANSLATE_NOOP("Check", "tabs"),          QT_TRANSLATE_NOOP("Check", "capitals"),
        QT_TRANSLATE_NOOP("Check", "brackets"),      QT_TRANSLATE_NOOP("Check", "double-words"),
        QT_TRANSLATE_NOOP("Check", "double-spaces"), QT_TRANSLATE_NOOP("Check", "urls"),
        QT_TRANSLATE_NOOP("Check", "tags"),          QT_TRANSLATE_NOOP("Check", "encoding"),
        QT_TRANSLATE_NOOP("Check", "consistency"),   QT_TRANSLATE_NOOP("Check", "length"),
        QT_TRANSLATE_NOOP("Check", "spelling"),      QT_TRANSLATE_NOOP("Check", "changed"),
        QT_TRANSLATE_NOOP("Check", "glossary")};
    return QLatin1String(names[int(check)]);
}

QString checkLabel(Check check)
{
    return QCoreApplication::translate("Check", checkName(check).toLatin1().constData());
}

QString checkDescription(Check check)
{
    static const char* const descriptions[CheckCount] = {
        QT_TRANSLATE_NOOP("Check", "Untranslated rows"),
        QT_TRANSLATE_NOOP("Check", "Rows the reference does not use"),
        QT_TRANSLATE_NOOP("Check", "Rows the same as the reference"),
        QT_TRANSLATE_NOOP("Check", "Access keys (&)"),
        QT_TRANSLATE_NOOP("Check", "Placeholders (%1, %s, {0})"),
        QT_TRANSLATE_NOOP("Check", "Leading and trailing spaces"),
        QT_TRANSLATE_NOOP("Check", "Final punctuation"),
        QT_TRANSLATE_NOOP("Check", "Line breaks"),
        QT_TRANSLATE_NOOP("Check", "Rows that move when the form is stored"),
        QT_TRANSLATE_NOOP("Check", "Numbers"),
        QT_TRANSLATE_NOOP("Check", "Tabs"),
        QT_TRANSLATE_NOOP("Check", "Capital at the start"),
        QT_TRANSLATE_NOOP("Check", "Brackets"),
        QT_TRANSLATE_NOOP("Check", "Repeated words"),
        QT_TRANSLATE_NOOP("Check", "Double spaces"),
        QT_TRANSLATE_NOOP("Check", "Web and e-mail addresses"),
        QT_TRANSLATE_NOOP("Check", "XML and HTML tags"),
        QT_TRANSLATE_NOOP("Check", "Characters a language file cannot store"),
        QT_TRANSLATE_NOOP("Check", "One text translated two ways"),
        QT_TRANSLATE_NOOP("Check", "Much longer than the reference"),
        QT_TRANSLATE_NOOP("Check", "Spelling"),
        QT_TRANSLATE_NOOP("Check", "Reference texts changed since translated"),
        QT_TRANSLATE_NOOP("Check", "Terms of the glossary")};
    return QCoreApplication::translate("Check", descriptions[int(check)]);
}

QList<RowProblem> rowProblems(const QString& reference, const QString& text, const CheckSet& checks)
{
    QList<RowProblem> problems;
    const auto add = [&](Check check, const QString& message) {
        if (checks.has(check))
            problems.append({check, message});
    };
    if (reference.isEmpty() && text.isEmpty())
        return problems;
    ownProblems(reference, text, checks, problems);
    if (text.isEmpty()) {
        add(Check::Missing,
            QCoreApplication::translate("ReferenceChecks",
                                        "the reference has a text here, this file has none"));
        return problems;
    }
    if (reference.isEmpty()) {
        add(Check::Extra,
            QCoreApplication::translate("ReferenceChecks",
                                        "this file has a text here, the reference has none"));
        return problems;
    }
    if (text == reference)
        add(Check::Same, QCoreApplication::translate("ReferenceChecks",
                                                     "the text is the same as the reference's"));
    const ScreenText read(text), referenceText(reference);
    const int keys = read.count(TextPart::AccessKey);
    if (keys != referenceText.count(TextPart::AccessKey))
        add(Check::AccessKeys,
            QCoreApplication::translate("ReferenceChecks", "%1 \"&\" access keys, the reference %2")
                .arg(keys)
                .arg(referenceText.count(TextPart::AccessKey)));
    const Placeholders ours = placeholders(read), theirs = placeholders(referenceText);
    if (!std::ranges::equal(ours, theirs, {}, &Placeholders::value_type::first,
                            &Placeholders::value_type::first))
        add(Check::Placeholders,
            QCoreApplication::translate("ReferenceChecks", "placeholders %1, the reference %2")
                .arg(quoted(written(ours)), quoted(written(theirs))));
    if (leading(text) != leading(reference) || trailing(text) != trailing(reference))
        add(Check::Spaces,
            QCoreApplication::translate("ReferenceChecks",
                                        "leading or trailing spaces differ from the reference's"));
    if (finalMark(text) != finalMark(reference))
        add(Check::Punctuation,
            QCoreApplication::translate("ReferenceChecks", "ends with %1, the reference with %2")
                .arg(quoted(finalMark(text)), quoted(finalMark(reference))));
    if (lineBreaks(text) != lineBreaks(reference))
        add(Check::LineBreaks,
            QCoreApplication::translate("ReferenceChecks", "%1 line breaks, the reference %2")
                .arg(lineBreaks(text))
                .arg(lineBreaks(reference)));
    textProblems(referenceText, read, checks, problems);
    return problems;
}

QList<PairedText> pairedTexts(const LanguageDocument& document, const WorkingCopy& copy,
                              int selectedForm, int form)
{
    QList<PairedText> pairs;
    if (form == selectedForm) {
        for (int i = 0; i < copy.rows.size() && i < LanguageDocument::RowCount; ++i) {
            const int origin = copy.originOf(i);
            pairs.append({origin >= 0 ? origin : i, copy.rows.at(i), i, i});
        }
        std::ranges::stable_sort(pairs, {}, &PairedText::row);
        return pairs;
    }
    // One-character rows are no row of the list: a save drops them, and they stay where they are
    // until then.
    const LanguageTable& stored = document.formText(form);
    int saved = 0;
    for (const int row : LanguageDocument::Rows) {
        const QString& text = stored.at(row);
        if (!text.isEmpty())
            pairs.append({row, text, -1, text.size() > 1 ? saved++ : row});
    }
    return pairs;
}

QString textsAt(QList<PairedText>::const_iterator& pair, QList<PairedText>::const_iterator end,
                int row, bool* any)
{
    while (pair != end && pair->row < row)
        ++pair;
    // A single text shared, not copied.
    QString text;
    bool found = false;
    for (; pair != end && pair->row == row; ++pair) {
        text = found ? text + QStringLiteral(" | ") + pair->text : pair->text;
        found = true;
    }
    if (any)
        *any = found;
    return text;
}

void formProblems(const LanguageDocument& reference, const LanguageDocument& document,
                  const WorkingCopy& copy, int selectedForm, int form, const CheckSet& checks,
                  QList<Problem>& problems, ReferenceCounts& counted, std::optional<RowCache> rows)
{
    {
        const QList<PairedText> pairs = pairedTexts(document, copy, selectedForm, form);
        auto pair = pairs.begin();
        if (rows)
            rows->now.resize(LanguageDocument::RowCount);
        for (const int row : LanguageDocument::Rows) {
            const QString& source = reference.formText(form).at(row);
            bool paired = false, translated = false;
            int nth = 0; // of the texts at the row
            const auto check = [&](const QString& text) {
                if (source.isEmpty() && text.isEmpty())
                    return;
                QList<RowProblem> found;
                if (!rows) {
                    found = rowProblems(source, text, checks);
                } else {
                    const CheckedRow* before =
                        row < rows->before.size() ? &rows->before.at(row) : nullptr;
                    const bool same = before && before->source == source &&
                                      nth < before->texts.size() &&
                                      before->texts.at(nth).first == text;
                    found = same ? before->texts.at(nth).second : rowProblems(source, text, checks);
                    CheckedRow& now = rows->now[row];
                    now.source = source;
                    now.texts.append({text, found});
                }
                ++nth;
                for (const RowProblem& p : found)
                    problems.append({form, row, p.check, p.message});
            };
            for (; pair != pairs.end() && pair->row == row; ++pair) {
                paired = true;
                translated = translated || !pair->text.isEmpty();
                check(pair->text);
                if (checks.has(Check::MovesAtSave) && pair->savedAt != row)
                    problems.append(
                        {form, row, Check::MovesAtSave,
                         QCoreApplication::translate(
                             "ReferenceChecks", "stored as row %1, the commit moves it to row %2")
                             .arg(row)
                             .arg(pair->savedAt)});
            }
            if (!paired)
                check(QString());
            if (!source.isEmpty()) {
                ++counted.referenceRows;
                counted.translated += translated ? 1 : 0;
            }
        }
    }
}

RepeatedTexts repeatedTexts(const LanguageDocument& reference)
{
    QHash<QString, QList<ProblemPlace>> byText;
    for (const int form : LanguageDocument::Forms) {
        for (const int row : LanguageDocument::Rows) {
            if (const QString& text = reference.formText(form).at(row); !text.isEmpty())
                byText[text].append({form, row});
        }
    }
    RepeatedTexts repeated;
    for (const QList<ProblemPlace>& places : std::as_const(byText)) {
        if (places.size() > 1)
            repeated.append(places);
    }
    return repeated;
}

QList<Problem> consistencyProblems(const LanguageDocument& reference,
                                   const LanguageDocument& document, const WorkingCopy& copy,
                                   int selectedForm, const RepeatedTexts* repeated)
{
    struct Place {
        int form, row;
        QString text;
    };
    // The texts of this file at each row of the forms asked about, in the order paired.
    std::array<std::optional<QList<QStringList>>, LanguageDocument::FormCount> textsOf;
    const auto textsAt = [&](ProblemPlace place) -> const QStringList& {
        auto& texts = textsOf[std::size_t(place.form - 1)];
        if (!texts) {
            texts.emplace(LanguageDocument::RowCount);
            for (const PairedText& pair : pairedTexts(document, copy, selectedForm, place.form))
                (*texts)[pair.row].append(pair.text);
        }
        return texts->at(place.row);
    };
    RepeatedTexts groups = repeated ? *repeated : repeatedTexts(reference);
    // A row inserted in the selected form translates the same reference row as the one after it.
    if (selectedForm >= 1 && selectedForm <= LanguageDocument::FormCount) {
        for (const int row : LanguageDocument::Rows) {
            const ProblemPlace place{selectedForm, row};
            if (textsAt(place).size() > 1 && !reference.formText(selectedForm).at(row).isEmpty() &&
                std::none_of(groups.begin(), groups.end(),
                             [&](const QList<ProblemPlace>& g) { return g.contains(place); }))
                groups.append({place});
        }
    }
    QList<Problem> problems;
    for (const QList<ProblemPlace>& group : std::as_const(groups)) {
        QList<Place> places;
        for (const ProblemPlace place : group) {
            for (const QString& text : textsAt(place)) {
                if (!text.isEmpty())
                    places.append({place.form, place.row, text});
            }
        }
        if (places.isEmpty() || std::all_of(places.begin() + 1, places.end(), [&](const Place& p) {
                return p.text == places.first().text;
            }))
            continue; // translated one way: most texts
        // The translation most rows have (the first of them on a tie) is the one to keep; each
        // other row names a row that has it.
        QHash<QString, int> uses;
        for (const Place& p : places)
            ++uses[p.text];
        const Place* kept = &places.first();
        for (const Place& p : places) {
            if (uses.value(p.text) > uses.value(kept->text))
                kept = &p;
        }
        for (const Place& here : places) {
            if (here.text != kept->text)
                problems.append({here.form, here.row, Check::Consistency,
                                 QCoreApplication::translate(
                                     "ReferenceChecks", "translated as \"%1\" in form %2, row %3")
                                     .arg(kept->text)
                                     .arg(kept->form)
                                     .arg(kept->row)});
        }
    }
    std::ranges::stable_sort(problems, {}, placeOf);
    return problems;
}

QString changedMessage(const QString& was, const QString& now)
{
    return QCoreApplication::translate("ReferenceChecks",
                                       "the reference was \"%1\" when translated, now \"%2\"")
        .arg(was, now);
}

QList<Problem> changedProblems(const LanguageDocument& reference,
                               const TranslatedFrom& translatedFrom)
{
    QList<Problem> problems;
    for (auto it = translatedFrom.begin(); it != translatedFrom.end(); ++it) {
        const auto [form, row] = it.key();
        if (form < 1 || form > LanguageDocument::FormCount || row < 0 ||
            row >= LanguageDocument::RowCount)
            continue;
        const QString& now = reference.formText(form).at(row);
        if (now != it.value())
            problems.append(
                {form, row, Check::Changed, changedMessage(it.value(), now), it.value()});
    }
    std::ranges::sort(problems, {}, placeOf);
    return problems;
}

void mergeProblems(QList<Problem>& problems, const QList<Problem>& more)
{
    if (more.isEmpty())
        return;
    problems += more;
    std::ranges::stable_sort(problems, {}, placeOf);
}

// Drops the problems accepted for their row as it is now: its texts (joined as the workbench
// shows them) and its reference text the ones they were accepted for.
static void dropAccepted(QList<Problem>& problems, const LanguageDocument& reference,
                         const LanguageDocument& document, const WorkingCopy& copy,
                         int selectedForm, const Review& review)
{
    // The problems are in form and row order: each form's texts are paired once and gone
    // through once.
    int pairedForm = 0;
    QList<PairedText> pairs;
    auto pair = pairs.cbegin();
    problems.removeIf([&](const Problem& p) {
        const RowReview* said = review.find({p.form, p.row});
        if (!said || said->accepted.isEmpty())
            return false;
        if (pairedForm != p.form) {
            pairs = pairedTexts(document, copy, selectedForm, p.form);
            pair = pairs.cbegin();
            pairedForm = p.form;
        }
        while (pair != pairs.cend() && pair->row < p.row)
            ++pair;
        auto texts = pair; // left at the row for its next problem
        const QString text = textsAt(texts, pairs.cend(), p.row);
        return isAccepted(said, checkName(p.check), text, reference.formText(p.form).at(p.row));
    });
}

QList<Problem> referenceProblems(const LanguageDocument& reference,
                                 const LanguageDocument& document, const WorkingCopy& copy,
                                 int selectedForm, const CheckSet& checks, ReferenceCounts* counts,
                                 const TranslatedFrom* translatedFrom, CheckedForms* checked,
                                 const Review* review)
{
    QList<Problem> problems;
    ReferenceCounts counted;
    CheckedForms fresh;
    CheckedForms& forms = checked ? *checked : fresh;
    for (const int form : LanguageDocument::Forms) {
        CheckedForm& kept = forms.forms[std::size_t(form - 1)];
        const LanguageTable& stored = document.formText(form);
        if (form == selectedForm || !kept.table || !(*kept.table == stored)) {
            const CheckedRows before = std::exchange(kept, {}).rows;
            formProblems(reference, document, copy, selectedForm, form, checks, kept.problems,
                         kept.counts, RowCache{before, kept.rows});
            // The selected form is checked every time: its rows are the working copy's.
            if (checked)
                kept.table = stored;
        }
        problems += kept.problems;
        counted.referenceRows += kept.counts.referenceRows;
        counted.translated += kept.counts.translated;
    }
    if (checks.has(Check::Consistency)) {
        // A table kept is the reference's own, unless another reference took its place.
        const bool sameReference = std::ranges::all_of(LanguageDocument::Forms, [&](int form) {
            return forms.repeatedIn[std::size_t(form - 1)] == reference.formText(form);
        });
        if (!forms.repeated || !sameReference) {
            forms.repeated = repeatedTexts(reference);
            for (const int form : LanguageDocument::Forms)
                forms.repeatedIn[std::size_t(form - 1)] = reference.formText(form);
        }
        mergeProblems(problems, consistencyProblems(reference, document, copy, selectedForm,
                                                    &*forms.repeated));
    }
    if (checks.has(Check::Changed) && (translatedFrom || review)) {
        QList<Problem> changed =
            translatedFrom ? changedProblems(reference, *translatedFrom) : QList<Problem>();
        if (review) {
            // The review beside the file knows this file's rows better than a shared memory does.
            const auto known = [review](const Problem& p) {
                const RowReview* said = review->find({p.form, p.row});
                return said && !said->reference.isEmpty();
            };
            changed.removeIf(known);
            TranslatedFrom reviewed;
            for (auto it = review->rows.cbegin(); it != review->rows.cend(); ++it)
                if (!it->reference.isEmpty() &&
                    it->reference != reference.formText(it.key().form).at(it.key().row))
                    reviewed.insert({it.key().form, it.key().row}, it->reference);
            mergeProblems(changed, changedProblems(reference, reviewed));
        }
        mergeProblems(problems, changed);
    }
    if (review)
        dropAccepted(problems, reference, document, copy, selectedForm, *review);
    counted.problems = int(problems.size());
    if (counts)
        *counts = counted;
    return problems;
}

std::optional<Problem> problemFrom(const QList<Problem>& problems, ProblemPlace here, int step)
{
    if (problems.isEmpty())
        return std::nullopt;
    if (step > 0) {
        const auto next = std::find_if(problems.begin(), problems.end(),
                                       [&](const Problem& p) { return placeOf(p) > here; });
        return next != problems.end() ? *next : problems.first();
    }
    const auto previous = std::find_if(problems.rbegin(), problems.rend(),
                                       [&](const Problem& p) { return placeOf(p) < here; });
    return previous != problems.rend() ? *previous : problems.last();
}
