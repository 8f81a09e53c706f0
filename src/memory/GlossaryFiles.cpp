#include "GlossaryFiles.h"

#include "MemoryStore.h"
#include "SafeFile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <tuple>

namespace {

// A glossary file is read whole; no real one comes near this.
constexpr qint64 MostGlossaryBytes = qint64(1) << 30;

// BCP 47 as TBX writes languages: "en-US".
QString tbxLanguage(const QString& language)
{
    return QString(language).replace(u'_', u'-');
}

// A term as read: a name (with a capital) kept as written in the translation is not translated;
// a word the two languages share ("status") is translated as itself, in any case.
GlossaryTerm termOf(const QString& source, const QString& target, const QString& note,
                    const QString& partOfSpeech)
{
    const bool kept =
        target == source && std::ranges::any_of(source, [](QChar c) { return c.isUpper(); });
    return {source, kept ? QString() : target, kept, note, partOfSpeech};
}

// A character XML 1.0 cannot hold: a control other than tab and line breaks, or half a pair.
bool unwritable(QChar c)
{
    return (c < u' ' && c != u'\t' && c != u'\n' && c != u'\r') || c.isSurrogate() ||
           c == QChar(0xFFFE) || c == QChar(0xFFFF);
}

} // namespace

namespace {

// A term of an entry in one language, with its part of speech.
struct Written {
    QString language, term, partOfSpeech;
};

// The entry's term in that language: its own ("en_US"), else a relative's ("en_GB") that is not
// the one taken already; -1 when there is none.
qsizetype termIn(const QList<Written>& terms, const QString& language, qsizetype taken = -1)
{
    for (const auto same : {&languageKey, &primaryLanguage})
        for (qsizetype i = 0; i < terms.size(); ++i)
            if (i != taken && same(terms.at(i).language) == same(language))
                return i;
    return -1;
}

} // namespace

QString readTbx(const QString& path, const QString& sourceLanguage, const QString& targetLanguage,
                GlossaryContents& contents)
{
    if (const QString problem = regularFileProblem(path, MostGlossaryBytes); !problem.isEmpty())
        return problem;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    QXmlStreamReader xml(&file);
    QString fileLanguage, language, definition;
    QList<Written> terms; // of the entry
    QStringList notes;
    bool sawRoot = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const auto name = xml.name();
        const bool entry = name == u"termEntry" || name == u"conceptEntry";
        const bool languageSet = name == u"langSet" || name == u"langSec";
        if (token == QXmlStreamReader::EndElement && entry) {
            ++contents.read;
            const qsizetype source = termIn(terms, sourceLanguage);
            qsizetype target = termIn(terms, targetLanguage, source);
            for (qsizetype i = 0; i < terms.size() && target < 0; ++i)
                if (i != source && QStringList{{}, QStringLiteral("xx")}.contains(
                                       languageKey(terms.at(i).language)))
                    target = i;
            if (source < 0 || terms.at(source).term.isEmpty())
                ++contents.skipped[QStringLiteral("no term in the source language")];
            else if (target < 0 || terms.at(target).term.isEmpty())
                ++contents.skipped[QStringLiteral("no term in the target language")];
            else
                contents.terms.append(termOf(terms.at(source).term, terms.at(target).term,
                                             notes.isEmpty() ? definition : notes.join(u'\n'),
                                             terms.at(source).partOfSpeech));
            terms.clear();
            notes.clear();
            definition.clear();
        } else if (token == QXmlStreamReader::EndElement && languageSet) {
            language = fileLanguage;
        } else if (token != QXmlStreamReader::StartElement) {
            continue;
        } else if (name == u"martif" || name == u"tbx") {
            sawRoot = true;
            fileLanguage = language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
        } else if (languageSet) {
            language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
            if (language.isEmpty())
                language = fileLanguage;
        } else if (name == u"term") {
            terms.append({language,
                          xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed(),
                          {}});
        } else if (name == u"note") {
            notes << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (name == u"descrip" &&
                   xml.attributes().value(QStringLiteral("type")) == u"definition") {
            definition = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (name == u"termNote" &&
                   xml.attributes().value(QStringLiteral("type")) == u"partOfSpeech" &&
                   !terms.isEmpty()) {
            terms.last().partOfSpeech = xml.readElementText().trimmed();
        }
    }
    if (xml.hasError())
        return QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    if (!sawRoot)
        return QStringLiteral("is no TBX file");
    return {};
}

QString readGlossaryCsv(const QString& path, GlossaryContents& contents)
{
    if (const QString problem = regularFileProblem(path, MostGlossaryBytes); !problem.isEmpty())
        return problem;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // Records of fields, as RFC 4180 has them: a field in double quotes may hold commas, line
    // breaks and doubled quotes.
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false, started = false;
    int line = 1, recordLine = 1; // where the record being read starts
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!std::exchange(started, true))
            recordLine = line;
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"')
                field += text.at(++i);
            else if (c == u'"')
                quoted = false;
            else
                field += c;
            line += c == u'\n' ? 1 : 0;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << std::exchange(field, {});
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            record << std::exchange(field, {});
            records << std::exchange(record, {});
            started = false;
            ++line;
        } else {
            field += c;
        }
    }
    if (quoted)
        return QStringLiteral("line %1: a field in quotes is not closed").arg(recordLine);
    if (started) {
        record << field;
        records << record;
    }
    if (records.isEmpty())
        return QStringLiteral("is empty: its first line names the columns source,target,note");
    QStringList header;
    for (const QString& name : records.first())
        header << name.trimmed().toLower();
    const qsizetype source = header.indexOf(QStringLiteral("source")),
                    target = header.indexOf(QStringLiteral("target")),
                    note = header.indexOf(QStringLiteral("note"));
    if (source < 0 || target < 0)
        return QStringLiteral("line 1 names no source and target columns (source,target,note)");
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QStringList& fields = records.at(r);
        if (fields.size() == 1 && fields.first().trimmed().isEmpty())
            continue; // an empty line
        ++contents.read;
        const QString sourceTerm = fields.value(source).trimmed();
        const QString targetTerm = fields.value(target).trimmed();
        if (sourceTerm.isEmpty())
            ++contents.skipped[QStringLiteral("no source term")];
        else if (targetTerm.isEmpty())
            ++contents.skipped[QStringLiteral("no target term")];
        else
            contents.terms.append(termOf(sourceTerm, targetTerm,
                                         note < 0 ? QString() : fields.value(note).trimmed(), {}));
    }
    return {};
}

