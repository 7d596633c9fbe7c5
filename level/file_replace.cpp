#include "level/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include <fcntl.h>
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

// Messages name the target (`shown`): the temporary file is no name the user knows.
void WriteAll(const fs::path& path, const std::string& shown, const std::function<void(std::FILE*)>& write) {
    FilePtr f(std::fopen(path.c_str(), "wb"));
    if (!f)
        throw FileIoError("Cannot create file " + shown + ": " + SystemReason());
    write(f.get());
    if (std::fflush(f.get()) != 0 || ::fsync(::fileno(f.get())) != 0)
        throw FileIoError("Cannot write file " + shown + ": " + SystemReason());
    std::FILE* raw = f.release();
    if (std::fclose(raw) != 0)
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
    FilePtr f(std::fopen(file_name.c_str(), "rb"));
    if (!f)
        throw FileIoError("Cannot open file " + file_name + ": " + SystemReason());
    std::error_code ec;
    const auto length = fs::file_size(file_name, ec);
    if (ec)
        throw FileIoError("Cannot read file " + file_name + ": " + ec.message());
    std::vector<std::uint8_t> data(static_cast<std::size_t>(length));
    if (length > 0 && std::fread(data.data(), 1, data.size(), f.get()) != data.size())
        throw FileIoError("Cannot read file " + file_name + ": " + SystemReason());
    return data;
}

void ReplaceFileContents(const std::string& file_name, std::span<const std::uint8_t> data) {
    ReplaceFileContents(file_name, [&data, &file_name](std::FILE* f) {
        if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f) != data.size())
            throw FileIoError("Cannot write file " + file_name + ": " + SystemReason());
    });
}

void ReplaceFileContents(const std::string& file_name, const std::function<void(std::FILE*)>& write) {
    const fs::path target = FinalTarget(file_name);
    const fs::path temporary = TemporaryNameBeside(target);
    try {
        WriteAll(temporary, file_name, write);
        std::error_code ec;
        const auto status = fs::status(target, ec);
        if (!ec && fs::exists(status))
            fs::permissions(temporary, status.permissions(), ec); // keep the target's mode
        fs::rename(temporary, target);
        SyncFolder(target.parent_path());
    } catch (const fs::filesystem_error& e) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw FileIoError("Cannot replace file " + file_name + ": " + e.code().message());
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

} // namespace pw
