// tm, glossary and pretranslate: the translation memory and its glossary from the command line,
// for scripts and CI.
#include "CliSession.h"

#include "CodeText.h"
#include "DocumentMemory.h"
#include "GlossaryFiles.h"
#include "LanguageFile.h"
#include "Tmx.h"
#include "TranslationMemory.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

namespace {

// A long import into a file commits in parts, so that other windows and scripts can write between
// them. SQLite's write lock is not fair: a writer waiting for it looks again every 100 ms at most,
// so the import pauses a little longer than that between its parts. On a server, where writers
// wait only for the units they share, an import is one transaction: all of it or nothing.
constexpr qsizetype ImportBatch = 10000;
constexpr int PauseBetweenBatchesMs = 120;

// "3 left out (1 an empty text, 2 no source term)": how many were left out, and why.
QString leftOut(const QMap<QString, int>& skipped)
{
    QStringList why;
    int left = 0;
    for (auto i = skipped.cbegin(); i != skipped.cend(); ++i) {
        why << QStringLiteral("%1 %2").arg(i.value()).arg(i.key());
        left += i.value();
    }
    return QStringLiteral("%1 left out%2")
        .arg(left)
        .arg(why.isEmpty() ? QString()
                           : QStringLiteral(" (%1)").arg(why.join(QStringLiteral(", "))));
}

// "4824 units: 4824 added, 0 updated, 0 unchanged", and what was left out and why.
QString additionReport(qsizetype units, const MemoryAddition& added, QMap<QString, int> skipped)
{
    if (added.empty > 0)
        skipped[QStringLiteral("an empty text")] += added.empty;
    if (added.tooLong > 0)
        skipped[QStringLiteral("longer than %1 characters").arg(MaxUnitLength)] += added.tooLong;
    return QStringLiteral("%1 units: %2 added, %3 updated, %4 unchanged, %5\n")
        .arg(units)
        .arg(added.added)
        .arg(added.updated)
        .arg(added.unchanged)
        .arg(leftOut(skipped));
}

void addTo(MemoryAddition& total, const MemoryAddition& part)
{
    total.added += part.added;
    total.updated += part.updated;
    total.unchanged += part.unchanged;
    total.empty += part.empty;
    total.tooLong += part.tooLong;
}

// Every unit of one memory into another, in one transaction, a newer unit there kept.
int copyUnits(Session& session, const TranslationMemory& from, TranslationMemory& to)
{
    const QList<MemoryUnit> units = from.units();
    if (!from.readError().isEmpty())
        return memoryReadStatus(session, from, ExitFileError);
    const MemoryAddition added = to.add(units, [&](qsizetype done) {
        session.progress(QStringLiteral("Copying: %1 of %2 units").arg(done).arg(units.size()));
    });
    session.progress({});
    if (!added.error.isEmpty())
        return session.failure(added.error);
    session.print(additionReport(units.size(), added, {}));
    return ExitOk;
}

int tmAdd(Session& session, const Invocation& call)
{
    if (call.positional.size() < 2 || !call.option("against") ||
        !call.option("reference-language") || !call.option("language") ||
        !call.onlyOptions({"tm", "against", "reference-language", "language"}))
        return session.usage(QStringLiteral(
            "tm add takes --against REFERENCE --reference-language LANG --language LANG FILEs"));
    TranslationMemory memory(CommandBusyTimeoutMs);
    const auto reference = session.load(*call.option("against"));
    if (!reference)
        return ExitFileError;
    if (const int status = openMemory(session, call, memory, MemoryCreation::MakeIfMissing))
        return status;
    const QString from = *call.option("reference-language"), to = *call.option("language");
    QList<MemoryUnit> units;
    qsizetype changed = 0; // rows beside a reference text they were not translated from
    for (const QString& path : call.positional.mid(1)) {
        const auto document = session.load(path);
        if (!document)
            return ExitFileError;
        const QList<MemoryUnit> kept = translatedRows(
            *reference, *document, path, from, to, memory.sourcesOf(from, to, memoryOrigin(path)));
        changed += translatedRows(*reference, *document, path, from, to).size() - kept.size();
        units += kept;
    }
    const MemoryAddition added = memory.add(units);
    if (!added.error.isEmpty())
        return session.failure(added.error);
    QMap<QString, int> skipped;
    if (changed > 0)
        skipped[QStringLiteral("translated from another reference text")] = int(changed);
    session.print(additionReport(units.size() + changed, added, skipped));
    return ExitOk;
}

int tmSuggest(Session& session, const Invocation& call)
{
    bool number = true;
    const int max = call.option("max").value_or(QStringLiteral("3")).toInt(&number);
    if (call.positional.size() != 2 || !call.option("reference-language") ||
        !call.option("language") || !number || max < 1 ||
        !call.onlyOptions({"tm", "reference-language", "language", "max"}))
        return session.usage(QStringLiteral("tm suggest takes --reference-language LANG "
                                            "--language LANG [--max N] TEXT"));
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (const int status = openMemory(session, call, memory, MemoryCreation::MustExist))
        return status;
    QJsonArray found;
    for (const Suggestion& s :
         memory.suggest(*call.option("reference-language"), *call.option("language"),
                        call.positional.at(1), max)) {
        found.append(QJsonObject{{QStringLiteral("score"), s.score},
                                 {QStringLiteral("source"), s.unit.source},
                                 {QStringLiteral("target"), s.unit.target},
                                 {QStringLiteral("origin"), s.unit.origin},
                                 {QStringLiteral("form"), s.unit.form},
                                 {QStringLiteral("row"), s.unit.row}});
    }
    session.printBytes(QJsonDocument(found).toJson());
    return memoryReadStatus(session, memory, ExitOk);
}

int tmImport(Session& session, const Invocation& call)
{
    if (call.positional.size() != 2 || !call.onlyOptions({"tm"}))
        return session.usage(QStringLiteral("tm import takes one FILE.tmx"));
    TmxContents tmx;
    if (const QString problem = readTmx(call.positional.at(1), tmx); !problem.isEmpty())
        return session.fileError(call.positional.at(1), problem);
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (const int status = openMemory(session, call, memory, MemoryCreation::MakeIfMissing))
        return status;
    const auto progress = [&](qsizetype done) {
        session.progress(
            QStringLiteral("Importing: %1 of %2 units").arg(done).arg(tmx.units.size()));
    };
    if (isServerAddress(call.option("tm").value_or(QString()))) {
        const MemoryAddition added = memory.add(tmx.units, progress);
        session.progress({});
        if (!added.error.isEmpty())
            return session.failure(QStringLiteral("nothing was imported: %1").arg(added.error));
        session.print(additionReport(tmx.units.size(), added, tmx.skipped));
        return ExitOk;
    }
    MemoryAddition total;
    for (qsizetype done = 0; done < tmx.units.size(); done += ImportBatch) {
        progress(done);
        const MemoryAddition part = memory.add(tmx.units.mid(done, ImportBatch));
        if (!part.error.isEmpty()) {
            session.print(additionReport(done, total, tmx.skipped));
            return session.failure(QStringLiteral("%1 units of %2 were imported: %3")
                                       .arg(done)
                                       .arg(tmx.units.size())
                                       .arg(part.error));
        }
        addTo(total, part);
        if (done + ImportBatch < tmx.units.size())
            QThread::msleep(PauseBetweenBatchesMs);
    }
    session.progress({});
    session.print(additionReport(tmx.units.size(), total, tmx.skipped));
    return ExitOk;
}

int tmExport(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.option("output") ||
        !call.onlyOptions({"tm", "output"}))
        return session.usage(QStringLiteral("tm export takes -o FILE.tmx"));
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (const int status = openMemory(session, call, memory, MemoryCreation::MustExist))
        return status;
    QStringList dropped;
    const QString problem = writeTmx(*call.option("output"), memory.units(), dropped);
    for (const QString& unit : dropped)
        session.warn(QStringLiteral("left out %1").arg(unit));
    if (!memory.readError().isEmpty()) // nothing written: an export of part of a memory
        return memoryReadStatus(session, memory, ExitFileError);
    return problem.isEmpty() ? ExitOk : session.fileError(*call.option("output"), problem);
}

