#include "ReferenceSession.h"

#include "Dictionaries.h"
#include "DocumentMemory.h"
#include "LanguageFile.h"
#include "LanguageSession.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString RememberedKey = QStringLiteral("references");
const QString LanguagesKey = QStringLiteral("languages");
const QString ReferenceLanguagesKey = QStringLiteral("referenceLanguages");

QString rememberedIn(const QString& key, const QString& document)
{
    return QSettings().value(key).toMap().value(document).toString();
}

void rememberIn(const QString& key, const QString& document, const QString& value)
{
    if (document.isEmpty())
        return;
    QSettings settings;
    QVariantMap map = settings.value(key).toMap();
    if (value.isEmpty())
        map.remove(document);
    else
        map.insert(document, value);
    settings.setValue(key, map);
}
} // namespace

ReferenceSession::ReferenceSession(const LanguageSession& session, QObject* parent)
    : QObject(parent)
    , m_session(session)
{
    connect(&session, &LanguageSession::contentsChanged, this, &ReferenceSession::documentChanged);
    // A document saved under a name keeps its reference there too.
    connect(&session, &LanguageSession::saved, this, [this](const QString& path) {
        if (isOpen())
            remember(path, m_path);
        rememberIn(LanguagesKey, path, language());
        learn();
    });
}

ReferenceSession::~ReferenceSession() = default;

void ReferenceSession::recheck()
{
    m_stale = true;
    m_checked = {};
    emit changed();
}

void ReferenceSession::setLengthFactor(double factor)
{
    m_checks.lengthFactor = factor;
    recheck();
}

QString ReferenceSession::language() const
{
    return m_speller ? m_speller->language() : QString();
}

QString ReferenceSession::setLanguage(const QString& language)
{
    std::unique_ptr<HunspellSpeller> speller;
    QString problem;
    if (!language.isEmpty()) {
        speller = HunspellSpeller::load(language, problem);
        if (!speller)
            return problem;
    }
    m_speller = std::move(speller);
    m_checks.speller = m_speller.get();
    rememberIn(LanguagesKey, m_session.path(), language);
    emit languageChanged(language);
    recheck();
    return {};
}

QString ReferenceSession::addWord(const QString& word)
{
    if (!m_speller)
        return {};
    const QString problem = m_speller->addToPersonalList(word);
    recheck();
    return problem;
}

void ReferenceSession::setReferenceLanguage(const QString& language)
{
    m_referenceLanguage = language;
    rememberIn(ReferenceLanguagesKey, m_path, language);
    recheck(); // the memory's checks come or go with it
}

TranslationMemory* ReferenceSession::memory() const
{
    if (m_referenceLanguage.isEmpty() || language().isEmpty() || !isOpen())
        return nullptr;
    if (!m_memory) {
        m_memory = std::make_unique<TranslationMemory>();
        const QString path =
            m_memoryPath.isEmpty() ? TranslationMemory::defaultPath() : m_memoryPath;
        const MemoryOpening opening = m_memory->open(path);
        for (const QString& problem : {opening.error, opening.notice}) {
            if (!problem.isEmpty())
                emit const_cast<ReferenceSession*>(this)->memoryProblem(
                    tr("The translation memory: %1.").arg(problem));
        }
    }
    return m_memory->isOpen() ? m_memory.get() : nullptr;
}

void ReferenceSession::learn()
{
    TranslationMemory* tm = memory();
    if (!tm)
        return;
    const MemoryAddition added = tm->add(translatedRows(
        *m_reference, m_session.document(), m_session.path(), m_referenceLanguage, language()));
    if (!added.error.isEmpty())
        emit memoryProblem(tr("The translation memory cannot be written: %1.").arg(added.error));
    // What each row was translated from is what the reference holds now.
    m_stale = true;
    emit changed();
}

QList<Suggestion> ReferenceSession::suggestionsFor(int form, int row) const
{
    TranslationMemory* tm = memory();
    if (!tm || form < 1 || form > LanguageDocument::FormCount || row < 0 ||
        row >= LanguageDocument::RowCount)
        return {};
    return tm->suggest(m_referenceLanguage, language(), m_reference->formText(form).at(row));
}

