#include "Tmx.h"

#include "SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <limits>

namespace {

const QString TmxDate = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");
const QString ControlType = QStringLiteral("x-control");
constexpr char16_t ControlPictures = 0x2400; // U+2400 pictures U+0000, and so on to U+241F

// A character written otherwise than as itself: a control, and a carriage return.
bool isControl(QChar c)
{
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n';
}

// The text of a <seg>, its inline elements' text included and control pictures made controls
// again; the reader is at the <seg> start and is left at its end.
QString segmentText(QXmlStreamReader& xml)
{
    QString text;
    int controlDepth = 0;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (controlDepth == 0 && xml.name() == u"ph" &&
                xml.attributes().value(QStringLiteral("type")) == ControlType)
                controlDepth = depth;
            break;
        case QXmlStreamReader::EndElement:
            if (depth-- == controlDepth)
                controlDepth = 0;
            break;
        case QXmlStreamReader::Characters:
            for (QChar c : xml.text()) {
                const bool picture = controlDepth > 0 && c.unicode() >= ControlPictures &&
                                     c.unicode() < ControlPictures + 0x20;
                text += picture ? QChar(c.unicode() - ControlPictures) : c;
            }
            break;
        default:
            break;
        }
    }
    return text;
}

struct Variant {
    QString language, text;
};

} // namespace

QString readTmx(const QString& path, TmxContents& contents)
{
    // A TMX file may be large; it only has to be a file, not a FIFO or a device.
    if (const QString problem = regularFileProblem(path, std::numeric_limits<qint64>::max());
        !problem.isEmpty())
        return problem;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    QXmlStreamReader xml(&file);
    const QString fileOrigin = QFileInfo(path).absoluteFilePath(); // as lexicant-cli names files
    QString headerSource, unitSource, origin;
    int form = 0, row = -1; // from the unit's properties; -1: none
    QList<Variant> variants;
    QDateTime changed;
    bool sawTmx = false;
    bool unlabelled = false; // the unit has a text with no language, already counted
    int unitIndex = 0;       // where in the file: importing it again updates its units
    const auto skip = [&contents](const QString& why) { ++contents.skipped[why]; };
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const auto name = xml.name();
        if (token == QXmlStreamReader::EndElement && name == u"tu") {
            ++contents.read;
            // One unit for each language other than the source's ("en-US" is "en_us").
            const auto source =
                std::find_if(variants.begin(), variants.end(), [&](const Variant& v) {
                    return unitSource.isEmpty() ||
                           languageKey(v.language) == languageKey(unitSource);
                });
            if (source == variants.end() && !unlabelled)
                skip(QStringLiteral("no text in the unit's source language"));
            unlabelled = false;
            for (auto v = variants.begin(); source != variants.end() && v != variants.end(); ++v) {
                if (v != source)
                    contents.units.append({source->language, v->language, source->text, v->text,
                                           origin.isEmpty() ? fileOrigin : origin,
                                           origin.isEmpty() ? 0 : form,
                                           origin.isEmpty() || row < 0 ? unitIndex : row, changed});
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
            if (unitSource.isEmpty())
                unitSource = headerSource;
            if (unitSource == u"*all*")
                unitSource.clear(); // any language: the first text is the source
            changed = QDateTime::fromString(
                xml.attributes().value(QStringLiteral("changedate")).toString(), TmxDate);
            changed.setTimeSpec(Qt::UTC);
            origin.clear();
            form = 0;
            row = -1;
        } else if (name == u"prop" && variants.isEmpty()) {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            const QString value = xml.readElementText();
            bool number = false;
            const int n = value.toInt(&number);
            if (type == u"x-origin")
                origin = value;
            else if (type == u"x-form" && number)
                form = n;
            else if (type == u"x-row" && number)
                row = n;
        } else if (name == u"tuv") {
            QString language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
            if (language.isEmpty()) // TMX 1.1
                language = xml.attributes().value(QStringLiteral("lang")).toString();
            unlabelled = unlabelled || language.isEmpty();
            if (language.isEmpty())
                skip(QStringLiteral("a text with no language"));
            else
                variants.append({language, {}});
        } else if (name == u"seg" && !variants.isEmpty()) {
            variants.last().text = segmentText(xml);
        }
    }
    if (xml.hasError())
        return QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    if (!sawTmx)
        return QStringLiteral("is no TMX file");
    return {};
}

namespace {

// Why XML cannot hold the text even with its controls as pictures, or an empty text.
QString unwritable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate() || c.unicode() >= 0xFFFE)
            return QStringLiteral("the character U+%1")
                .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
    }
    return {};
}

void writeSegment(QXmlStreamWriter& xml, const QString& text)
{
    xml.writeStartElement(QStringLiteral("seg"));
    qsizetype plain = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isControl(text.at(i)))
            continue;
        xml.writeCharacters(text.mid(plain, i - plain));
        plain = i + 1;
        if (i < text.size() && text.at(i) == u'\r') {
            xml.writeEntityReference(QStringLiteral("#13")); // a parser reads a plain one as \n
        } else if (i < text.size()) {
            xml.writeStartElement(QStringLiteral("ph"));
            xml.writeAttribute(QStringLiteral("type"), ControlType);
            xml.writeCharacters(QString(QChar(ControlPictures + text.at(i).unicode())));
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();
}

} // namespace

QString writeTmx(const QString& path, const QList<MemoryUnit>& units, QStringList& dropped)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
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
        QString bad = unwritable(unit.source + unit.target);
        if (bad.isEmpty() && std::any_of(unit.origin.begin(), unit.origin.end(), isControl))
            bad = QStringLiteral("a control character in the file's name");
        if (!bad.isEmpty()) {
            dropped << QStringLiteral("%1 form %2 row %3: %4 cannot be written in XML")
                           .arg(unit.origin)
                           .arg(unit.form)
                           .arg(unit.row)
                           .arg(bad);
            continue;
        }
        xml.writeStartElement(QStringLiteral("tu"));
        xml.writeAttribute(QStringLiteral("srclang"), unit.sourceLanguage);
        if (unit.changed.isValid())
            xml.writeAttribute(QStringLiteral("changedate"),
                               unit.changed.toUTC().toString(TmxDate));
        for (const auto& [type, value] : {std::pair{"x-origin", unit.origin},
                                          {"x-form", QString::number(unit.form)},
                                          {"x-row", QString::number(unit.row)}}) {
            xml.writeStartElement(QStringLiteral("prop"));
            xml.writeAttribute(QStringLiteral("type"), QLatin1String(type));
            xml.writeCharacters(value);
            xml.writeEndElement();
        }
        for (const auto& [language, text] : {std::pair{unit.sourceLanguage, unit.source},
                                             std::pair{unit.targetLanguage, unit.target}}) {
            xml.writeStartElement(QStringLiteral("tuv"));
            xml.writeAttribute(QStringLiteral("xml:lang"), language);
            writeSegment(xml, text);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    if (xml.hasError())
        return QStringLiteral("the memory's texts cannot be written as XML");
    return replaceFileContents(path, bytes);
}