// Makes the memory on a server before anyone uses it, or prints the statements that make it, for
// an administrator who gives translators a role that may not create tables.
int tmInit(Session& session, const Invocation& call)
{
    const QString where = call.positional.value(1);
    if (call.positional.size() != 2 || !isServerAddress(where) || !call.onlyOptions({"print-sql"}))
        return session.usage(QStringLiteral("tm init takes a server's address, "
                                            "postgresql://HOST/DATABASE, and --print-sql to "
                                            "print the statements instead"));
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (call.option("print-sql")) {
        QString problem;
        const QStringList statements = memory.schema(where, problem);
        if (!problem.isEmpty())
            return session.failure(problem);
        session.print(statements.join(QStringLiteral(";\n")) + QStringLiteral(";\n"));
        return ExitOk;
    }
    if (const MemoryOpening opened = memory.open(where); !opened.error.isEmpty())
        return session.failure(opened.error);
    session.print(QStringLiteral("the translation memory is ready\n"));
    return ExitOk;
}

// Hands a server what was learnt away from it: the units windows kept while it could not be
// reached, or every unit of a memory file (one taken on a journey).
int tmPush(Session& session, const Invocation& call)
{
    const QString server = call.positional.value(1);
    if (call.positional.size() != 2 || !isServerAddress(server) || !call.onlyOptions({"tm"}))
        return session.usage(QStringLiteral("tm push takes a server's address, "
                                            "postgresql://HOST/DATABASE, and --tm FILE to hand "
                                            "it every unit of that memory"));
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (const MemoryOpening opened = memory.open(server); !opened.error.isEmpty())
        return session.failure(opened.error);
    if (!call.option("tm")) {
        if (!QFileInfo::exists(TranslationMemory::outboxPath(server))) {
            session.print(
                QStringLiteral("nothing was waiting for %1\n").arg(serverAddressShown(server)));
            return ExitOk;
        }
        const MemoryAddition pushed = memory.pushOutbox(server);
        if (!pushed.error.isEmpty())
            return session.failure(pushed.error);
        session.print(additionReport(pushed.added + pushed.updated + pushed.unchanged, pushed, {}));
        return ExitOk;
    }
    TranslationMemory local(CommandBusyTimeoutMs);
    if (const int status = openMemory(session, call, local, MemoryCreation::MustExist))
        return status;
    return copyUnits(session, local, memory);
}

