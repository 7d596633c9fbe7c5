#include "level/safe_write.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {
namespace fs = std::filesystem;

namespace {

std::string SystemReason() {
    return std::strerror(errno);
}

// The names of temporary files being written, where a signal handler can read them without locking.
class PendingNames {
public:
    static constexpr int kSlots = 16;

    // The slot holding `name`, or -1 when all are taken (the name is then only removed on failure).
    int Add(const std::string& name) {
        if (name.size() >= sizeof(Slot::name))
            return -1;
        for (int i = 0; i < kSlots; ++i) {
            int free = kFree;
            if (slots_[i].state.compare_exchange_strong(free, kFilling)) {
                std::memcpy(slots_[i].name, name.c_str(), name.size() + 1);
                slots_[i].state.store(kReady);
                return i;
            }
        }
        return -1;
    }

    void Drop(int slot) {
        if (slot >= 0)
            slots_[slot].state.store(kFree);
    }

    // Async-signal-safe.
    void RemoveAll() {
        for (Slot& slot : slots_)
            if (slot.state.load() == kReady)
                ::unlink(slot.name);
    }

private:
    static constexpr int kFree = 0, kFilling = 1, kReady = 2;
    struct Slot {
        std::atomic<int> state{kFree};
        char name[4096];
    };
    Slot slots_[kSlots];
};

PendingNames& Pending() {
    static PendingNames pending;
    return pending;
}

void RemoveAndEnd(int signal) {
    Pending().RemoveAll();
    std::signal(signal, SIG_DFL);
    std::raise(signal); // delivered once the handler returns: the process ends by the signal it got
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
    static thread_local std::mt19937 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".pwtmp-%08x", static_cast<unsigned>(random()));
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

// The file being written: unnamed, or named and listed for removal on a signal.
class Temporary {
public:
    ~Temporary() { Remove(); }

    bool OpenUnnamed(const fs::path& folder) {
#ifdef O_TMPFILE
        // Naming it later goes through /proc; without it the file could never be given its name.
        if (::access("/proc/self/fd", X_OK) != 0)
            return false;
        return Adopt(::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
#else
        static_cast<void>(folder);
        return false;
#endif
    }

    // Created exclusively, so another writer's temporary file is never taken over.
    bool OpenNamed(const fs::path& target) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path name = TemporaryNameBeside(target);
            const int fd = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd >= 0)
                Name(name);
            return Adopt(fd);
        }
        errno = EEXIST;
        return false;
    }

    // Gives the complete unnamed file a temporary name beside the target.
    bool NameUnnamed(const fs::path& target) {
        const fs::path name = TemporaryNameBeside(target);
        if (!LinkUnnamed(name))
            return false;
        Name(name);
        return true;
    }

    // Gives the complete unnamed file the target's own name, which must not exist yet: the file shows
    // whole or not at all, and no temporary name is ever left behind, whatever ends the process.
    bool LinkUnnamed(const fs::path& name) const {
        const std::string descriptor = "/proc/self/fd/" + std::to_string(::fileno(file_.get()));
        return ::linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }

    std::FILE* File() const {
        return file_.get();
    }
    const fs::path& Path() const {
        return name_;
    }
    bool Close() {
        return std::fclose(file_.release()) == 0;
    }

    // The name no longer belongs to this file (it was renamed over the target).
    void Forget() {
        Pending().Drop(slot_);
        slot_ = -1;
        name_.clear();
    }

    void Remove() {
        if (!name_.empty())
            ::unlink(name_.c_str());
        Forget();
    }

private:
    bool Adopt(int fd) {
        if (fd < 0)
            return false;
        file_.reset(::fdopen(fd, "wb"));
        if (!file_)
            ::close(fd);
        return file_ != nullptr;
    }

    void Name(const fs::path& name) {
        name_ = name;
        slot_ = Pending().Add(name.string());
    }

    FilePtr file_;
    fs::path name_;
    int slot_ = -1;
};

// Makes a rename in `folder` durable; a folder that cannot be opened or synced is no error, since the
// file content itself is on the disk already.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Moves the finished temporary file over `target`. Without a sync an existing file is swapped with it
// and then removed: renamed over, ext4 writes the new file out to the disk at once, which costs about a
// millisecond a file, and the swap keeps the target whole at every moment all the same.
bool MoveOver(Temporary& temporary, const fs::path& target, bool exchange) {
    if (exchange &&
        ::renameat2(AT_FDCWD, temporary.Path().c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        temporary.Remove(); // the old file now
        return true;
    }
    if (std::rename(temporary.Path().c_str(), target.c_str()) != 0)
        return false;
    temporary.Forget();
    return true;
}

std::string Finish(Temporary& temporary, const fs::path& target, const struct stat* existing,
                   const SafeWriteOptions& options) {
    if (std::fflush(temporary.File()) != 0 || (options.sync && ::fsync(::fileno(temporary.File())) != 0))
        return SystemReason();
    if (existing) // keep the target's mode; a file system without modes is no error
        static_cast<void>(::fchmod(::fileno(temporary.File()), existing->st_mode & 07777));
    if (temporary.Path().empty() && !existing && temporary.LinkUnnamed(target)) {
        if (!temporary.Close())
            return SystemReason();
        if (options.sync)
            SyncFolder(target.parent_path());
        return {};
    }
    if (temporary.Path().empty() && !temporary.NameUnnamed(target))
        return SystemReason();
    if (!temporary.Close())
        return SystemReason();
    if (!MoveOver(temporary, target, existing && !options.sync))
        return SystemReason();
    if (options.sync)
        SyncFolder(target.parent_path());
    return {};
}

} // namespace

std::string WriteFileSafely(const std::string& name, const std::function<std::string(std::FILE*)>& write,
                            const SafeWriteOptions& options) {
    const fs::path target = FinalTarget(name);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return "it is a folder";
    if (exists && !S_ISREG(existing.st_mode))
        return "not a regular file";
    Temporary temporary;
    if (!(options.unnamed && temporary.OpenUnnamed(target.parent_path())) && !temporary.OpenNamed(target))
        return SystemReason();
    if (std::string failed = write(temporary.File()); !failed.empty())
        return failed;
    return Finish(temporary, target, exists ? &existing : nullptr, options);
}

void RemoveTemporariesOnSignals() {
    Pending(); // made before any handler may need it
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction action {};
        action.sa_handler = RemoveAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace pw
