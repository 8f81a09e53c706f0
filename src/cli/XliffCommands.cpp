// The bridge to XLIFF 1.2, what professional translation tools and platforms exchange: to-xliff
// writes a language file's rows as translation units with their review states and notes,
// from-xliff writes their translations into a copy of the source file and the review beside it.
#include "CliSession.h"
#include "CodeText.h"
#include "ReviewFile.h"
#include "SafeFile.h"
#include "TextRules.h"

#include <QFileInfo>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

// Writes the text as character data; a carriage return as a character reference, since an XML
// reader makes a line end of a bare one.
void writeText(QXmlStreamWriter& xml, const QString& text)
{
    const QStringList lines = text.split(u'\r');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        xml.writeCharacters(lines.at(i));
    }
}

const QString XliffNamespace = QStringLiteral("urn:oasis:names:tc:xliff:document:1.2");

// Why XML 1.0 cannot hold the text, or an empty string: of the control characters it holds only
// tab, line feed and carriage return.
QString xmlUnsafe(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            return QStringLiteral("holds the control character U+%1, which XML cannot hold")
                .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
    return {};
}

// A row's state as XLIFF 1.2 names it, and back: a reviewed row is final; every "needs-" state
// of another tool asks for a look, and so does a unit without a state that is not approved.
QString xliffState(RowState state)
{
    switch (state) {
    case RowState::Untranslated:
        return QStringLiteral("new");
    case RowState::NeedsReview:
        return QStringLiteral("needs-review-translation");
    case RowState::Translated:
        break;
    case RowState::Reviewed:
        return QStringLiteral("final");
    }
    return QStringLiteral("translated");
}

RowState rowState(QStringView state, QStringView approved)
{
    if (state.isEmpty() && approved == QLatin1String("no"))
        return RowState::NeedsReview;
    if (state == QLatin1String("final") || state == QLatin1String("signed-off"))
        return RowState::Reviewed;
    if (state.startsWith(QLatin1String("needs-")))
        return RowState::NeedsReview;
    return RowState::Translated;
}

// One translation unit as from-xliff reads it.
struct Unit {
    QString id, resname, approved, source, target, state, note, noteBy;
    QStringList contexts; // where the unit's text is used, as a tool that read a PO file says
    qint64 line = 0;
};

// The units of an XLIFF 1.2 file, or why there are none.
std::optional<QList<Unit>> readUnits(const QByteArray& bytes, QString& problem)
{
    QXmlStreamReader xml(bytes);
    QList<Unit> units;
    Unit unit;
    bool inUnit = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            if (xml.isEndElement() && xml.name() == QLatin1String("trans-unit") && inUnit) {
                units << unit;
                inUnit = false;
            }
            continue;
        }
        const QStringView name = xml.name();
        if (name == QLatin1String("xliff")) {
            // 1.1 differs from 1.2 in nothing a translation unit holds.
            const QStringView version = xml.attributes().value("version");
            if (version != QLatin1String("1.2") && version != QLatin1String("1.1")) {
                problem = QStringLiteral("is XLIFF %1; this program reads XLIFF 1.2 and 1.1")
                              .arg(xml.attributes().value("version"));
                return std::nullopt;
            }
        } else if (name == QLatin1String("trans-unit")) {
            unit = Unit{};
            unit.id = xml.attributes().value("id").toString();
            unit.resname = xml.attributes().value("resname").toString();
            unit.approved = xml.attributes().value("approved").toString();
            unit.line = xml.lineNumber();
            // The header po2xliff keeps of a PO file is no text.
            inUnit = xml.attributes().value("restype") != QLatin1String("x-gettext-domain-header");
        } else if (inUnit && name == QLatin1String("source")) {
            unit.source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (inUnit && name == QLatin1String("target")) {
            unit.state = xml.attributes().value("state").toString();
            unit.target = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (inUnit && name == QLatin1String("note")) {
            // The developer's notes say where a text is used; the others are the review's.
            const QString from = xml.attributes().value("from").toString();
            const QString note = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (from == QLatin1String("developer"))
                continue;
            if (unit.noteBy.isEmpty() && from != QLatin1String("translator"))
                unit.noteBy = from;
            unit.note += (unit.note.isEmpty() ? QString() : QStringLiteral("\n")) + note;
        } else if (inUnit && name == QLatin1String("context")) {
            unit.contexts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (inUnit && name == QLatin1String("alt-trans")) {
            xml.skipCurrentElement(); // another tool's alternatives: not this row's
        }
    }
    if (xml.hasError()) {
        problem = QStringLiteral("line %1, column %2: %3")
                      .arg(xml.lineNumber())
                      .arg(xml.columnNumber())
                      .arg(xml.errorString());
        return std::nullopt;
    }
    return units;
}

} // namespace