// Fills a memory file from a server, for work where the server cannot be reached.
int tmPull(Session& session, const Invocation& call)
{
    const QString server = call.positional.value(1);
    if (call.positional.size() != 2 || !isServerAddress(server) || !call.onlyOptions({"tm"}) ||
        isServerAddress(call.option("tm").value_or(QString())))
        return session.usage(QStringLiteral("tm pull takes a server's address, "
                                            "postgresql://HOST/DATABASE, and --tm FILE for another "
                                            "memory than your own"));
    TranslationMemory memory(CommandBusyTimeoutMs), local(CommandBusyTimeoutMs);
    if (const MemoryOpening opened = memory.open(server, MemoryCreation::MustExist);
        !opened.error.isEmpty())
        return session.failure(opened.error);
    if (const int status = openMemory(session, call, local, MemoryCreation::MakeIfMissing))
        return status;
    return copyUnits(session, memory, local);
}

// The units of each language pair and origin, for an administrator.
int tmStats(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.onlyOptions({"tm"}))
        return session.usage(QStringLiteral("tm stats takes --tm MEMORY only"));
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (const int status = openMemory(session, call, memory, MemoryCreation::MustExist))
        return status;
    // Each pair's count first, then its origins' (the counts come by pair, then origin).
    const QList<UnitCount> counts = memory.counts();
    const auto pairOf = [](const UnitCount& count) {
        return count.sourceLanguage + QStringLiteral(" → ") + count.targetLanguage;
    };
    QMap<QString, qint64> ofPair;
    qint64 total = 0;
    for (const UnitCount& count : counts) {
        ofPair[pairOf(count)] += count.units;
        total += count.units;
    }
    QString out, pair;
    for (const UnitCount& count : counts) {
        if (pairOf(count) != std::exchange(pair, pairOf(count)))
            out += QStringLiteral("%1: %2 units\n").arg(pair, QString::number(ofPair.value(pair)));
        out += QStringLiteral("%1 %2\n").arg(QString::number(count.units).rightJustified(9),
                                             count.origin);
    }
    session.print(out + QStringLiteral("%1 units in all\n").arg(total));
    return memoryReadStatus(session, memory, ExitOk);
}

} // namespace

