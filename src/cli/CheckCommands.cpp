// check, stats and diff: problems, counts against a reference, and differences of language
// files, one line each, stable enough for a CI log.
#include "CliSession.h"

#include "CodeText.h"
#include "Dictionaries.h"
#include "DocumentMemory.h"
#include "Glossary.h"
#include "LanguageFile.h"
#include "ProblemReport.h"
#include "ReferenceChecks.h"
#include "WorkingCopy.h"

#include <QMap>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// Problems of the file's layout that the tables no longer show: each the place ("-" for the file as
// a whole, else a table's label) and what is wrong there.
QList<std::pair<QString, QString>> layoutProblems(const ReadResult& read)
{
    QList<std::pair<QString, QString>> problems;
    if (read.parsed.recordCount > 1)
        problems.append({QStringLiteral("-"),
                         QStringLiteral("holds %1 records; only the first is read, and a save "
                                        "keeps only that one")
                             .arg(read.parsed.recordCount)});
    for (const int t : LanguageDocument::Tables) {
        const QByteArrayView field = read.parsed.field(t);
        const QString label = LanguageDocument::label(t);
        const qsizetype expected =
            t == 0 ? LanguageDocument::NameCount : LanguageDocument::RowCount;
        const qsizetype entries = field.count('\xBE');
        if (field.isEmpty() || field.back() != '\xBE')
            problems.append({label, QStringLiteral("does not end with the row terminator \"¾\"; "
                                                   "text after the last one is ignored")});
        if (entries > expected)
            problems.append({label, QStringLiteral("holds %1 entries instead of %2; the ones "
                                                   "beyond the last are dropped (a \"¾\" inside "
                                                   "a text splits it)")
                                        .arg(entries)
                                        .arg(expected)});
        else if (entries < expected)
            problems.append({label, QStringLiteral("holds %1 entries instead of %2; the others "
                                                   "keep whatever the editor held before")
                                        .arg(entries)
                                        .arg(expected)});
    }
    return problems;
}

} // namespace

