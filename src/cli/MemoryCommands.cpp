// tm and pretranslate: the translation memory from the command line, for scripts and CI.
#include "CliSession.h"

#include "DocumentMemory.h"
#include "LanguageFile.h"
#include "Tmx.h"
#include "TranslationMemory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Opens the memory --tm names, or the person's own; a damaged one set aside is said on standard
// error, and the command goes on with a new one.
bool openMemory(Session& session, const Invocation& call, TranslationMemory& memory)
{
    const QString path = call.option("tm").value_or(TranslationMemory::defaultPath());
    const QString problem = memory.open(path);
    if (!memory.isOpen()) {
        session.fileError(path, problem);
        return false;
    }
    if (!problem.isEmpty())
        session.warn(problem);
    return true;
}

int tmAdd(Session& session, const Invocation& call)
{
    if (call.positional.size() < 2 || !call.option("against") ||
        !call.option("reference-language") || !call.option("language") ||
        !call.onlyOptions({"tm", "against", "reference-language", "language"}))
        return session.usage(QStringLiteral(
            "tm add takes --against REFERENCE --reference-language LANG --language LANG FILEs"));
    TranslationMemory memory;
    const auto reference = session.load(*call.option("against"));
    if (!reference || !openMemory(session, call, memory))
        return ExitFileError;
    QList<MemoryUnit> units;
    for (const QString& path : call.positional.mid(1)) {
        const auto document = session.load(path);
        if (!document)
            return ExitFileError;
        units += translatedRows(*reference, *document, path, *call.option("reference-language"),
                                *call.option("language"));
    }
    const QString problem = memory.add(units);
    return problem.isEmpty()
               ? ExitOk
               : session.fileError(call.option("tm").value_or(TranslationMemory::defaultPath()),
                                   problem);
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
    TranslationMemory memory;
    if (!openMemory(session, call, memory))
        return ExitFileError;
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
    return ExitOk;
}

int tmImport(Session& session, const Invocation& call)
{
    if (call.positional.size() != 2 || !call.onlyOptions({"tm"}))
        return session.usage(QStringLiteral("tm import takes one FILE.tmx"));
    QList<MemoryUnit> units;
    const QString problem = readTmx(call.positional.at(1), units);
    if (!problem.isEmpty())
        return session.fileError(call.positional.at(1), problem);
    TranslationMemory memory;
    if (!openMemory(session, call, memory))
        return ExitFileError;
    const QString failed = memory.add(units);
    return failed.isEmpty() ? ExitOk : session.fileError(call.positional.at(1), failed);
}

int tmExport(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.option("output") ||
        !call.onlyOptions({"tm", "output"}))
        return session.usage(QStringLiteral("tm export takes -o FILE.tmx"));
    TranslationMemory memory;
    if (!openMemory(session, call, memory))
        return ExitFileError;
    const QString problem = writeTmx(*call.option("output"), memory.units());
    return problem.isEmpty() ? ExitOk : session.fileError(*call.option("output"), problem);
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
    return session.usage(QStringLiteral("tm takes add, suggest, import or export"));
}

int commandPretranslate(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.option("against") || !call.option("output") ||
        !call.option("reference-language") || !call.option("language") ||
        !call.onlyOptions({"tm", "against", "reference-language", "language", "output"}))
        return session.usage(
            QStringLiteral("pretranslate takes --against REFERENCE "
                           "--reference-language LANG --language LANG FILE -o OUT"));
    TranslationMemory memory;
    const auto reference = session.load(*call.option("against"));
    auto document = reference ? session.load(call.positional.first()) : std::nullopt;
    if (!document || !openMemory(session, call, memory))
        return ExitFileError;
    // Only the rows the file leaves empty, and only from a translation of the same text.
    const QList<PlacedText> texts =
        pretranslation(memory, *reference, *document, *call.option("reference-language"),
                       *call.option("language"));
    for (const PlacedText& t : texts)
        document->formText(t.form).set(t.row, t.text);
    session.warn(QStringLiteral("%1 rows filled from the memory").arg(texts.size()));
    return session.save(*document, *call.option("output"));
}