int commandTm(Session& session, const Invocation& call)
{
    const QString action = call.positional.value(0);
    if (action == QLatin1String("add"))
        return tmAdd(session, call);
    if (action == QLatin1String("suggest"))
        return tmSuggest(session, call);
    if (action == QLatin1String("import"))
        return tmImport(session, call);
    if (action == QLatin1String("export"))
        return tmExport(session, call);
    if (action == QLatin1String("init"))
        return tmInit(session, call);
    if (action == QLatin1String("push"))
        return tmPush(session, call);
    if (action == QLatin1String("pull"))
        return tmPull(session, call);
    if (action == QLatin1String("stats"))
        return tmStats(session, call);
    return session.usage(
        QStringLiteral("tm takes add, suggest, import, export, init, push, pull or stats"));
}

namespace {

// Reads a glossary file by its extension: TBX, or CSV with a header line.
QString readGlossaryFile(const QString& path, const QString& from, const QString& to,
                         GlossaryContents& contents)
{
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return readGlossaryCsv(path, contents);
    return readTbx(path, from, to, contents);
}

} // namespace

int commandGlossary(Session& session, const Invocation& call)
{
    const QString action = call.positional.value(0);
    const bool untranslated = call.option("do-not-translate").has_value();
    const bool add =
        action == QLatin1String("add") && call.positional.size() == (untranslated ? 2 : 3) &&
        call.onlyOptions({"tm", "reference-language", "language", "note", "do-not-translate"});
    const bool list = action == QLatin1String("list") && call.positional.size() == 1 &&
                      call.onlyOptions({"tm", "reference-language", "language"});
    const bool import = action == QLatin1String("import") && call.positional.size() == 2 &&
                        call.onlyOptions({"tm", "reference-language", "language"});
    const bool exported = action == QLatin1String("export") && call.positional.size() == 1 &&
                          call.option("output") &&
                          call.onlyOptions({"tm", "reference-language", "language", "output"});
    if ((!add && !list && !import && !exported) || !call.option("reference-language") ||
        !call.option("language"))
        return session.usage(QStringLiteral(
            "glossary takes add SOURCE TARGET [--note TEXT], add SOURCE --do-not-translate, "
            "list, import FILE.tbx|FILE.csv or export -o FILE.tbx, with --reference-language "
            "LANG --language LANG"));
    const QString from = *call.option("reference-language"), to = *call.option("language");
    // A file that cannot be read is said before the memory is made for it.
    GlossaryContents read;
    if (import) {
        if (const QString problem = readGlossaryFile(call.positional.at(1), from, to, read);
            !problem.isEmpty())
            return session.fileError(call.positional.at(1), problem);
    }
    TranslationMemory memory(CommandBusyTimeoutMs);
    if (const int status =
            openMemory(session, call, memory,
                       add || import ? MemoryCreation::MakeIfMissing : MemoryCreation::MustExist))
        return status;
    if (add || import) {
        const QList<GlossaryTerm> terms =
            import ? read.terms
                   : QList<GlossaryTerm>{{call.positional.at(1),
                                          untranslated ? QString() : call.positional.at(2),
                                          untranslated, call.option("note").value_or(QString())}};
        if (const QString problem = memory.addTerms(from, to, terms); !problem.isEmpty())
            return session.failure(import ? QStringLiteral("nothing was imported: %1").arg(problem)
                                          : problem);
        if (!import)
            return ExitOk;
        session.print(QStringLiteral("%1 terms: %2 imported, %3\n")
                          .arg(read.read)
                          .arg(read.terms.size())
                          .arg(leftOut(read.skipped)));
        return ExitOk;
    }
    const QList<GlossaryTerm> terms = memory.terms(from, to);
    if (!memory.readError().isEmpty()) // nothing written: an export of part of a glossary
        return memoryReadStatus(session, memory, ExitFileError);
    if (exported) {
        QStringList dropped;
        const QString problem = writeTbx(*call.option("output"), from, to, terms, dropped);
        for (const QString& term : dropped)
            session.warn(QStringLiteral("left out %1").arg(term));
        return problem.isEmpty() ? ExitOk : session.fileError(*call.option("output"), problem);
    }
    QString out;
    for (const GlossaryTerm& term : terms)
        out += QStringList{term.source, term.doNotTranslate ? QStringLiteral("-") : term.target,
                           term.note}
                   .join(u'\t') +
               u'\n';
    session.print(out);
    return ExitOk;
}

