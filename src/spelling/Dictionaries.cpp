#include "Dictionaries.h"

#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.h>

namespace {

// Hunspell's C interface, loaded with its library when the first dictionary is: a program that
// spells nothing never loads it.
struct HunspellLibrary {
    decltype(&::Hunspell_create) create = nullptr;
    decltype(&::Hunspell_destroy) destroy = nullptr;
    decltype(&::Hunspell_spell) spell = nullptr;
    decltype(&::Hunspell_suggest) suggest = nullptr;
    decltype(&::Hunspell_stem) stem = nullptr;
    decltype(&::Hunspell_free_list) freeList = nullptr;
    decltype(&::Hunspell_add) add = nullptr;
    decltype(&::Hunspell_get_dic_encoding) encoding = nullptr;
    QString problem;
};

const HunspellLibrary& hunspell()
{
    static const HunspellLibrary loaded = [] {
        HunspellLibrary api;
        QLibrary library(QStringLiteral(LEXICANT_HUNSPELL_LIBRARY));
        const auto resolve = [&library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            return function != nullptr;
        };
        if (!library.load() || !resolve(api.create, "Hunspell_create") ||
            !resolve(api.destroy, "Hunspell_destroy") || !resolve(api.spell, "Hunspell_spell") ||
            !resolve(api.suggest, "Hunspell_suggest") || !resolve(api.stem, "Hunspell_stem") ||
            !resolve(api.freeList, "Hunspell_free_list") || !resolve(api.add, "Hunspell_add") ||
            !resolve(api.encoding, "Hunspell_get_dic_encoding"))
            api.problem = QStringLiteral("the spelling library cannot be used: %1")
                              .arg(library.errorString());
        return api; // the library stays loaded: nothing unloads it
    }();
    return loaded;
}

// Hunspell reads its files whole: a dictionary larger than any language's (Debian's largest are
// a few megabytes) or a word list larger than a person types is refused rather than read.
constexpr qint64 DictionaryLimit = 64 * 1000 * 1000;
constexpr qint64 WordListLimit = 4 * 1000 * 1000;

} // namespace

QStringList dictionaryFolders()
{
    const QString asked = qEnvironmentVariable("LEXICANT_DICTIONARY_PATH");
    if (!asked.isEmpty())
        return asked.split(u':', Qt::SkipEmptyParts);
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/hunspell"),
            QStringLiteral("/usr/share/hunspell")};
}

QMap<QString, QString> installedDictionaries()
{
    QMap<QString, QString> found;
    for (const QString& folder : dictionaryFolders()) {
        const QDir dir(folder);
        for (const QFileInfo& dic : dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files)) {
            const QString name = dic.completeBaseName();
            if (!found.contains(name) && dir.exists(name + QStringLiteral(".aff")))
                found.insert(name, dic.absoluteFilePath());
        }
    }
    return found;
}

QString personalWordList(const QString& language)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/lexicant/words-%1.txt").arg(language);
}

std::unique_ptr<HunspellSpeller> HunspellSpeller::load(const QString& language, QString& problem)
{
    const QString dic = installedDictionaries().value(language);
    if (dic.isEmpty()) {
        problem = QStringLiteral("no dictionary for %1 in %2")
                      .arg(language, dictionaryFolders().join(QStringLiteral(", ")));
        return nullptr;
    }
    const QString aff = dic.chopped(4) + QStringLiteral(".aff");
    for (const QString& file : {aff, dic}) {
        if (const QString why = regularFileProblem(file, DictionaryLimit); !why.isEmpty()) {
            problem = QStringLiteral("the dictionary %1 %2").arg(file, why);
            return nullptr;
        }
    }
    if (!hunspell().problem.isEmpty()) {
        problem = hunspell().problem;
        return nullptr;
    }
    Hunhandle* handle =
        hunspell().create(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
    if (!handle) {
        problem = QStringLiteral("the dictionary %1 cannot be read").arg(dic);
        return nullptr;
    }
    std::unique_ptr<HunspellSpeller> speller(new HunspellSpeller(language, handle));
    const QString list = personalWordList(language);
    QByteArray words;
    if (QFileInfo::exists(list) || QFileInfo(list).isSymLink()) {
        if (const QString why = readRegularFile(list, WordListLimit, words); !why.isEmpty())
            speller->m_wordListProblem =
                QStringLiteral("the word list %1 %2; its words are not used").arg(list, why);
    }
    for (const QByteArray& line : words.split('\n')) {
        if (!line.trimmed().isEmpty())
            hunspell().add(handle, speller->encoded(QString::fromUtf8(line.trimmed())).constData());
    }
    return speller;
}

HunspellSpeller::HunspellSpeller(const QString& language, Hunhandle* handle)
    : m_language(language)
    , m_handle(handle)
    , m_utf8(QByteArray(hunspell().encoding(handle)).toUpper() == "UTF-8")
{
}

HunspellSpeller::~HunspellSpeller()
{
    hunspell().destroy(m_handle);
}

QByteArray HunspellSpeller::encoded(const QString& word) const
{
    return m_utf8 ? word.toUtf8() : word.toLatin1();
}

bool HunspellSpeller::knows(const QString& word) const
{
    if (const auto known = m_known.constFind(word); known != m_known.constEnd())
        return *known;
    const bool known = hunspell().spell(m_handle, encoded(word).constData()) != 0;
    m_known.insert(word, known);
    return known;
}

QStringList HunspellSpeller::suggestions(const QString& word) const
{
    char** list = nullptr;
    const int n = hunspell().suggest(m_handle, &list, encoded(word).constData());
    return taken(list, n);
}

QStringList HunspellSpeller::stems(const QString& word) const
{
    char** list = nullptr;
    const int n = hunspell().stem(m_handle, &list, encoded(word).constData());
    return taken(list, n);
}

Stemmer HunspellSpeller::stemmer(std::function<const HunspellSpeller*()> speller)
{
    return [speller = std::move(speller)](const QString& word) {
        const HunspellSpeller* now = speller();
        return now ? now->stems(word) : QStringList();
    };
}

QStringList HunspellSpeller::taken(char** list, int n) const
{
    QStringList words;
    for (int i = 0; i < n; ++i)
        words << (m_utf8 ? QString::fromUtf8(list[i]) : QString::fromLatin1(list[i]));
    hunspell().freeList(m_handle, &list, n);
    return words;
}

QString HunspellSpeller::addToPersonalList(const QString& word)
{
    hunspell().add(m_handle, encoded(word).constData());
    m_known.clear(); // the word in other forms (capitalised) may be known now too
    QFile words(personalWordList(m_language));
    if (words.exists()) { // never append to a FIFO or a device
        if (const QString why = regularFileProblem(words.fileName(), WordListLimit); !why.isEmpty())
            return QStringLiteral("%1 %2").arg(words.fileName(), why);
    }
    if (!QDir().mkpath(QFileInfo(words).absolutePath()) ||
        !words.open(QIODevice::Append | QIODevice::Text) || words.write(word.toUtf8() + '\n') < 0 ||
        !words.flush())
        return words.errorString();
    return {};
}
