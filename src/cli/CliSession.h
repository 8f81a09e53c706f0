#pragma once

#include "LanguageDocument.h"
#include "LanguageFormat.h"
#include "Review.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

inline constexpr int ExitOk = 0;
inline constexpr int ExitFileError = 1; // also: check found problems, diff found differences
inline constexpr int ExitUsage = 2;     // also: diff could not read a file

// A command's arguments: positional ones and the values of its options.
struct Invocation {
    QStringList positional;
    QMap<QString, QString> options; // "output", "translation", "template", "language"

    std::optional<QString> option(const char* name) const
    {
        const auto found = options.find(QLatin1String(name));
        return found == options.end() ? std::nullopt : std::optional<QString>(*found);
    }
    // True when only the named options were given.
    bool onlyOptions(const QStringList& allowed) const;
};

// What the commands share: output, error lines, loading and writing files.
class Session {
public:
    Session(QIODevice& out, QIODevice& err)
        : m_out(out)
        , m_err(err)
    {
    }

    void print(const QString& text);
    void printBytes(const QByteArray& bytes);
    void warn(const QString& text); // a line on standard error that does not fail the command

    int usage(const QString& problem);
    int fileError(const QString& path, const QString& why);
    int failure(const QString& why); // a line on standard error; returns ExitFileError
    // A line on standard error that the next one replaces, while standard error is a terminal:
    // how far a long command is. An empty text ends it.
    void progress(const QString& text);

    // Loads the file into a fresh document; on failure prints why and returns nothing.
    std::optional<LanguageDocument> load(const QString& path, qint32* recordCount = nullptr);
    // Writes the bytes to the path, or to standard output when there is no path.
    int deliver(const std::optional<QString>& path, const QByteArray& bytes);
    // Writes the document as a language file, and the files that belong with it in step.
    int save(const LanguageDocument& document, const QString& path,
             const QList<std::pair<QString, QByteArray>>& beside = {});
    // The review kept beside a language file (none when there is no companion file); on
    // failure prints why and returns nothing.
    std::optional<Review> loadReview(const QString& path);
    // A source file and, when a path is given, its translation with the review beside it; on
    // failure prints why and returns nothing.
    struct Translated {
        LanguageDocument source;
        std::optional<LanguageDocument> translation;
        Review review;
    };
    std::optional<Translated> loadTranslated(const QString& sourcePath,
                                             const std::optional<QString>& translationPath);

private:
    QIODevice& m_out;
    QIODevice& m_err;
    bool m_progressShown = false;
};

class TranslationMemory;
enum class MemoryCreation;
// How long a command waits for another writer of its memory: a script waits longer than a window.
inline constexpr int CommandBusyTimeoutMs = 120000;
// Opens the memory --tm names, or the person's own; what was done to open it (a damaged file set
// aside) is said, and why it cannot be used. Anything but ExitOk: the command's status, it cannot
// go on.
int openMemory(Session& session, const Invocation& call, TranslationMemory& memory,
               MemoryCreation creation);
// The status, or ExitFileError when a lookup could not read all of the memory (said).
int memoryReadStatus(Session& session, const TranslationMemory& memory, int status);

struct RowLabel {
    int form;
    int row;
};
// "F03_lng_(7)" is row 7 of form 3; labels of form names and settings are not rows.
std::optional<RowLabel> parseRowLabel(const QString& label);

// A text as one line for a log: quotes and control characters escaped.
QString quoted(const QString& text);

// Entries of a document that the editor refuses (a forbidden character) or that an edit in the
// editor would lose or change, found by committing its working copy, as (label, problem).
QList<std::pair<QString, QString>> entryProblems(const LanguageDocument& document);
// Rows of the forms that to-po refuses, since a PO file cannot hold them, as (label, problem).
QList<std::pair<QString, QString>> poProblems(const LanguageDocument& document);

int commandToPo(Session& session, const Invocation& call);
int commandStats(Session& session, const Invocation& call);
int commandFromPo(Session& session, const Invocation& call);
int commandToXliff(Session& session, const Invocation& call);
int commandFromXliff(Session& session, const Invocation& call);
int commandCheck(Session& session, const Invocation& call);
int commandDiff(Session& session, const Invocation& call);
int commandTm(Session& session, const Invocation& call);
int commandGlossary(Session& session, const Invocation& call);
int commandPretranslate(Session& session, const Invocation& call);
