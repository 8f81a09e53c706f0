#include "Class_Openwith.h"

#include "ShellBackend.h"

#include <stdexcept>

namespace {

// Shell arguments are single-byte text in the platform's own encoding.
std::string shellText(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

constexpr int ShowNormal = 1;
constexpr unsigned SystemFolderBuffer = 260;

} // namespace

void Class_Openwith::OpenDialog(const QString& path)
{
    const std::string file = shellText(path);
    ShellBackend::WindowHandle owner = m_shell.GetDesktopWindow();
    const std::intptr_t result = m_shell.ShellExecuteA(owner, "open", file, "", "", ShowNormal);
    if (result != ShellBackend::NoAssociation)
        return; // success, or a failure that is not ours to report

    std::string systemFolder(SystemFolderBuffer, ' ');
    m_shell.GetSystemDirectoryA(systemFolder.data(), SystemFolderBuffer);
    const std::size_t end = systemFolder.find('\0');
    if (end == std::string::npos)
        throw std::runtime_error("the system folder came back without an end");
    systemFolder.resize(end);

    owner = m_shell.GetDesktopWindow();
    // The path goes unquoted: the Open With entry point takes the rest of its command line.
    m_shell.ShellExecuteA(owner, "open", "RUNDLL32.EXE", "shell32.dll,OpenAs_RunDLL " + file,
                          systemFolder, ShowNormal);
}
