// The bridge to gettext PO files: to-po writes a language file's rows as PO entries, from-po
// writes their translations into a copy of the source file.
#include "CliSession.h"
#include "CodeText.h"
#include "PoFile.h"
#include "ReviewFile.h"
#include "TextRules.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <optional>

namespace {

// Why a PO file cannot hold the text, or an empty string: PO texts are C strings, and gettext
// keeps EOT for itself (it joins msgctxt and msgid).
QString poUnsafe(const QString& text)
{
    const char* name = text.contains(QChar(0)) ? "NUL" : text.contains(QChar(4)) ? "EOT" : nullptr;
    return name ? QStringLiteral("holds the control character %1, which a PO file cannot hold")
                      .arg(QLatin1String(name))
                : QString();
}

// The translator comment to-po gives a pair gettext refuses; from-po leaves it out of the note.
const QString FuzzyBecause = QStringLiteral("lexicant: fuzzy because ");

PoHeader headerFor(const LanguageDocument& source, const LanguageDocument* translation,
                   const QString& language)
{
    // A header value is one line: a line break inside a setting becomes a space.
    const auto line = [](const QString& value) {
        return QString(value)
            .replace(QLatin1String("\r\n"), QLatin1String(" "))
            .replace(u'\n', u' ')
            .replace(u'\r', u' ');
    };
    const QString project =
        line(source.setting(FileSetting::Application) + u' ' + source.setting(FileSetting::Version))
            .trimmed();
    const QString now =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm+0000"));
    return {
        {QStringLiteral("Project-Id-Version"),
         project.isEmpty() ? QStringLiteral("Lexicant language file") : project},
        {QStringLiteral("Report-Msgid-Bugs-To"), QString()},
        {QStringLiteral("POT-Creation-Date"), now},
        {QStringLiteral("PO-Revision-Date"), now},
        {QStringLiteral("Last-Translator"),
         translation ? line(translation->setting(FileSetting::Author)) : QString()},
        {QStringLiteral("Language-Team"), QString()},
        {QStringLiteral("Language"), language},
        {QStringLiteral("MIME-Version"), QStringLiteral("1.0")},
        {QStringLiteral("Content-Type"), QStringLiteral("text/plain; charset=UTF-8")},
        {QStringLiteral("Content-Transfer-Encoding"), QStringLiteral("8bit")},
        {QStringLiteral("X-Generator"), QStringLiteral("lexicant-cli")},
    };
}

} // namespace

QList<std::pair<QString, QString>> poProblems(const LanguageDocument& document)
{
    QList<std::pair<QString, QString>> problems;
    for (const int form : LanguageDocument::Forms) {
        for (const int row : LanguageDocument::Rows) {
            const QString problem = poUnsafe(document.formText(form).at(row));
            if (!problem.isEmpty())
                problems.append({entryLabel(form, row), problem});
        }
    }
    return problems;
}

int commandToPo(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.onlyOptions({"output", "translation", "language"}))
        return session.usage(
            QStringLiteral("to-po takes SOURCE and --translation TARGET, --language CODE, -o OUT"));
    const QString sourcePath = call.positional.first();
    std::optional<Session::Translated> loaded =
        session.loadTranslated(sourcePath, call.option("translation"));
    if (!loaded)
        return ExitFileError;
    const auto& [source, translation, review] = *loaded;

    QList<PoEntry> entries;
    for (const int form : LanguageDocument::Forms) {
        const LanguageTable& rows = source.formText(form);
        for (const int row : LanguageDocument::Rows) {
            PoEntry entry;
            entry.context = entryLabel(form, row);
            entry.source = rows.at(row);
            if (entry.source.isEmpty())
                continue;
            entry.translation = translation ? translation->formText(form).at(row) : QString();
            const QString sourceUnsafe = poUnsafe(entry.source);
            const QString unsafe =
                sourceUnsafe.isEmpty() ? poUnsafe(entry.translation) : sourceUnsafe;
            if (!unsafe.isEmpty())
                return session.fileError(sourceUnsafe.isEmpty() ? *call.option("translation")
                                                                : sourcePath,
                                         entry.context + u' ' + unsafe);
            entry.comment = QStringLiteral("Form %1: %2").arg(form).arg(source.FormNames.at(form));
            // A pair that gettext refuses as a translation goes in as gettext keeps such work in
            // progress: fuzzy, with the reason for the translator.
            const QString broken = gettextRuleBroken(entry.source, entry.translation);
            if (!broken.isEmpty()) {
                entry.fuzzy = true;
                entry.note = FuzzyBecause + broken;
            }
            // The review: a row that needs one is fuzzy, as gettext marks a translation to look
            // at again, with the reference text it was translated from as the previous msgid.
            const RowReview* reviewed = review.find({form, row});
            if (stateOf(reviewed, entry.translation, entry.source) == RowState::NeedsReview)
                entry.fuzzy = true;
            if (reviewed && !reviewed->note.isEmpty())
                entry.note =
                    reviewed->note + (entry.note.isEmpty() ? QString() : u'\n' + entry.note);
            if (reviewed && !reviewed->reference.isEmpty() && reviewed->reference != entry.source)
                entry.previousSource = reviewed->reference;
            entries << entry;
        }
    }

    const PoHeader header = headerFor(source, translation ? &*translation : nullptr,
                                      call.option("language").value_or(QString()));
    QTemporaryDir scratch;
    const QString written = scratch.filePath(QStringLiteral("out.po"));
    const QString problem = writePoFile(written, header, entries);
    if (!problem.isEmpty())
        return session.fileError(call.option("output").value_or(QStringLiteral("-")), problem);
    QFile file(written);
    if (!file.open(QIODevice::ReadOnly))
        return session.fileError(written, file.errorString());
    return session.deliver(call.option("output"), file.readAll());
}

