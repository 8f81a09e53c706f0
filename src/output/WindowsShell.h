#pragma once

#include "ShellBackend.h"

// The shell back end on Windows: the Win32 calls themselves.
class WindowsShell : public ShellBackend {
public:
    WindowHandle GetDesktopWindow() override;
    std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showMode) override;
    unsigned GetSystemDirectoryA(char* buffer, unsigned length) override;
};
