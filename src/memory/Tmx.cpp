#include "Tmx.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString TmxDate = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");

} // namespace

QString readTmx(const QString& path, QList<MemoryUnit>& units)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    QXmlStreamReader xml(&file);
    QString headerSource, unitSource, language;
    QList<std::pair<QString, QString>> variants; // language, text
    QDateTime changed;
    bool sawTmx = false;
    int unitIndex = 0; // where in the file: importing it again updates its units
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const auto name = xml.name();
        if (token == QXmlStreamReader::EndElement && name == u"tu") {
            // One unit for each language other than the source's.
            qsizetype source = -1;
            for (qsizetype i = 0; i < variants.size() && source < 0; ++i)
                source = variants[i].first.compare(unitSource, Qt::CaseInsensitive) == 0 ? i : -1;
            for (qsizetype i = 0; source >= 0 && i < variants.size(); ++i) {
                if (i != source)
                    units.append({variants[source].first, variants[i].first,
                                  variants[source].second, variants[i].second, path, 0, unitIndex,
                                  changed});
                ++unitIndex;
            }
            variants.clear();
        } else if (token != QXmlStreamReader::StartElement) {
            continue;
        } else if (name == u"tmx") {
            sawTmx = true;
        } else if (name == u"header") {
            headerSource = xml.attributes().value(QStringLiteral("srclang")).toString();
        } else if (name == u"tu") {
            unitSource = xml.attributes().value(QStringLiteral("srclang")).toString();
            if (unitSource.isEmpty() || unitSource == u"*all*")
                unitSource = headerSource;
            changed = QDateTime::fromString(
                xml.attributes().value(QStringLiteral("changedate")).toString(), TmxDate);
            changed.setTimeSpec(Qt::UTC);
        } else if (name == u"tuv") {
            language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
            if (language.isEmpty())
                language = xml.attributes().value(QStringLiteral("lang")).toString();
        } else if (name == u"seg") {
            variants.append(
                {language, xml.readElementText(QXmlStreamReader::IncludeChildElements)});
        }
    }
    if (xml.hasError())
        return QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    if (!sawTmx)
        return QStringLiteral("is no TMX file");
    return {};
}

QString writeTmx(const QString& path, const QList<MemoryUnit>& units)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE tmx SYSTEM \"tmx14.dtd\">"));
    xml.writeStartElement(QStringLiteral("tmx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.4"));
    xml.writeStartElement(QStringLiteral("header"));
    for (const auto& [name, value] : {std::pair{"creationtool", "Lexicant"},
                                      {"creationtoolversion", "1"},
                                      {"segtype", "sentence"},
                                      {"o-tmf", "lexicant-memory"},
                                      {"adminlang", "en"},
                                      {"srclang", "*all*"},
                                      {"datatype", "plaintext"}})
        xml.writeAttribute(QLatin1String(name), QLatin1String(value));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("body"));
    for (const MemoryUnit& unit : units) {
        xml.writeStartElement(QStringLiteral("tu"));
        xml.writeAttribute(QStringLiteral("srclang"), unit.sourceLanguage);
        if (unit.changed.isValid())
            xml.writeAttribute(QStringLiteral("changedate"),
                               unit.changed.toUTC().toString(TmxDate));
        if (!unit.origin.isEmpty()) {
            xml.writeStartElement(QStringLiteral("prop"));
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("x-origin"));
            xml.writeCharacters(unit.form == 0 ? unit.origin
                                               : QStringLiteral("%1 form %2 row %3")
                                                     .arg(unit.origin)
                                                     .arg(unit.form)
                                                     .arg(unit.row));
            xml.writeEndElement();
        }
        for (const auto& [language, text] : {std::pair{unit.sourceLanguage, unit.source},
                                             std::pair{unit.targetLanguage, unit.target}}) {
            xml.writeStartElement(QStringLiteral("tuv"));
            xml.writeAttribute(QStringLiteral("xml:lang"), language);
            xml.writeTextElement(QStringLiteral("seg"), text);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit())
        return file.errorString();
    return {};
}
