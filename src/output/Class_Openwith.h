#pragma once

#include <QString>

class ShellBackend;

// Hands a file or a web address to the desktop shell: opens it with its associated program,
// and when there is none, shows the shell's Open With dialog for it. Create one for each call.
class Class_Openwith {
public:
    explicit Class_Openwith(ShellBackend& shell)
        : m_shell(shell)
    {
    }

    // Shows no message. A failure to get the system folder throws, for the caller's trap.
    void OpenDialog(const QString& path);

private:
    ShellBackend& m_shell;
};