namespace {

// The checks --checks names, or all but those --skip names; a name that is no check is
// refused with the list of names.
std::optional<CheckSet> chosenChecks(Session& session, const Invocation& call)
{
    CheckSet checks;
    const auto named = [&](const QString& option, bool on) {
        if (!call.option(option.toLatin1().constData()))
            return true;
        if (on)
            checks.on.fill(false);
        for (const QString& name : call.option(option.toLatin1().constData())->split(u',')) {
            const std::optional<Check> check = checkNamed(name.trimmed());
            if (!check) {
                QStringList names;
                for (const int c : AllChecks)
                    names << checkName(Check(c));
                session.usage(QStringLiteral("--%1: no check is called \"%2\"; the checks are %3")
                                  .arg(option, name.trimmed(), names.join(u',')));
                return false;
            }
            checks.on[std::size_t(*check)] = on;
        }
        return true;
    };
    if (call.option("checks") && call.option("skip")) {
        session.usage(QStringLiteral("give --checks or --skip, not both"));
        return std::nullopt;
    }
    if (!named(QStringLiteral("checks"), true) || !named(QStringLiteral("skip"), false))
        return std::nullopt;
    return checks;
}

// Runs the reference checks of each file, as the editor shows them for a file just opened, and
// prints the problems in the format asked for (or the counts).
int againstReference(Session& session, const Invocation& call, ReportFormat format, bool countsOnly)
{
    std::optional<CheckSet> checks = chosenChecks(session, call);
    if (!checks)
        return ExitUsage;
    // Spelling only in a language asked for.
    std::unique_ptr<HunspellSpeller> speller;
    if (const auto language = call.option("language")) {
        QString problem;
        speller = HunspellSpeller::load(*language, problem);
        if (!speller)
            return session.fileError(QStringLiteral("--language %1").arg(*language), problem);
        if (!speller->wordListProblem().isEmpty())
            session.warn(speller->wordListProblem());
        checks->speller = speller.get();
        speller->checksCapitals = call.option("check-capitals").has_value();
    }
    // With a memory, the rows whose reference text changed since they were translated; with
    // --glossary, its glossary (of the person's own memory without --tm).
    const bool glossaryAsked = call.option("glossary").has_value();
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (call.option("tm") || glossaryAsked) {
        if (!call.option("reference-language") || !call.option("language"))
            return session.usage(QStringLiteral("--%1 needs --reference-language LANG and "
                                                "--language LANG")
                                     .arg(glossaryAsked ? "glossary" : "tm"));
        if (const int status = openMemory(session, call, memory, MemoryCreation::MustExist))
            return status;
    }
    // The words of the glossary's terms found inflected through both languages' dictionaries
    // (the reference's, if there is one).
    std::optional<Glossary> glossary;
    std::unique_ptr<HunspellSpeller> source;
    if (glossaryAsked) {
        QString none;
        source = HunspellSpeller::load(*call.option("reference-language"), none);
        glossary.emplace(memory.terms(*call.option("reference-language"), *call.option("language")),
                         HunspellSpeller::stemmer([&source] { return source.get(); }),
                         HunspellSpeller::stemmer([&speller] { return speller.get(); }));
        checks->glossary = &*glossary;
    }
    const auto reference = session.load(*call.option("against"));
    if (!reference)
        return ExitFileError;
    bool loaded = true;
    QStringList files;
    QList<ReportedProblem> reported;
    for (const QString& path : call.positional) {
        const auto document = session.load(path);
        if (!document) {
            loaded = false;
            continue;
        }
        files << path;
        const WorkingCopy copy = openedWorkingCopy(*document, 0);
        std::optional<TranslatedFrom> translatedFrom;
        if (call.option("tm"))
            translatedFrom = memory.sourcesOf(*call.option("reference-language"),
                                              *call.option("language"), memoryOrigin(path));
        // The review beside the file: the problems accepted for a row as it is are none.
        const std::optional<Review> review = session.loadReview(path);
        if (!review) {
            loaded = false;
            continue;
        }
        ReferenceCounts counts;
        const QList<Problem> problems =
            referenceProblems(*reference, *document, copy, 0, *checks, &counts,
                              translatedFrom ? &*translatedFrom : nullptr, nullptr, &*review);
        if (!countsOnly) {
            for (const Problem& p : problems)
                reported.append(
                    {path,
                     QStringLiteral("%1_lng_(%2)").arg(LanguageDocument::label(p.form)).arg(p.row),
                     checkName(p.check), p.message});
            continue;
        }
        QString text = QStringLiteral("%1: %2 of %3 reference rows translated, %4 problems\n")
                           .arg(path)
                           .arg(counts.translated)
                           .arg(counts.referenceRows)
                           .arg(problems.size());
        // Where the reference's rows stand, by the review beside the file, and who reviewed them.
        std::array<int, 4> states{};
        QMap<QString, int> reviewers;
        for (const int form : LanguageDocument::Forms) {
            for (const int row : LanguageDocument::Rows) {
                const QString& source = reference->formText(form).at(row);
                if (source.isEmpty())
                    continue;
                const RowReview* said = review->find({form, row});
                const RowState state = stateOf(said, document->formText(form).at(row), source);
                ++states[std::size_t(state)];
                if (state == RowState::Reviewed)
                    ++reviewers[said->reviewedBy];
            }
        }
        for (std::size_t s = 0; s < states.size(); ++s)
            text += QStringLiteral("%1: %2: %3\n").arg(path, stateName(RowState(s))).arg(states[s]);
        for (auto r = reviewers.cbegin(); r != reviewers.cend(); ++r)
            text += QStringLiteral("%1: reviewed by %2: %3\n")
                        .arg(path, r.key().isEmpty() ? QStringLiteral("nobody named") : r.key())
                        .arg(r.value());
        for (const int c : AllChecks) {
            const auto n = std::count_if(problems.begin(), problems.end(),
                                         [c](const Problem& p) { return int(p.check) == c; });
            text += QStringLiteral("%1: %2: %3\n").arg(path, checkName(Check(c))).arg(n);
        }
        session.print(text);
    }
    if (!countsOnly) {
        // The checks that ran: spelling only with a dictionary, changed only with a memory, the
        // glossary only when asked for.
        QStringList ran;
        for (const int c : AllChecks)
            if (checks->has(Check(c)) && (Check(c) != Check::Spelling || speller) &&
                (Check(c) != Check::Changed || call.option("tm")) &&
                (Check(c) != Check::Glossary || glossary))
                ran << checkName(Check(c));
        session.printBytes(problemReport(format, files, ran, reported));
    }
    if (!loaded)
        return ExitFileError;
    return memoryReadStatus(session, memory,
                            reported.isEmpty() || countsOnly ? ExitOk : ExitFileError);
}

// The format --format names, text when none is given; nothing after a usage message.
std::optional<ReportFormat> chosenFormat(Session& session, const Invocation& call)
{
    const QString name = call.option("format").value_or(QStringLiteral("text"));
    const std::optional<ReportFormat> format = reportFormatNamed(name);
    if (!format)
        session.usage(QStringLiteral("--format: no format is called \"%1\"; the formats are "
                                     "text,json,junit,sarif")
                          .arg(name));
    return format;
}

} // namespace

