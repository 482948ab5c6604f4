#pragma once

// A full disk for tests: the tests run as root, whom permission bits do not stop, so a limit
// on the size of the files this process writes makes a write fail midway as a full disk would.

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace tamevo::test {

// While it lives, no file of this process may grow beyond `bytes`: a write past the limit
// fails (EFBIG), as on a full disk, for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

}  // namespace tamevo::test