Pretranslation ReferenceSession::pretranslation() const
{
    TranslationMemory* tm = memory();
    return tm ? ::pretranslation(*tm, *m_reference, m_session.committed(), m_referenceLanguage,
                                 language())
              : Pretranslation();
}

QString ReferenceSession::rememberedLanguageFor(const QString& documentPath) const
{
    return rememberedIn(LanguagesKey, documentPath);
}

void ReferenceSession::documentChanged()
{
    m_stale = true;
    if (isOpen())
        emit changed();
}

QString ReferenceSession::open(const QString& path)
{
    const ReadResult read = readLanguageFile(path);
    if (read.status != ReadStatus::Ok)
        return read.reason.isEmpty() ? tr("cannot be opened") : read.reason;
    m_reference.emplace();
    lsf::applyFields(read.parsed, *m_reference);
    m_path = path;
    m_referenceLanguage = rememberedIn(ReferenceLanguagesKey, path);
    m_stale = true;
    m_checked = {};
    m_wentTo.reset();
    remember(m_session.path(), path);
    emit openedOrClosed(true);
    emit changed();
    return QString();
}

void ReferenceSession::close()
{
    if (!isOpen())
        return;
    remember(m_session.path(), QString());
    m_reference.reset();
    m_path.clear();
    m_referenceLanguage.clear();
    m_problems.clear();
    m_counts = {};
    emit openedOrClosed(false);
    emit changed();
}

QString ReferenceSession::rememberedFor(const QString& documentPath) const
{
    const QString remembered = rememberedIn(RememberedKey, documentPath);
    return remembered != m_path ? remembered : QString();
}

void ReferenceSession::remember(const QString& document, const QString& reference) const
{
    rememberIn(RememberedKey, document, reference);
}

void ReferenceSession::setCheck(Check check, bool on)
{
    if (m_checks.has(check) == on)
        return;
    m_checks.on[std::size_t(check)] = on;
    recheck();
}

const QList<Problem>& ReferenceSession::problems() const
{
    if (m_stale && m_reference) {
        ++m_passes;
        m_counts = {};
        m_problems.clear();
        const int selected = m_session.selectedForm();
        for (int form = 1; form <= LanguageDocument::FormCount; ++form) {
            // A form that is not selected is checked again only when its stored rows changed:
            // an edit changes one form, and the others' tables are still the ones checked.
            FormChecked& cached = m_checked[std::size_t(form - 1)];
            const LanguageTable& stored = m_session.document().formText(form);
            if (form == selected || !cached.table || !(*cached.table == stored)) {
                cached = {};
                formProblems(*m_reference, m_session.document(), m_session.workingCopy(), selected,
                             form, m_checks, cached.problems, cached.counts);
                if (form != selected)
                    cached.table = stored;
            }
            m_problems += cached.problems;
            m_counts.referenceRows += cached.counts.referenceRows;
            m_counts.translated += cached.counts.translated;
        }
        if (m_checks.has(Check::Consistency))
            mergeProblems(m_problems, consistencyProblems(*m_reference, m_session.document(),
                                                          m_session.workingCopy(), selected));
        if (TranslationMemory* tm = m_checks.has(Check::Changed) ? memory() : nullptr)
            mergeProblems(m_problems, changedProblems(*m_reference,
                                                      tm->sourcesOf(m_referenceLanguage, language(),
                                                                    m_session.path())));
        m_counts.problems = int(m_problems.size());
    }
    m_stale = false;
    return m_problems;
}

const ReferenceCounts& ReferenceSession::counts() const
{
    problems();
    return m_counts;
}

std::optional<Problem> ReferenceSession::problemFrom(int step) const
{
    const int item = m_session.designatedRow();
    ProblemPlace here{m_session.selectedForm(), item < 0 ? -1 : m_session.rowOf(item)};
    if (m_landed && here == *m_landed)
        here = *m_wentTo;
    return ::problemFrom(problems(), here, step);
}

void ReferenceSession::wentTo(const Problem& problem)
{
    m_wentTo = ProblemPlace{problem.form, problem.row};
    const int item = m_session.designatedRow();
    m_landed = ProblemPlace{m_session.selectedForm(), item < 0 ? -1 : m_session.rowOf(item)};
}