int commandStats(Session& session, const Invocation& call)
{
    if (call.positional.isEmpty() || !call.option("against") ||
        !call.onlyOptions({"against", "language", "check-capitals", "checks", "skip", "tm",
                           "reference-language"}))
        return session.usage(QStringLiteral("stats takes --against REFERENCE and FILEs"));
    return againstReference(session, call, ReportFormat::Text, true);
}

int commandCheck(Session& session, const Invocation& call)
{
    if (call.positional.isEmpty() ||
        !call.onlyOptions(call.option("against")
                              ? QStringList{"against", "language", "check-capitals", "checks",
                                            "skip", "tm", "reference-language", "format",
                                            "glossary"}
                              : QStringList{"format"}))
        return session.usage(QStringLiteral("check takes one or more FILEs; --language, --checks, "
                                            "--skip and --glossary only with --against"));
    const std::optional<ReportFormat> format = chosenFormat(session, call);
    if (!format)
        return ExitUsage;
    if (call.option("against"))
        return againstReference(session, call, *format, false);
    // The file's own problems: its layout, and entries a language file or gettext cannot hold.
    QList<ReportedProblem> reported;
    for (const QString& path : call.positional) {
        const ReadResult read = readLanguageFile(path);
        if (read.status != ReadStatus::Ok) {
            reported.append({path, QStringLiteral("-"), QStringLiteral("file"),
                             QStringLiteral("does not load: %1").arg(read.reason)});
            continue;
        }
        for (const auto& [place, problem] : layoutProblems(read))
            reported.append({path, place, QStringLiteral("file"), problem});
        LanguageDocument document;
        lsf::applyFields(read.parsed, document);
        auto entries = entryProblems(document) + poProblems(document);
        std::stable_sort(entries.begin(), entries.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [label, problem] : entries)
            reported.append({path, label, QStringLiteral("file"), problem});
    }
    session.printBytes(problemReport(*format, call.positional, {QStringLiteral("file")}, reported));
    return reported.isEmpty() ? ExitOk : ExitFileError;
}

int commandDiff(Session& session, const Invocation& call)
{
    if (call.positional.size() != 2 || !call.options.isEmpty())
        return session.usage(QStringLiteral("diff takes two FILEs"));
    const auto before = session.load(call.positional.at(0));
    const auto after = before ? session.load(call.positional.at(1)) : std::nullopt;
    if (!before || !after)
        return ExitUsage; // could not compare: neither equal nor different
    bool equal = true;
    for (const int t : LanguageDocument::Tables) {
        const LanguageTable& a = before->table(t);
        const LanguageTable& b = after->table(t);
        for (int i = a.firstIndex(); i <= a.lastIndex(); ++i) {
            if (a.at(i) == b.at(i))
                continue;
            equal = false;
            session.print(QStringLiteral("%1: %2 -> %3\n")
                              .arg(entryLabel(t, i), quoted(a.at(i)), quoted(b.at(i))));
        }
    }
    return equal ? ExitOk : ExitFileError;
}