int commandFromPo(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.option("template") || !call.option("output") ||
        !call.onlyOptions({"output", "template", "use-fuzzy"}))
        return session.usage(
            QStringLiteral("from-po takes PO, --template SOURCE, -o TARGET and --use-fuzzy"));
    const bool useFuzzy = call.option("use-fuzzy").has_value();
    const QString poPath = call.positional.first();
    auto document = session.load(*call.option("template"));
    if (!document)
        return ExitFileError;
    QString error;
    const auto entries = readPoFile(poPath, error);
    if (!entries)
        return session.fileError(poPath, error);

    const LanguageDocument original = *document;
    QSet<std::pair<int, int>> translated; // form, row
    // What the PO file says of each translation beyond its text, for the review beside TARGET.
    Review review;
    int fuzzyLeftOut = 0;
    for (const PoEntry& entry : *entries) {
        const auto label = parseRowLabel(entry.context);
        if (!label) {
            session.warn(QStringLiteral("%1: msgctxt %2 names no row of a form; ignored")
                             .arg(poPath, quoted(entry.context)));
            continue;
        }
        if (entry.translation.isEmpty())
            continue;
        if (entry.fuzzy && !useFuzzy) {
            ++fuzzyLeftOut;
            continue;
        }
        const QString& text = entry.translation;
        if (const QString problem = storageProblem(text); !problem.isEmpty())
            return session.fileError(
                poPath, QStringLiteral("%1: the translation %2").arg(entry.context, problem));
        LanguageTable& rows = document->formText(label->form);
        if (text.size() == 1)
            session.warn(QStringLiteral("%1: the translation %2 has one character: the editor "
                                        "hides such a row and drops it at the next commit")
                             .arg(entry.context, quoted(text)));
        const QString& templateText = original.formText(label->form).at(label->row);
        if (templateText != entry.source)
            session.warn(QStringLiteral("%1: the template's text %2 is not the PO's msgid %3; "
                                        "the translation is used")
                             .arg(entry.context, quoted(templateText), quoted(entry.source)));
        if (translated.contains({label->form, label->row}))
            session.warn(
                QStringLiteral("%1: translated again in %2; the later translation %3 "
                               "replaces %4")
                    .arg(entry.context, poPath, quoted(text), quoted(rows.at(label->row))));
        rows.set(label->row, text);
        translated.insert({label->form, label->row});
        QStringList note = entry.note.split(u'\n');
        note.removeIf([](const QString& line) { return line.startsWith(FuzzyBecause); });
        RowReview row = stored(nullptr, text,
                               entry.previousSource.isEmpty() ? entry.source : entry.previousSource,
                               entry.fuzzy ? RowState::NeedsReview : RowState::Translated);
        row.note = note.join(u'\n').trimmed();
        review.rows.insert({label->form, label->row}, row);
    }

    int used = 0;
    for (const int form : LanguageDocument::Forms) {
        for (const int row : LanguageDocument::Rows)
            used += document->formText(form).at(row).isEmpty() ? 0 : 1;
    }
    if (fuzzyLeftOut > 0)
        session.warn(QStringLiteral("%1: %2 fuzzy %3 left out; --use-fuzzy takes them too")
                         .arg(poPath)
                         .arg(fuzzyLeftOut)
                         .arg(QLatin1String(fuzzyLeftOut == 1 ? "translation" : "translations")));
    const int status = session.save(*document, *call.option("output"),
                                    reviewBeside(*call.option("output"), review));
    if (status == ExitOk)
        session.print(QStringLiteral("%1 rows translated, %2 rows kept from the template\n")
                          .arg(translated.size())
                          .arg(used - translated.size()));
    return status;
}
