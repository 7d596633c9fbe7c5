// Keeps the standard error stream of the process quiet while it lives.
#pragma once

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

// libpng, inside Qt's decoder, prints its errors straight to stderr; the tool gives its own one line, so
// the decoder's stderr goes nowhere while it runs.
class QuietStderr {
public:
    QuietStderr() : saved_(::dup(STDERR_FILENO)) {
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietStderr() {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_;
};
