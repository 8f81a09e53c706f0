#pragma once

#include "DesktopEntries.h"
#include "ShellBackend.h"

#include <functional>
#include <optional>

class Toolkit;

// The shell back end on Linux and other freedesktop systems. "Open" starts the default
// application of the file's type (from the shared MIME database and mimeapps.list), or the
// default browser for a web address; "no program is associated" means none is installed for
// the type. The Open With dialog is a chooser of our own over the installed applications.
class FreedesktopShell : public ShellBackend {
public:
    // How an application is started; by default a detached process.
    using Launcher = std::function<bool(const QStringList& arguments)>;

    explicit FreedesktopShell(Toolkit& toolkit, Launcher launcher = {});

    WindowHandle GetDesktopWindow() override;
    std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showMode) override;
    unsigned GetSystemDirectoryA(char* buffer, unsigned length) override;

    // Replaces the installed applications, for tests.
    void setApplications(DesktopEntries entries) { m_entries = std::move(entries); }

private:
    const DesktopEntries& entries();
    std::intptr_t openWith(const QString& file);
    bool launch(const DesktopApp& app, const QString& file);

    Toolkit& m_toolkit;
    Launcher m_launcher;
    std::optional<DesktopEntries> m_entries; // read on first use
};