QString writeTbx(const QString& path, const QString& sourceLanguage, const QString& targetLanguage,
                 const QList<GlossaryTerm>& terms, QStringList& dropped)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE martif SYSTEM \"TBXBasiccoreStructV02.dtd\">"));
    xml.writeStartElement(QStringLiteral("martif"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("TBX-Basic"));
    xml.writeAttribute(QStringLiteral("xml:lang"), tbxLanguage(sourceLanguage));
    xml.writeStartElement(QStringLiteral("martifHeader"));
    xml.writeStartElement(QStringLiteral("fileDesc"));
    xml.writeStartElement(QStringLiteral("sourceDesc"));
    xml.writeTextElement(QStringLiteral("p"), QStringLiteral("Lexicant"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("encodingDesc"));
    xml.writeStartElement(QStringLiteral("p"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("XCSURI"));
    xml.writeCharacters(QStringLiteral("TBXBasicXCSV02.xcs"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("text"));
    xml.writeStartElement(QStringLiteral("body"));
    int id = 0;
    for (const GlossaryTerm& term : terms) {
        const QString all = term.source + term.target + term.note + term.partOfSpeech;
        if (std::any_of(all.begin(), all.end(), unwritable)) {
            dropped << QStringLiteral("\"%1\": a character XML cannot hold").arg(term.source);
            continue;
        }
        xml.writeStartElement(QStringLiteral("termEntry"));
        xml.writeAttribute(QStringLiteral("id"), QStringLiteral("t%1").arg(++id));
        if (!term.note.isEmpty())
            xml.writeTextElement(QStringLiteral("note"), term.note);
        for (const auto& [language, text, source] :
             {std::tuple{sourceLanguage, term.source, true},
              std::tuple{targetLanguage, term.doNotTranslate ? term.source : term.target, false}}) {
            xml.writeStartElement(QStringLiteral("langSet"));
            xml.writeAttribute(QStringLiteral("xml:lang"), tbxLanguage(language));
            xml.writeStartElement(QStringLiteral("tig"));
            xml.writeTextElement(QStringLiteral("term"), text);
            if (source && !term.partOfSpeech.isEmpty()) {
                xml.writeStartElement(QStringLiteral("termNote"));
                xml.writeAttribute(QStringLiteral("type"), QStringLiteral("partOfSpeech"));
                xml.writeCharacters(term.partOfSpeech);
                xml.writeEndElement();
            }
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    if (xml.hasError())
        return QStringLiteral("the glossary's terms cannot be written as XML");
    return replaceFileContents(path, bytes);
}
