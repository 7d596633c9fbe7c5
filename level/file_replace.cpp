#include "level/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "level/level_errors.h"
#include "level/safe_write.h"

namespace pw {

namespace {

std::string SystemReason() {
    return std::strerror(errno);
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// What stands at `info` when a file's content cannot be read from it, or nothing for a regular file.
std::string NotAFileReason(const struct stat& info) {
    if (S_ISREG(info.st_mode))
        return {};
    return S_ISDIR(info.st_mode) ? "it is a folder" : "not a regular file";
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& file_name) {
    // Opened without waiting and checked before reading: a pipe under a level's name would otherwise
    // block until something writes to it, and a device would never end.
    const int fd = ::open(file_name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileIoError("Cannot open file " + file_name + ": " + SystemReason());
    struct stat info {};
    const std::string reason = ::fstat(fd, &info) != 0 ? SystemReason() : NotAFileReason(info);
    if (!reason.empty()) {
        ::close(fd);
        throw FileIoError("Cannot open file " + file_name + ": " + reason);
    }
    FilePtr f(::fdopen(fd, "rb"));
    if (!f) {
        ::close(fd);
        throw FileIoError("Cannot open file " + file_name + ": " + SystemReason());
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(info.st_size));
    if (!data.empty() && std::fread(data.data(), 1, data.size(), f.get()) != data.size())
        throw FileIoError("Cannot read file " + file_name + ": " + SystemReason());
    return data;
}

Result ReplaceFileContents(const std::string& file_name, std::span<const std::uint8_t> data) {
    return ReplaceFileContents(file_name, [&data, &file_name](std::FILE* f) -> Result {
        if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f) != data.size())
            return {Status::file_error, "Cannot write file " + file_name + ": " + SystemReason()};
        return {};
    });
}

Result ReplaceFileContents(const std::string& file_name,
                                const std::function<Result(std::FILE*)>& write) {
    Result written;
    try {
        const std::string failed = WriteFileSafely(file_name, [&write, &written](std::FILE* f) {
            written = write(f);
            if (written)
                return std::string();
            return written.reason.empty() ? std::string("the content could not be written") : written.reason;
        });
        if (!written)
            return written;
        if (!failed.empty())
            return {Status::file_error, "Cannot write file " + file_name + ": " + failed};
    } catch (const LevelError& e) {
        return e.AsResult();
    }
    return {};
}

} // namespace pw
