/** @file FileSizeLimit.h
 ** Makes every file write of the process fail past a few bytes, for root as for anybody. **/
#pragma once

#include <csignal>

#include <sys/resource.h>

namespace fakes {

/// While it lives, writing a file past `bytes` fails with "File too large" (the signal that would
/// end the process is ignored), so a test can watch a save fail on the very file it targets.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved {};
    void (*previousHandler)(int) = nullptr;
};

} // namespace fakes
