#include "MemorySession.h"

#include "LanguageSession.h"
#include "ReferenceSession.h"
#include "SpellingSession.h"

#include <QThread>
#include <QTimer>

namespace {

// How often a memory whose server cannot be reached looks for it again.
constexpr int RetryMs = 30000;
// How long the window waits for its memory's server at most, once: then it goes on without it.
constexpr std::chrono::seconds ServerWait(5);

// The server's reason as one line: libpq's own words come with line breaks and indents.
QString oneLine(const QString& text)
{
    QString line = text.simplified();
    while (line.endsWith(u'.'))
        line.chop(1);
    return line.left(1).toUpper() + line.mid(1);
}

} // namespace

MemorySession::MemorySession(const LanguageSession& session, const ReferenceSession& reference,
                             const SpellingSession& spelling, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_reference(reference)
    , m_spelling(spelling)
    , m_retry(new QTimer(this))
    , m_recordPath(session.path())
{
    m_retry->setInterval(RetryMs);
    connect(m_retry, &QTimer::timeout, this, &MemorySession::lookForServer);
    connect(&session, &LanguageSession::saved, this, &MemorySession::learn);
    connect(&session, &LanguageSession::documentReplaced, this, &MemorySession::documentReplaced);
    connect(&session, &LanguageSession::rowsStored, this, &MemorySession::noteStored);
    connect(&session, &LanguageSession::contentsChanged, this,
            [this] { m_translatedFrom.reset(); });
    connect(&reference, &ReferenceSession::openedOrClosed, this, &MemorySession::readSources);
    connect(&reference, &ReferenceSession::referenceLanguageChanged, this,
            &MemorySession::readSources);
    connect(&spelling, &SpellingSession::languageChanged, this, &MemorySession::readSources);
}

MemorySession::~MemorySession()
{
    // A look for the server ends within its connection's timeout.
    if (m_probe) {
        m_probe->wait();
        delete m_probe;
    }
}

void MemorySession::moveTo(const QString& where)
{
    m_memoryPath = where;
    m_memory.reset();
    m_outbox.reset();
    m_offline = false;
    m_server.clear();
    m_retry->stop();
    readSources();
}

void MemorySession::setRetryInterval(int ms)
{
    m_retry->setInterval(ms);
}

QString MemorySession::open()
{
    if (m_memory || !m_reference.isOpen() || m_reference.referenceLanguage().isEmpty() ||
        m_spelling.language().isEmpty())
        return {};
    m_memory = std::make_unique<TranslationMemory>();
    m_memory->setServerWait(ServerWait);
    const QString where = m_memoryPath.isEmpty() ? TranslationMemory::defaultPath() : m_memoryPath;
    MemoryOpening opening = m_memory->open(where);
    m_server = isServerAddress(where) ? where : QString();
    if (!m_server.isEmpty() && !opening.error.isEmpty()) {
        goOffline(opening.error);
        opening = {};
    } else if (!m_server.isEmpty()) {
        // What an earlier window learnt while the server could not be reached.
        if (const QString handed = m_memory->pushOutbox(m_server).error; !handed.isEmpty())
            opening.error = handed;
    }
    readSources();
    QStringList problems;
    for (const QString& problem : {opening.error, opening.notice}) {
        if (!problem.isEmpty())
            problems << tr("The translation memory: %1.").arg(problem);
    }
    return problems.join(QStringLiteral("\r\n"));
}

bool MemorySession::isUsable() const
{
    return m_memory && m_memory->isOpen() && m_reference.isOpen() &&
           !m_reference.referenceLanguage().isEmpty() && !m_spelling.language().isEmpty();
}

QString MemorySession::missing() const
{
    if (!m_reference.isOpen())
        return {};
    const bool reference = m_reference.referenceLanguage().isEmpty();
    const bool document = m_spelling.language().isEmpty();
    if (reference && document)
        return tr("Set the language of the reference in Reference > Language of the reference, "
                  "and this file's in Reference > Spelling language, to get suggestions from the "
                  "translation memory and the changed check.");
    if (reference)
        return tr("Set the language of the reference in Reference > Language of the reference "
                  "to get suggestions from the translation memory and the changed check.");
    if (document)
        return tr("Set the language of this file in Reference > Spelling language to get "
                  "suggestions from the translation memory and the changed check.");
    return {};
}

void MemorySession::documentReplaced()
{
    m_recordPath = m_session.path();
    m_stored.clear();
    readSources();
}

void MemorySession::noteStored(const QList<PlacedText>& texts)
{
    if (!m_reference.isOpen())
        return; // what they translate is not known
    for (const PlacedText& t : texts)
        m_stored.insert({t.form, t.row},
                        {t.text, m_reference.reference()->formText(t.form).at(t.row)});
    m_translatedFrom.reset();
    emit sourcesChanged();
}

void MemorySession::readSources()
{
    m_sources = isUsable() && !m_recordPath.isEmpty()
                    ? m_memory->sourcesOf(m_reference.referenceLanguage(), m_spelling.language(),
                                          memoryOrigin(m_recordPath))
                    : TranslatedFrom();
    m_translatedFrom.reset();
    emit sourcesChanged();
    // Read when the memory opens or learns, or a language changes: so may its glossary be.
    emit termsChanged();
}

QList<GlossaryTerm> MemorySession::terms() const
{
    return isUsable() ? m_memory->terms(m_reference.referenceLanguage(), m_spelling.language())
                      : QList<GlossaryTerm>();
}

QString MemorySession::addTerm(const GlossaryTerm& term)
{
    if (!isUsable())
        return tr("the translation memory is not open");
    // The person's own memory stands in for the server now: a term kept there would never
    // reach the team's glossary.
    if (m_offline)
        return tr("the team's server cannot be reached, and its glossary is changed only there");
    const QString problem =
        m_memory->addTerms(m_reference.referenceLanguage(), m_spelling.language(), {term});
    keepServer();
    if (problem.isEmpty())
        emit termsChanged();
    return problem;
}

const TranslatedFrom* MemorySession::translatedFrom() const
{
    if (!isUsable())
        return nullptr;
    if (!m_translatedFrom) {
        TranslatedFrom from = m_sources;
        for (auto it = m_stored.cbegin(); it != m_stored.cend(); ++it) {
            const auto [form, row] = it.key();
            if (m_session.document().formText(form).at(row) == it->text)
                from.insert(it.key(), it->source);
        }
        m_translatedFrom = std::move(from);
    }
    return &*m_translatedFrom;
}

void MemorySession::learn(const QString& path)
{
    const QString before = std::exchange(m_recordPath, path);
    keepServer();
    if (!isUsable())
        return;
    const QString from = m_reference.referenceLanguage(), to = m_spelling.language();
    QString error;
    if (!before.isEmpty() && memoryOrigin(before) != memoryOrigin(path))
        error = m_memory->copyHistory(from, to, memoryOrigin(before), memoryOrigin(path)).error;
    readSources();
    keepServer(); // lost while it was read
    // Only rows translated for the reference text they stand beside: a row beside a changed
    // text keeps the old one's translation until it is stored again.
    if (const TranslatedFrom* sources = translatedFrom(); error.isEmpty() && sources)
        error = addUnits(translatedRows(*m_reference.reference(), m_session.document(), path, from,
                                        to, *sources));
    if (!error.isEmpty())
        emit memoryProblem(tr("The translation memory cannot be written: %1.").arg(error));
    // What each row was translated from is what the reference holds now.
    readSources();
}

QList<Suggestion> MemorySession::suggestionsFor(int form, int row) const
{
    if (!isUsable() || form < 1 || form > LanguageDocument::FormCount)
        return {};
    const LanguageTable& texts = m_reference.reference()->formText(form);
    if (!texts.contains(row))
        return {};
    const QList<Suggestion> found =
        m_memory->suggest(m_reference.referenceLanguage(), m_spelling.language(), texts.at(row));
    // A server gone while the window is open: reached again, or the person's own memory from
    // the next lookup on.
    if (!m_server.isEmpty() && !isOffline() && !m_memory->readError().isEmpty())
        QTimer::singleShot(0, const_cast<MemorySession*>(this),
                           [this] { const_cast<MemorySession*>(this)->keepServer(); });
    return found;
}

void MemorySession::keepServer()
{
    if (m_server.isEmpty() || isOffline() || !m_memory ||
        (m_memory->isOpen() && m_memory->readError().isEmpty()))
        return;
    // A connection the server ended (it restarted) is made again; a server that cannot be
    // reached, or does not answer, is gone.
    const QString lost = m_memory->readError();
    if (const MemoryOpening again = m_memory->open(m_server); !again.error.isEmpty())
        goOffline(lost.isEmpty() ? again.error : lost);
}

QString MemorySession::addUnits(const QList<MemoryUnit>& units)
{
    QString error = m_memory->add(units).error;
    if (!error.isEmpty() && !m_server.isEmpty() && !isOffline()) {
        // The connection was lost: opened again, or the server went away since it was opened.
        if (const MemoryOpening again = m_memory->open(m_server); !again.error.isEmpty())
            goOffline(error);
        error = m_memory->add(units).error;
    }
    if (error.isEmpty() && isOffline()) {
        // The outbox, made when there is something to hand on.
        if (!m_outbox) {
            auto outbox = std::make_unique<TranslationMemory>();
            error = outbox->open(TranslationMemory::outboxPath(m_server)).error;
            if (error.isEmpty())
                m_outbox = std::move(outbox);
        }
        if (m_outbox)
            error = m_outbox->add(units).error;
    }
    return error;
}

void MemorySession::goOffline(const QString& why)
{
    m_offline = true;
    m_memory = std::make_unique<TranslationMemory>();
    QStringList said = {tr("%1. Until it can be, suggestions come from the memory on this "
                           "computer, which keeps what is learnt and hands it to the server then.")
                            .arg(oneLine(why))};
    const MemoryOpening opening = m_memory->open(TranslationMemory::defaultPath());
    for (const QString& problem : {opening.error, opening.notice})
        if (!problem.isEmpty())
            said << tr("The translation memory: %1.").arg(problem);
    m_retry->start();
    emit serverNotice(said.join(u' '), true);
    readSources();
}

void MemorySession::lookForServer()
{
    if (m_probe || !isOffline())
        return;
    // Off the GUI thread: a server that does not answer takes its connection's timeout.
    auto reachable = std::make_shared<bool>(false);
    m_probe = QThread::create([where = m_server, reachable] {
        TranslationMemory server;
        *reachable = server.open(where, MemoryCreation::MustExist).error.isEmpty();
    });
    connect(m_probe, &QThread::finished, this, [this, reachable] {
        m_probe->deleteLater();
        m_probe = nullptr;
        if (*reachable && isOffline())
            serverFound();
    });
    m_probe->start();
}

void MemorySession::serverFound()
{
    auto server = std::make_unique<TranslationMemory>();
    server->setServerWait(ServerWait);
    if (!server->open(m_server).error.isEmpty())
        return;       // gone again: looked for later
    m_outbox.reset(); // closed, to be emptied
    const MemoryAddition handed = server->pushOutbox(m_server);
    if (!handed.error.isEmpty()) {
        emit memoryProblem(tr("The translation memory cannot be written: %1.").arg(handed.error));
        return;
    }
    m_retry->stop();
    m_offline = false;
    m_memory = std::move(server);
    readSources();
    // What the server did not have yet.
    const int units = handed.added + handed.updated;
    const QString shown = serverAddressShown(m_server);
    emit serverNotice(units == 0
                          ? tr("The translation memory on %1 can be reached again.").arg(shown)
                      : units == 1 ? tr("The translation memory on %1 can be reached again, and "
                                        "has the unit learnt meanwhile.")
                                         .arg(shown)
                                   : tr("The translation memory on %1 can be reached again, and "
                                        "has the %2 units learnt meanwhile.")
                                         .arg(shown, QString::number(units)),
                      false);
}

Pretranslation MemorySession::pretranslation() const
{
    return isUsable() ? ::pretranslation(*m_memory, *m_reference.reference(), m_session.committed(),
                                         m_reference.referenceLanguage(), m_spelling.language())
                      : Pretranslation();
}
