#pragma once

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// The ways a data file goes wrong on a user's disk, made for real in a scratch folder.
namespace FileFaults
{

// Root reads and writes whatever the permission bits say, so while this lives a root process
// acts on files as "nobody" (and so do the programs it starts), to whom the scratch files are
// handed with handOver(). The saved user stays root to come back.
class AsUser
{
public:
    static constexpr uid_t Nobody = 65534;
    AsUser()
    {
        if (m_root)
            m_root = ::setresgid(Nobody, Nobody, 0) == 0 && ::setresuid(Nobody, Nobody, 0) == 0;
    }
    ~AsUser()
    {
        if (m_root && ::setresuid(0, 0, 0) == 0)
            ::setresgid(0, 0, 0);
    }
    static bool handOver(const QString &path)
    {
        return ::geteuid() != 0 ||
               ::lchown(QFile::encodeName(path).constData(), Nobody, Nobody) == 0;
    }

private:
    bool m_root = ::geteuid() == 0;
};

// The disk fills after `bytes`: RLIMIT_FSIZE stops root as well. Writes past it fail with
// EFBIG instead of killing the process with SIGXFSZ; programs started meanwhile inherit both.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    void (*m_handler)(int);
    rlimit m_saved{};
};

} // namespace FileFaults
