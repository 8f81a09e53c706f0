#include "FreedesktopShell.h"

#include "AppChooser.h"
#include "Toolkit.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <cstring>

namespace {

constexpr std::intptr_t Started = 42;
constexpr char OpenAsPrefix[] = "shell32.dll,OpenAs_RunDLL ";
// Where the Open With program "lives"; the chooser stands in for it here.
constexpr char SystemFolder[] = "/usr/bin";

QString fromShell(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

bool isAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}

} // namespace

FreedesktopShell::FreedesktopShell(Toolkit& toolkit, Launcher launcher)
    : m_toolkit(toolkit)
    , m_launcher(std::move(launcher))
{
    if (!m_launcher) {
        m_launcher = [](const QStringList& arguments) {
            return !arguments.isEmpty() &&
                   QProcess::startDetached(arguments.first(), arguments.mid(1));
        };
    }
}

const DesktopEntries& FreedesktopShell::entries()
{
    if (!m_entries)
        m_entries = DesktopEntries::system();
    return *m_entries;
}

ShellBackend::WindowHandle FreedesktopShell::GetDesktopWindow()
{
    return 0; // the shell's windows have no owner here
}

std::intptr_t FreedesktopShell::ShellExecuteA(WindowHandle, const std::string& verb,
                                              const std::string& file,
                                              const std::string& parameters, const std::string&,
                                              int)
{
    if (verb != "open")
        return NoAssociation;
    if (file == "RUNDLL32.EXE" && parameters.rfind(OpenAsPrefix, 0) == 0)
        return openWith(fromShell(parameters.substr(std::strlen(OpenAsPrefix))));

    const QString target = fromShell(file);
    const bool address = isAddress(target);
    if (!address && !QFileInfo(target).isFile())
        return FileNotFound;
    if (const auto app = entries().defaultFor(typesOf(target)))
        return launch(*app, target) ? Started : NoAssociation;
    // A desktop without mimeapps entries may still know its browser.
    if (address && QDesktopServices::openUrl(QUrl(target)))
        return Started;
    return NoAssociation;
}

unsigned FreedesktopShell::GetSystemDirectoryA(char* buffer, unsigned length)
{
    const unsigned size = unsigned(std::strlen(SystemFolder));
    if (length <= size)
        return size + 1;
    std::memcpy(buffer, SystemFolder, size + 1);
    return size;
}

std::intptr_t FreedesktopShell::openWith(const QString& file)
{
    const QStringList types = typesOf(file);
    const QList<DesktopApp> apps = entries().chooserList(types);
    const int registered = int(std::count_if(apps.begin(), apps.end(), [&](const DesktopApp& a) {
        return std::any_of(types.begin(), types.end(),
                           [&](const QString& t) { return a.mimeTypes.contains(t); });
    }));
    AppChooser chooser(file, apps, registered);
    m_toolkit.showModal(chooser);
    if (const auto app = chooser.chosen())
        return launch(*app, file) ? Started : NoAssociation;
    return Started; // cancelled: nothing more to do
}

bool FreedesktopShell::launch(const DesktopApp& app, const QString& file)
{
    return m_launcher(launchArguments(app, file));
}
