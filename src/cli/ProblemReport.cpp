// The problems `check` found, in the forms CI servers and code review tools read: JUnit XML shows
// each check of each file as a test that passed or failed, SARIF puts each problem beside the file
// as an annotation.
#include "ProblemReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

QByteArray asText(const QList<ReportedProblem>& problems)
{
    QString text;
    for (const ReportedProblem& p : problems)
        text += p.check == QLatin1String("file")
                    ? QStringLiteral("%1: %2: %3\n").arg(p.file, p.place, p.message)
                    : QStringLiteral("%1: %2: %3: %4\n").arg(p.file, p.place, p.check, p.message);
    return text.toUtf8();
}

QByteArray asJson(const QStringList& files, const QList<ReportedProblem>& problems)
{
    QJsonArray found;
    for (const ReportedProblem& p : problems)
        found.append(QJsonObject{
            {"file", p.file}, {"place", p.place}, {"check", p.check}, {"message", p.message}});
    return QJsonDocument(
               QJsonObject{{"files", QJsonArray::fromStringList(files)}, {"problems", found}})
        .toJson(QJsonDocument::Indented);
}

QByteArray asJUnit(const QStringList& files, const QStringList& checks,
                   const QList<ReportedProblem>& problems)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("testsuites"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("lexicant-cli check"));
    for (const QString& file : files) {
        // A test case per check, and one for the file itself when it has problems of its own.
        QStringList cases = checks;
        for (const ReportedProblem& p : problems)
            if (p.file == file && !cases.contains(p.check))
                cases.prepend(p.check);
        int failures = 0;
        for (const QString& check : cases)
            failures += std::any_of(problems.begin(), problems.end(),
                                    [&](const ReportedProblem& p) {
                                        return p.file == file && p.check == check;
                                    })
                            ? 1
                            : 0;
        xml.writeStartElement(QStringLiteral("testsuite"));
        xml.writeAttribute(QStringLiteral("name"), file);
        xml.writeAttribute(QStringLiteral("tests"), QString::number(cases.size()));
        xml.writeAttribute(QStringLiteral("failures"), QString::number(failures));
        xml.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
        for (const QString& check : cases) {
            QStringList lines;
            for (const ReportedProblem& p : problems)
                if (p.file == file && p.check == check)
                    lines << QStringLiteral("%1: %2").arg(p.place, p.message);
            xml.writeStartElement(QStringLiteral("testcase"));
            xml.writeAttribute(QStringLiteral("classname"), file);
            xml.writeAttribute(QStringLiteral("name"), check);
            if (!lines.isEmpty()) {
                xml.writeStartElement(QStringLiteral("failure"));
                xml.writeAttribute(QStringLiteral("message"),
                                   lines.size() == 1
                                       ? lines.first()
                                       : QStringLiteral("%1 problems").arg(lines.size()));
                xml.writeAttribute(QStringLiteral("type"), check);
                xml.writeCharacters(lines.join(u'\n') + u'\n');
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray asSarif(const QStringList& checks, const QList<ReportedProblem>& problems)
{
    QStringList ruleIds = checks;
    for (const ReportedProblem& p : problems)
        if (!ruleIds.contains(p.check))
            ruleIds << p.check;
    QJsonArray rules;
    for (const QString& id : ruleIds)
        rules.append(QJsonObject{{"id", id}, {"name", id}});
    QJsonArray results;
    for (const ReportedProblem& p : problems) {
        QJsonObject location{
            {"physicalLocation", QJsonObject{{"artifactLocation", QJsonObject{{"uri", p.file}}}}}};
        // A language file has no lines: the entry is named instead.
        if (p.place != QLatin1String("-"))
            location.insert("logicalLocations",
                            QJsonArray{QJsonObject{{"name", p.place}, {"kind", "element"}}});
        results.append(QJsonObject{{"ruleId", p.check},
                                   {"ruleIndex", int(ruleIds.indexOf(p.check))},
                                   {"level", "warning"},
                                   {"message", QJsonObject{{"text", p.message}}},
                                   {"locations", QJsonArray{location}}});
    }
    const QJsonObject driver{
        {"name", "lexicant-cli"}, {"version", QStringLiteral(LEXICANT_VERSION)}, {"rules", rules}};
    const QJsonObject run{{"tool", QJsonObject{{"driver", driver}}}, {"results", results}};
    return QJsonDocument(QJsonObject{{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                                     {"version", "2.1.0"},
                                     {"runs", QJsonArray{run}}})
        .toJson(QJsonDocument::Indented);
}

} // namespace

std::optional<ReportFormat> reportFormatNamed(const QString& name)
{
    static const QList<std::pair<QString, ReportFormat>> names = {
        {QStringLiteral("text"), ReportFormat::Text},
        {QStringLiteral("json"), ReportFormat::Json},
        {QStringLiteral("junit"), ReportFormat::JUnit},
        {QStringLiteral("sarif"), ReportFormat::Sarif}};
    for (const auto& [known, format] : names)
        if (name == known)
            return format;
    return std::nullopt;
}

QByteArray problemReport(ReportFormat format, const QStringList& files, const QStringList& checks,
                         const QList<ReportedProblem>& problems)
{
    switch (format) {
    case ReportFormat::Json:
        return asJson(files, problems);
    case ReportFormat::JUnit:
        return asJUnit(files, checks, problems);
    case ReportFormat::Sarif:
        return asSarif(checks, problems);
    case ReportFormat::Text:
        break;
    }
    return asText(problems);
}
