#pragma once

// The desktop shell as the program uses it: the three operations of the Windows shell that
// open a file or address with its associated program and show the Open With dialog. Each
// platform has a back end; text is passed as bytes in the platform's ANSI or file-name encoding.
// This header uses no Qt so that the Windows back end needs nothing but the Windows SDK.

#include <cstdint>
#include <string>

class ShellBackend {
public:
    using WindowHandle = std::uintptr_t;

    // ShellExecuteA's results: above 32 is success; these two are the ones the program tells
    // apart.
    static constexpr std::intptr_t FileNotFound = 2;
    static constexpr std::intptr_t NoAssociation = 31;

    virtual ~ShellBackend() = default;

    // The window that owns whatever the shell opens.
    virtual WindowHandle GetDesktopWindow() = 0;

    // Opens file with the verb; parameters and directory may be empty. Returns a number above 32
    // on success, else an error code (31: no program is associated with the file).
    virtual std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb,
                                        const std::string& file, const std::string& parameters,
                                        const std::string& directory, int showMode) = 0;

    // Writes the system folder's path and a NUL into the buffer of the given length; returns the
    // number of characters written without the NUL.
    virtual unsigned GetSystemDirectoryA(char* buffer, unsigned length) = 0;
};
