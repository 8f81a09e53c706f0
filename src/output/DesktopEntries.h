#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// An installed application, from its freedesktop .desktop entry.
struct DesktopApp {
    QString id;   // the entry's file name, such as "org.gnome.TextEditor.desktop"
    QString path; // the entry file
    QString name;
    QString icon;
    QString exec;
    QStringList mimeTypes;
    bool noDisplay = false;
};

// The applications installed in the freedesktop way, with the default application of each file
// type. Built only when needed, never at start-up.
class DesktopEntries {
public:
    // Reads the .desktop files of the application folders (earlier folders win for the same id)
    // and the [Default Applications] of the mimeapps.list files (earlier files win).
    static DesktopEntries scan(const QStringList& applicationDirs,
                               const QStringList& mimeAppsFiles);
    // The same with the folders and files the XDG base directories name.
    static DesktopEntries system();
    static QStringList systemApplicationDirs();
    static QStringList systemMimeAppsFiles();

    // The program that opens the type (or, failing that, one of its parent types): its default
    // application where one is set and installed, else the first application that lists it.
    std::optional<DesktopApp> defaultFor(const QStringList& typeAndParents) const;

    // The applications for a chooser: those registered for the type first, then all others,
    // each group by name; entries marked hidden from menus are left out.
    QList<DesktopApp> chooserList(const QStringList& typeAndParents) const;

    const QList<DesktopApp>& applications() const { return m_apps; }

private:
    QList<DesktopApp> m_apps;                          // by id
    QList<std::pair<QString, QStringList>> m_defaults; // type -> application ids, in order
};

// The command that starts the application on the file: its Exec line split into arguments,
// with the file put in place of the field code that takes one (or added at the end).
QStringList launchArguments(const DesktopApp& app, const QString& file);

// The desktop file types of a local file or of a web address ("x-scheme-handler/https"), the
// type itself first, then its parents.
QStringList typesOf(const QString& fileOrAddress);
