#include "level/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "level/level_errors.h"

namespace pw {
namespace fs = std::filesystem;

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

// A short name of its own in the target's folder, so that it fits wherever the target's name does.
fs::path TemporaryNameBeside(const fs::path& target) {
    std::random_device rd;
    char name[32];
    std::snprintf(name, sizeof name, ".pwtmp-%08x", static_cast<unsigned>(rd()));
    return target.parent_path() / name;
}

// The file a chain of symbolic links ends at (the name itself when it is no link), so that writing
// replaces that file and keeps the links. A loop stops after as many hops as the system allows.
fs::path FinalTarget(const fs::path& name) {
    constexpr int kMaxHops = 40;
    fs::path path = name;
    for (int hop = 0; hop < kMaxHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return path;
        const fs::path link = fs::read_symlink(path, ec);
        if (ec)
            return path;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

// What stands at `info` when a file's content cannot replace it, or nothing for a regular file.
std::string NotAFileReason(const struct stat& info) {
    if (S_ISREG(info.st_mode))
        return {};
    return S_ISDIR(info.st_mode) ? "it is a folder" : "not a regular file";
}

// The status of the file a save would replace, or nothing when there is none yet. A folder, a pipe, a
// device or a socket under that name is refused and left as it is.
std::optional<struct stat> ReplaceableTarget(const fs::path& target, const std::string& shown) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0)
        return std::nullopt;
    if (const std::string reason = NotAFileReason(info); !reason.empty())
        throw FileIoError("Cannot write file " + shown + ": " + reason);
    return info;
}

// The file a save writes into: unnamed while it is written where the file system allows it, so that a
// save killed half way leaves nothing behind; otherwise a named temporary file beside the target.
struct Temporary {
    FilePtr file;
    fs::path name; // empty while the file has no name
};

std::string DescriptorPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

FilePtr OpenUnnamed(const fs::path& folder) {
#ifdef O_TMPFILE
    // Naming it later goes through /proc; without it the file could never be given its name.
    if (::access("/proc/self/fd", X_OK) != 0)
        return nullptr;
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    FilePtr file(::fdopen(fd, "wb"));
    if (!file)
        ::close(fd);
    return file;
#else
    (void)folder;
    return nullptr;
#endif
}

// Messages name the target (`shown`): the temporary file is no name the user knows.
Temporary OpenTemporary(const fs::path& target, const std::string& shown) {
    Temporary temporary;
    temporary.file = OpenUnnamed(target.parent_path());
    if (temporary.file)
        return temporary;
    temporary.name = TemporaryNameBeside(target);
    temporary.file.reset(std::fopen(temporary.name.c_str(), "wb"));
    if (!temporary.file)
        throw FileIoError("Cannot create file " + shown + ": " + SystemReason());
    return temporary;
}

void Flush(std::FILE* f, const std::string& shown) {
    if (std::fflush(f) != 0 || ::fsync(::fileno(f)) != 0)
        throw FileIoError("Cannot write file " + shown + ": " + SystemReason());
}

// Gives the complete, flushed unnamed file its temporary name beside the target.
void NameUnnamed(Temporary& temporary, const fs::path& target, const std::string& shown) {
    const fs::path name = TemporaryNameBeside(target);
    if (::linkat(AT_FDCWD, DescriptorPath(::fileno(temporary.file.get())).c_str(), AT_FDCWD, name.c_str(),
                 AT_SYMLINK_FOLLOW) != 0)
        throw FileIoError("Cannot write file " + shown + ": " + SystemReason());
    temporary.name = name;
}

void RemoveNamed(const Temporary& temporary) {
    std::error_code ignored;
    if (!temporary.name.empty())
        fs::remove(temporary.name, ignored);
}

void Close(FilePtr& file, const std::string& shown) {
    if (std::fclose(file.release()) != 0)
        throw FileIoError("Cannot close file " + shown + ": " + SystemReason());
}

// Makes a rename in `folder` durable; a folder that cannot be opened or synced is no error, since the
// file content itself is on the disk already.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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

LevelResult ReplaceFileContents(const std::string& file_name, std::span<const std::uint8_t> data) {
    return ReplaceFileContents(file_name, [&data, &file_name](std::FILE* f) -> LevelResult {
        if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f) != data.size())
            return {LevelStatus::file_error, "Cannot write file " + file_name + ": " + SystemReason()};
        return {};
    });
}

LevelResult ReplaceFileContents(const std::string& file_name,
                                const std::function<LevelResult(std::FILE*)>& write) {
    try {
        const fs::path target = FinalTarget(file_name);
        const std::optional<struct stat> existing = ReplaceableTarget(target, file_name);
        Temporary temporary = OpenTemporary(target, file_name);
        try {
            if (LevelResult written = write(temporary.file.get()); !written) {
                RemoveNamed(temporary);
                return written;
            }
            Flush(temporary.file.get(), file_name);
            if (existing) // keep the target's mode; a file system without modes is no error
                static_cast<void>(::fchmod(::fileno(temporary.file.get()), existing->st_mode & 07777));
            if (temporary.name.empty())
                NameUnnamed(temporary, target, file_name);
            Close(temporary.file, file_name);
            fs::rename(temporary.name, target);
            SyncFolder(target.parent_path());
        } catch (const fs::filesystem_error& e) {
            RemoveNamed(temporary);
            throw FileIoError("Cannot replace file " + file_name + ": " + e.code().message());
        } catch (...) {
            RemoveNamed(temporary);
            throw;
        }
    } catch (const LevelError& e) {
        return e.Result();
    }
    return {};
}

} // namespace pw