int commandToXliff(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 ||
        !call.onlyOptions({"output", "translation", "language", "reference-language"}))
        return session.usage(QStringLiteral("to-xliff takes SOURCE and --translation TARGET, "
                                            "--reference-language LANG, --language LANG, -o OUT"));
    const QString sourcePath = call.positional.first();
    std::optional<Session::Translated> loaded =
        session.loadTranslated(sourcePath, call.option("translation"));
    if (!loaded)
        return ExitFileError;
    const auto& [source, translation, review] = *loaded;

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("xliff"));
    xml.writeDefaultNamespace(XliffNamespace);
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    xml.writeStartElement(QStringLiteral("file"));
    xml.writeAttribute(QStringLiteral("original"), QFileInfo(sourcePath).fileName());
    // A language file records no language: the source's is what the call says, English else.
    xml.writeAttribute(QStringLiteral("source-language"),
                       call.option("reference-language").value_or(QStringLiteral("en")));
    if (const auto language = call.option("language"))
        xml.writeAttribute(QStringLiteral("target-language"), *language);
    xml.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
    xml.writeStartElement(QStringLiteral("header"));
    xml.writeEmptyElement(QStringLiteral("tool"));
    xml.writeAttribute(QStringLiteral("tool-id"), QStringLiteral("lexicant-cli"));
    xml.writeAttribute(QStringLiteral("tool-name"), QStringLiteral("lexicant-cli"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("body"));
    for (const int form : LanguageDocument::Forms) {
        for (const int row : LanguageDocument::Rows) {
            const QString& text = source.formText(form).at(row);
            if (text.isEmpty())
                continue;
            const QString target = translation ? translation->formText(form).at(row) : QString();
            const QString label = entryLabel(form, row);
            const QString sourceUnsafe = xmlUnsafe(text);
            if (const QString unsafe = sourceUnsafe.isEmpty() ? xmlUnsafe(target) : sourceUnsafe;
                !unsafe.isEmpty())
                return session.fileError(sourceUnsafe.isEmpty() ? *call.option("translation")
                                                                : sourcePath,
                                         label + u' ' + unsafe);
            const RowReview* said = review.find({form, row});
            const RowState state = stateOf(said, target, text);
            xml.writeStartElement(QStringLiteral("trans-unit"));
            xml.writeAttribute(QStringLiteral("id"), label);
            xml.writeAttribute(QStringLiteral("resname"), label);
            // What tools that know no states go by: a translation to use as it is.
            if (state == RowState::Translated || state == RowState::Reviewed)
                xml.writeAttribute(QStringLiteral("approved"), QStringLiteral("yes"));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeStartElement(QStringLiteral("source"));
            writeText(xml, text);
            xml.writeEndElement();
            xml.writeStartElement(QStringLiteral("target"));
            xml.writeAttribute(QStringLiteral("state"), xliffState(state));
            writeText(xml, target);
            xml.writeEndElement();
            if (said && !said->note.isEmpty()) {
                // From the translator, as the translation tools tell a translator's note from
                // the developer's; who wrote it stays in the review.
                xml.writeStartElement(QStringLiteral("note"));
                xml.writeAttribute(QStringLiteral("from"), QStringLiteral("translator"));
                writeText(xml, said->note);
                xml.writeEndElement();
            }
            // The form the row belongs to, for the translator: the developer's word, not a note
            // of the review.
            xml.writeStartElement(QStringLiteral("note"));
            xml.writeAttribute(QStringLiteral("from"), QStringLiteral("developer"));
            xml.writeCharacters(
                QStringLiteral("Form %1: %2").arg(form).arg(source.FormNames.at(form)));
            xml.writeEndElement();
            xml.writeEndElement();
        }
    }
    xml.writeEndDocument();
    return session.deliver(call.option("output"), bytes);
}

int commandFromXliff(Session& session, const Invocation& call)
{
    if (call.positional.size() != 1 || !call.option("template") || !call.option("output") ||
        !call.onlyOptions({"output", "template"}))
        return session.usage(
            QStringLiteral("from-xliff takes FILE.xlf, --template SOURCE and -o TARGET"));
    const QString xliffPath = call.positional.first();
    auto document = session.load(*call.option("template"));
    if (!document)
        return ExitFileError;
    QByteArray bytes;
    if (const QString problem = readRegularFile(xliffPath, 256 * 1024 * 1024, bytes);
        !problem.isEmpty())
        return session.fileError(xliffPath, problem);
    QString problem;
    const auto units = readUnits(bytes, problem);
    if (!units)
        return session.fileError(xliffPath, problem);

    const LanguageDocument original = *document;
    Review review;
    int translated = 0;
    for (const Unit& unit : *units) {
        // The row is the unit's name, or where it is used (po2xliff keeps a PO file's "#:").
        std::optional<RowLabel> label;
        for (const QString& name : QStringList{unit.resname, unit.id} + unit.contexts)
            label = label ? label : parseRowLabel(name);
        if (!label) {
            session.warn(QStringLiteral("%1: line %2: trans-unit %3 names no row of a form; "
                                        "ignored")
                             .arg(xliffPath)
                             .arg(unit.line)
                             .arg(quoted(unit.id)));
            continue;
        }
        const QString place = entryLabel(label->form, label->row);
        if (unit.target.isEmpty() || unit.state == QLatin1String("new"))
            continue;
        if (const QString storage = storageProblem(unit.target); !storage.isEmpty())
            return session.fileError(xliffPath,
                                     QStringLiteral("%1: the translation %2").arg(place, storage));
        const QString& templateText = original.formText(label->form).at(label->row);
        if (templateText != unit.source)
            session.warn(QStringLiteral("%1: the template's text %2 is not the XLIFF's source %3; "
                                        "the translation is used")
                             .arg(place, quoted(templateText), quoted(unit.source)));
        document->formText(label->form).set(label->row, unit.target);
        ++translated;
        RowReview row =
            stored(nullptr, unit.target, unit.source, rowState(unit.state, unit.approved));
        row.note = unit.note;
        row.noteBy = row.note.isEmpty() ? QString() : unit.noteBy;
        review.rows.insert({label->form, label->row}, row);
    }
    const int status = session.save(*document, *call.option("output"),
                                    reviewBeside(*call.option("output"), review));
    if (status == ExitOk)
        session.print(QStringLiteral("%1 rows translated\n").arg(translated));
    return status;
}
