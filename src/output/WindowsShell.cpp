// Compiled on Windows only. Uses nothing but the Windows SDK and the standard library.
#include "WindowsShell.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <shellapi.h>

namespace {
const char* orNull(const std::string& text)
{
    return text.empty() ? nullptr : text.c_str();
}
} // namespace

ShellBackend::WindowHandle WindowsShell::GetDesktopWindow()
{
    return reinterpret_cast<WindowHandle>(::GetDesktopWindow());
}

std::intptr_t WindowsShell::ShellExecuteA(WindowHandle owner, const std::string& verb,
                                          const std::string& file, const std::string& parameters,
                                          const std::string& directory, int showMode)
{
    const HINSTANCE result =
        ::ShellExecuteA(reinterpret_cast<HWND>(owner), verb.c_str(), file.c_str(),
                        parameters.c_str(), orNull(directory), showMode);
    return reinterpret_cast<std::intptr_t>(result);
}

unsigned WindowsShell::GetSystemDirectoryA(char* buffer, unsigned length)
{
    return ::GetSystemDirectoryA(buffer, length);
}
