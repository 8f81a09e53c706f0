#pragma once

#include "ShellBackend.h"

#include <deque>
#include <string>
#include <vector>

// A shell back end that records every call and answers from a script.
class FakeShell : public ShellBackend {
public:
    std::vector<std::string> calls;
    std::deque<std::intptr_t> results; // for ShellExecuteA; 42 (success) when empty
    std::string systemFolder{"C:\\WINDOWS\\system32", sizeof "C:\\WINDOWS\\system32"};

    WindowHandle GetDesktopWindow() override
    {
        calls.emplace_back("GetDesktopWindow");
        return 65552;
    }

    std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showMode) override
    {
        calls.push_back("ShellExecuteA " + std::to_string(owner) + "|" + verb + "|" + file + "|" +
                        parameters + "|" + directory + "|" + std::to_string(showMode));
        if (results.empty())
            return 42;
        const std::intptr_t result = results.front();
        results.pop_front();
        return result;
    }

    unsigned GetSystemDirectoryA(char* buffer, unsigned length) override
    {
        calls.push_back("GetSystemDirectoryA " + std::to_string(length));
        const std::size_t n = std::min<std::size_t>(systemFolder.size(), length);
        systemFolder.copy(buffer, n);
        return unsigned(n);
    }
};