int commandPretranslate(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.option("against") || !call.option("output") ||
        !call.option("reference-language") || !call.option("language") ||
        !call.onlyOptions({"tm", "against", "reference-language", "language", "output"}))
        return session.usage(
            QStringLiteral("pretranslate takes --against REFERENCE "
                           "--reference-language LANG --language LANG FILE -o OUT"));
    TranslationMemory memory(CommandBusyTimeoutMs);
    const auto reference = session.load(*call.option("against"));
    auto document = reference ? session.load(call.positional.first()) : std::nullopt;
    if (!document)
        return ExitFileError;
    if (const int status = openMemory(session, call, memory, MemoryCreation::MustExist))
        return status;
    // Only the rows the file leaves empty, and only from a translation of the same text.
    const Pretranslation found =
        pretranslation(memory, *reference, *document, *call.option("reference-language"),
                       *call.option("language"));
    for (const PlacedText& t : found.texts)
        document->formText(t.form).set(t.row, t.text);
    for (const auto& [text, why] : found.refused)
        session.warn(QStringLiteral("%1: left empty: the memory's translation %2 cannot be "
                                    "stored: it %3")
                         .arg(entryLabel(text.form, text.row), quoted(text.text), why));
    if (!memory.readError().isEmpty())
        return memoryReadStatus(session, memory, ExitFileError);
    const int status = session.save(*document, *call.option("output"));
    if (status == ExitOk)
        session.print(QStringLiteral("%1 rows filled from the memory\n").arg(found.texts.size()));
    return status;
}

int openMemory(Session& session, const Invocation& call, TranslationMemory& memory,
               MemoryCreation creation)
{
    for (const char* option : {"tm", "reference-language", "language"}) {
        if (call.option(option) && call.option(option)->isEmpty())
            return session.usage(QStringLiteral("--%1 takes a value").arg(QLatin1String(option)));
    }
    const MemoryOpening opening =
        memory.open(call.option("tm").value_or(TranslationMemory::defaultPath()), creation);
    if (!opening.notice.isEmpty())
        session.warn(opening.notice);
    return opening.error.isEmpty() ? ExitOk : session.failure(opening.error);
}

int memoryReadStatus(Session& session, const TranslationMemory& memory, int status)
{
    if (memory.readError().isEmpty())
        return status;
    return session.failure(memory.readError() + QStringLiteral("; what was found is incomplete"));
}
