#pragma once

#include <sys/resource.h>
#include <unistd.h>

// Runs as the unprivileged user "nobody" while it lives, so that file permissions apply as they
// do to any user (root ignores them). The saved user stays root, so the destructor can return.
class AsNobody {
public:
    AsNobody()
    {
        if (geteuid() == 0)
            m_dropped = setresgid(65534, 65534, 0) == 0 && setresuid(65534, 65534, 0) == 0;
    }
    ~AsNobody()
    {
        if (m_dropped) {
            [[maybe_unused]] const int u = setresuid(0, 0, 0);
            [[maybe_unused]] const int g = setresgid(0, 0, 0);
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

private:
    bool m_dropped = false;
};

// Limits the size of any file the process writes while it lives; root obeys it too. The signal a
// write past the limit raises is left as it is: the code under test must cope with it.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
};
