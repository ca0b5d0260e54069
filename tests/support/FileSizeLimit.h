#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, no file can grow beyond `bytes`: writes past the limit come up short or fail as on a full disk,
// for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
        : OldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &Old);
        rlimit limited = Old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*OldHandler)(int);
    rlimit Old {};
};
