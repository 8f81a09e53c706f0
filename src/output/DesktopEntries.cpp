#include "DesktopEntries.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

#include <algorithm>

namespace {

// The keys of one group of an ini-style freedesktop file.
QList<std::pair<QString, QString>> readGroup(const QString& path, const QString& group)
{
    QList<std::pair<QString, QString>> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    QTextStream in(&file);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inGroup = line == u'[' + group + u']';
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inGroup && equals > 0)
            entries.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
    }
    return entries;
}

QStringList splitList(const QString& value)
{
    return value.split(u';', Qt::SkipEmptyParts);
}

std::optional<DesktopApp> readEntry(const QString& path, const QString& id)
{
    DesktopApp app;
    app.id = id;
    app.path = path;
    bool isApplication = false;
    bool hidden = false;
    for (const auto& [key, value] : readGroup(path, QStringLiteral("Desktop Entry"))) {
        if (key == QLatin1String("Type"))
            isApplication = value == QLatin1String("Application");
        else if (key == QLatin1String("Name"))
            app.name = value;
        else if (key == QLatin1String("Icon"))
            app.icon = value;
        else if (key == QLatin1String("Exec"))
            app.exec = value;
        else if (key == QLatin1String("MimeType"))
            app.mimeTypes = splitList(value);
        else if (key == QLatin1String("NoDisplay"))
            app.noDisplay = value == QLatin1String("true");
        else if (key == QLatin1String("Hidden"))
            hidden = value == QLatin1String("true");
    }
    if (!isApplication || hidden || app.exec.isEmpty())
        return std::nullopt;
    if (app.name.isEmpty())
        app.name = QFileInfo(id).completeBaseName();
    return app;
}

// Splits an Exec value into arguments: blanks separate them, double quotes group them and a
// backslash inside quotes escapes the next character.
QStringList splitExec(const QString& exec)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool started = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted && c == u'\\') {
            current += exec.mid(++i, 1); // nothing when the backslash ends the value
        } else if (c == u'"') {
            quoted = !quoted;
            started = true;
        } else if (!quoted && c.isSpace()) {
            if (started)
                arguments << current;
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments << current;
    return arguments;
}

} // namespace

QStringList DesktopEntries::systemApplicationDirs()
{
    QStringList dirs;
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        dirs << data + QStringLiteral("/applications");
    return dirs;
}

QStringList DesktopEntries::systemMimeAppsFiles()
{
    QStringList files;
    for (const QString& config :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        files << config + QStringLiteral("/mimeapps.list");
    for (const QString& dir : systemApplicationDirs())
        files << dir + QStringLiteral("/mimeapps.list");
    return files;
}

DesktopEntries DesktopEntries::system()
{
    return scan(systemApplicationDirs(), systemMimeAppsFiles());
}

DesktopEntries DesktopEntries::scan(const QStringList& applicationDirs,
                                    const QStringList& mimeAppsFiles)
{
    DesktopEntries entries;
    QStringList seen;
    for (const QString& dir : applicationDirs) {
        QDir folder(dir);
        const QStringList files =
            folder.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            if (seen.contains(file))
                continue; // an earlier folder overrides this entry
            seen << file;
            if (const auto app = readEntry(folder.filePath(file), file))
                entries.m_apps << *app;
        }
    }
    std::sort(entries.m_apps.begin(), entries.m_apps.end(),
              [](const DesktopApp& a, const DesktopApp& b) { return a.id < b.id; });

    for (const QString& file : mimeAppsFiles) {
        for (const auto& [type, ids] : readGroup(file, QStringLiteral("Default Applications"))) {
            const bool known = std::any_of(entries.m_defaults.begin(), entries.m_defaults.end(),
                                           [&](const auto& d) { return d.first == type; });
            if (!known)
                entries.m_defaults.append({type, splitList(ids)});
        }
    }
    return entries;
}

std::optional<DesktopApp> DesktopEntries::defaultFor(const QStringList& typeAndParents) const
{
    for (const QString& type : typeAndParents) {
        for (const auto& [defaultType, ids] : m_defaults) {
            if (defaultType != type)
                continue;
            for (const QString& id : ids) {
                const auto app = std::find_if(m_apps.begin(), m_apps.end(),
                                              [&](const DesktopApp& a) { return a.id == id; });
                if (app != m_apps.end())
                    return *app;
            }
        }
        for (const DesktopApp& app : m_apps) {
            if (app.mimeTypes.contains(type))
                return app;
        }
    }
    return std::nullopt;
}

QList<DesktopApp> DesktopEntries::chooserList(const QStringList& typeAndParents) const
{
    QList<DesktopApp> registered;
    QList<DesktopApp> others;
    for (const DesktopApp& app : m_apps) {
        if (app.noDisplay)
            continue;
        const bool fits = std::any_of(typeAndParents.begin(), typeAndParents.end(),
                                      [&](const QString& t) { return app.mimeTypes.contains(t); });
        (fits ? registered : others) << app;
    }
    const QCollator byName;
    std::ranges::sort(registered, byName, &DesktopApp::name);
    std::ranges::sort(others, byName, &DesktopApp::name);
    return registered + others;
}

QStringList launchArguments(const DesktopApp& app, const QString& file)
{
    QStringList arguments;
    bool placed = false;
    for (const QString& word : splitExec(app.exec)) {
        if (word == QLatin1String("%f") || word == QLatin1String("%F") ||
            word == QLatin1String("%u") || word == QLatin1String("%U")) {
            if (!placed)
                arguments << file;
            placed = true;
        } else if (word == QLatin1String("%i")) {
            if (!app.icon.isEmpty())
                arguments << QStringLiteral("--icon") << app.icon;
        } else if (word == QLatin1String("%c")) {
            arguments << app.name;
        } else if (word == QLatin1String("%k")) {
            arguments << app.path;
        } else if (word.size() == 2 && word.startsWith(u'%') && word != QLatin1String("%%")) {
            continue; // a field code that does not apply
        } else {
            arguments << QString(word).replace(QLatin1String("%%"), QLatin1String("%"));
        }
    }
    if (!placed && !arguments.isEmpty())
        arguments << file;
    return arguments;
}

QStringList typesOf(const QString& fileOrAddress)
{
    const QUrl url(fileOrAddress);
    if (url.isValid() && url.scheme().size() > 1 && !url.isLocalFile())
        return {QStringLiteral("x-scheme-handler/") + url.scheme()};
    const QMimeType type = QMimeDatabase().mimeTypeForFile(fileOrAddress);
    return QStringList{type.name()} + type.allAncestors();
}
