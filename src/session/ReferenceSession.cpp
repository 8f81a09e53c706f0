#include "ReferenceSession.h"

#include "Dictionaries.h"
#include "LanguageFile.h"
#include "LanguageSession.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const QString RememberedKey = QStringLiteral("references");
const QString LanguagesKey = QStringLiteral("languages");

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
    });
}

ReferenceSession::~ReferenceSession() = default;

void ReferenceSession::setLengthFactor(double factor)
{
    m_checks.lengthFactor = factor;
    m_stale = true;
    m_checked = {};
    emit changed();
}

QString ReferenceSession::language() const
{
    return m_speller ? m_speller->language() : QString();
}

QString ReferenceSession::setLanguage(const QString& language)
{
    std::shared_ptr<HunspellSpeller> speller;
    QString problem;
    if (!language.isEmpty()) {
        speller = HunspellSpeller::load(language, problem);
        if (!speller)
            return problem;
    }
    m_speller = std::move(speller);
    m_checks.speller = m_speller.get();
    rememberIn(LanguagesKey, m_session.path(), language);
    m_stale = true;
    m_checked = {};
    emit languageChanged(language);
    emit changed();
    return {};
}

QString ReferenceSession::addWord(const QString& word)
{
    if (!m_speller)
        return {};
    const QString problem = m_speller->addToPersonalList(word);
    m_stale = true;
    m_checked = {};
    emit changed();
    return problem;
}

QString ReferenceSession::rememberedLanguageFor(const QString& documentPath) const
{
    return QSettings().value(LanguagesKey).toMap().value(documentPath).toString();
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
    m_problems.clear();
    m_counts = {};
    emit openedOrClosed(false);
    emit changed();
}

QString ReferenceSession::rememberedFor(const QString& documentPath) const
{
    const QString remembered =
        QSettings().value(RememberedKey).toMap().value(documentPath).toString();
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
    m_stale = true;
    m_checked = {};
    emit changed();
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
