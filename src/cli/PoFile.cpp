#include "PoFile.h"

#include <QFile>

#include <csetjmp>
#include <cstdlib>
#include <memory>
#include <type_traits>

#include <gettext-po.h>

namespace {

// libgettextpo reports problems through callbacks, and a fatal one must not return: it jumps
// back to the call that started the operation. Only plain data lives between the two.
struct ErrorState {
    std::jmp_buf fatal;
    QString* first = nullptr;
    bool failed = false;
};
thread_local ErrorState* currentErrors = nullptr;

void record(int severity, const char* file, size_t line, const char* text)
{
    if (!currentErrors || severity == PO_SEVERITY_WARNING)
        return;
    currentErrors->failed = true;
    if (currentErrors->first && currentErrors->first->isEmpty()) {
        QString where;
        if (file && line != size_t(-1))
            where = QStringLiteral("line %1: ").arg(qulonglong(line));
        *currentErrors->first = where + QString::fromUtf8(text).trimmed();
    }
}

void onError(int severity, po_message_t, const char* file, size_t line, size_t, int,
             const char* text)
{
    record(severity, file, line, text);
    if (severity == PO_SEVERITY_FATAL_ERROR && currentErrors)
        std::longjmp(currentErrors->fatal, 1);
}

void onError2(int severity, po_message_t, const char* file1, size_t line1, size_t, int,
              const char* text1, po_message_t, const char*, size_t, size_t, int, const char*)
{
    onError(severity, nullptr, file1, line1, 0, 0, text1);
}

const po_xerror_handler Handler = {onError, onError2};

// The library's objects, freed when they go out of scope.
using PoFile = std::unique_ptr<std::remove_pointer_t<po_file_t>, decltype(&po_file_free)>;
using PoIterator = std::unique_ptr<std::remove_pointer_t<po_message_iterator_t>,
                                   decltype(&po_message_iterator_free)>;

QByteArray headerText(const PoHeader& header)
{
    QByteArray text;
    for (const auto& [field, value] : header)
        text += field.toUtf8() + ": " + value.toUtf8() + '\n';
    return text;
}

// Each entry point runs the library call under a fresh error state.
po_file_t readUnderHandler(const QByteArray& name, ErrorState& state)
{
    currentErrors = &state;
    po_file_t file = nullptr;
    if (setjmp(state.fatal) == 0)
        file = po_file_read(name.constData(), &Handler);
    currentErrors = nullptr;
    return file;
}

bool writeUnderHandler(po_file_t file, const QByteArray& name, ErrorState& state)
{
    currentErrors = &state;
    bool written = false;
    if (setjmp(state.fatal) == 0)
        written = po_file_write(file, name.constData(), &Handler) != nullptr;
    currentErrors = nullptr;
    return written && !state.failed;
}

} // namespace

QString gettextRuleBroken(const QString& source, const QString& translation)
{
    if (translation.isEmpty())
        return {};
    const auto broken = [](const char* verb, bool inSource) {
        return QStringLiteral("the %1 %2 with a line break and the %3 does not; gettext wants "
                              "both or neither")
            .arg(QLatin1String(inSource ? "source" : "translation"), QLatin1String(verb),
                 QLatin1String(inSource ? "translation" : "source"));
    };
    if (source.startsWith(u'\n') != translation.startsWith(u'\n'))
        return broken("begins", source.startsWith(u'\n'));
    if (source.endsWith(u'\n') != translation.endsWith(u'\n'))
        return broken("ends", source.endsWith(u'\n'));
    return {};
}

QString writePoFile(const QString& path, const PoHeader& header, const QList<PoEntry>& entries)
{
    const PoFile file(po_file_create(), po_file_free);
    { // the messages, put in the file one after the other
        const PoIterator iterator(po_message_iterator(file.get(), nullptr),
                                  po_message_iterator_free);
        po_message_t head = po_message_create();
        po_message_set_msgid(head, "");
        po_message_set_msgstr(head, headerText(header).constData());
        po_message_insert(iterator.get(), head);

        for (const PoEntry& entry : entries) {
            po_message_t message = po_message_create();
            if (!entry.context.isNull())
                po_message_set_msgctxt(message, entry.context.toUtf8().constData());
            po_message_set_msgid(message, entry.source.toUtf8().constData());
            po_message_set_msgstr(message, entry.translation.toUtf8().constData());
            if (!entry.comment.isEmpty())
                po_message_set_extracted_comments(message, entry.comment.toUtf8().constData());
            if (!entry.note.isEmpty())
                po_message_set_comments(message, entry.note.toUtf8().constData());
            if (!entry.previousSource.isEmpty())
                po_message_set_prev_msgid(message, entry.previousSource.toUtf8().constData());
            po_message_set_fuzzy(message, int(entry.fuzzy));
            po_message_insert(iterator.get(), message);
        }
    }

    QString error;
    ErrorState state;
    state.first = &error;
    const bool written = writeUnderHandler(file.get(), QFile::encodeName(path), state);
    if (!written && error.isEmpty())
        error = QStringLiteral("could not be written");
    return written ? QString() : error;
}

std::optional<QList<PoEntry>> readPoFile(const QString& path, QString& error)
{
    ErrorState state;
    state.first = &error;
    const PoFile file(readUnderHandler(QFile::encodeName(path), state), po_file_free);
    if (!file || state.failed) {
        // gettext calls a byte-order mark a syntax error on line 1; say what it is.
        QFile head(path);
        if (head.open(QIODevice::ReadOnly) && head.read(3) == "\xEF\xBB\xBF")
            error = QStringLiteral("begins with a UTF-8 byte-order mark, which GNU gettext "
                                   "refuses; save the file without one");
        if (error.isEmpty())
            error = QStringLiteral("cannot be read as a PO file");
        return std::nullopt;
    }
    // Texts are taken as UTF-8, which is what PO editors write; another charset is refused
    // rather than misread.
    if (const char* header = po_file_domain_header(file.get(), nullptr)) {
        const std::unique_ptr<char, decltype(&free)> type(po_header_field(header, "Content-Type"),
                                                          free);
        const QString contentType = type ? QString::fromUtf8(type.get()) : QString();
        const qsizetype at = contentType.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
        const QString charset = at < 0 ? QString() : contentType.mid(at + 8).trimmed();
        if (!charset.isEmpty() &&
            charset.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0 &&
            charset != QLatin1String("CHARSET")) {
            error = QStringLiteral("is in %1; save it as UTF-8").arg(charset);
            return std::nullopt;
        }
    }
    QList<PoEntry> entries;
    const PoIterator iterator(po_message_iterator(file.get(), nullptr), po_message_iterator_free);
    while (po_message_t message = po_next_message(iterator.get())) {
        const char* context = po_message_msgctxt(message);
        const char* source = po_message_msgid(message);
        if (po_message_is_obsolete(message) || (!context && (!source || !*source)))
            continue; // the header, or an entry no longer in use
        PoEntry entry;
        entry.context = context ? QString::fromUtf8(context) : QString();
        entry.source = QString::fromUtf8(source);
        entry.translation = QString::fromUtf8(po_message_msgstr(message));
        const char* comment = po_message_extracted_comments(message);
        entry.comment = comment ? QString::fromUtf8(comment) : QString();
        const char* note = po_message_comments(message);
        entry.note = note ? QString::fromUtf8(note) : QString();
        entry.fuzzy = po_message_is_fuzzy(message) != 0;
        const char* previous = po_message_prev_msgid(message);
        entry.previousSource = previous ? QString::fromUtf8(previous) : QString();
        entries << entry;
    }
    return entries;
}
