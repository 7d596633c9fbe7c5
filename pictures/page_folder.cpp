#include "pictures/page_folder.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "level/layout.h"
#include "level/page_access.h"
#include "level/page_export.h"
#include "level/palette_matcher.h"
#include "pictures/picture_bridge.h"
#include "pictures/picture_checks.h"
#include "pictures/plain_png.h"
#include "pictures/png_stream.h"

namespace {

constexpr int kSide = pw::kPagePictureSide;

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

[[noreturn]] void CannotWrite(const QString& path, const std::string& reason) {
    throw std::runtime_error("cannot write " + QDir::toNativeSeparators(path).toStdString() + ": " + reason);
}

void WritePng(const std::vector<std::uint32_t>& argb, std::FILE* file, const std::string& name) {
    PngStream png(file, name, kSide, kSide, PngStream::Colour::rgba, pw::kExportDotsPerMeter);
    std::vector<std::uint8_t> row(4 * kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const std::uint32_t c = argb[static_cast<std::size_t>(y * kSide + x)];
            std::uint8_t* p = row.data() + 4 * x;
            p[0] = static_cast<std::uint8_t>(c >> 16);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c);
            p[3] = static_cast<std::uint8_t>(c >> 24);
        }
        png.WriteRows(row.data(), 1);
    }
    png.Finish();
}

// Moves the finished `temporary` over `target`. An existing file is swapped with it and then removed:
// renamed over, ext4 writes the new file out to the disk at once, which costs about a millisecond a
// page, and the swap keeps the target whole at every moment all the same.
bool MoveOver(const std::string& temporary, const std::string& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
        std::remove(temporary.c_str()); // the old file now
        return true;
    }
    return std::rename(temporary.c_str(), target.c_str()) == 0;
}

bool IsPng(const QString& path) {
    QFile file(path);
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    return file.open(QIODevice::ReadOnly) && file.read(8) == QByteArray(kSignature, 8);
}

// Takes the picture of one listed page into the level, appending the page when it is new; false, with
// the reason in `result`, when the picture cannot be used.
bool TakePicture(pw::Ttrlevel& level, const std::pair<int, QString>& file, const PagePictureFile& picture,
                 const PageFolderSteps& steps, PageFolderImport& result) {
    const auto& [page, path] = file;
    if (!picture.error.isEmpty()) {
        result.error = picture.error;
        return false;
    }
    if (page >= level.num_pages) {
        if (!steps.append(page)) {
            result.error = QStringLiteral("%1: no page can be added to the level").arg(path);
            return false;
        }
        ++result.appended;
    }
    const pw::PagePictureInput input{picture.argb, picture.has_alpha, steps.dither};
    if (pw::PagePictureDiffers(level, page, input)) {
        if (steps.before_change)
            steps.before_change(page);
        pw::PaletteMatcher* matcher = steps.matcher ? steps.matcher() : nullptr;
        pw::TakePagePicture(level, page, input, matcher);
        result.changed.push_back(page);
    }
    return true;
}

// The process's file-creation mask, read once (reading it means setting it, so no thread may race).
mode_t CreationMask() {
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

} // namespace

PageFolderSteps DirectSteps(pw::Ttrlevel& level, bool dither) {
    auto matcher = std::make_shared<std::unique_ptr<pw::PaletteMatcher>>();
    PageFolderSteps steps;
    steps.append = [&level](int) { return level.AddPage(); };
    steps.matcher = [&level, matcher]() -> pw::PaletteMatcher* {
        if (!pw::CarriesDepth(level.kind, pw::PageDepth::bits8))
            return nullptr;
        if (!*matcher)
            *matcher = std::make_unique<pw::PaletteMatcher>(level.palette);
        return matcher->get();
    };
    steps.dither = dither;
    return steps;
}

QString PagePictureName(const QString& level_path, int page) {
    return QStringLiteral("%1_%2.png").arg(QFileInfo(level_path).completeBaseName()).arg(page);
}

// Written beside the target and renamed over it, so a failed write leaves an existing file as it was.
// Page files are working copies, so they are not flushed to the disk one by one.
void WritePagePicture(const pw::Ttrlevel& level, int page, pw::PagePictureDepth depth, const QString& path) {
    const std::vector<std::uint32_t> argb = pw::PagePictureArgb(level, page, depth);
    if (argb.empty())
        CannotWrite(path, "the level has no such page");
    const std::string target = Native(path);
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        CannotWrite(path, std::strerror(errno));
    // mkstemp makes the file for its owner only; a page picture is an ordinary file for other programs.
    static_cast<void>(::fchmod(fd, 0666 & ~CreationMask()));
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        ::close(fd);
        std::remove(temporary.c_str());
        CannotWrite(path, std::strerror(errno));
    }
    try {
        WritePng(argb, file, target);
    } catch (...) {
        std::fclose(file);
        std::remove(temporary.c_str());
        throw;
    }
    const bool closed = std::fclose(file) == 0;
    const int close_error = errno;
    if (!closed || !MoveOver(temporary, target)) {
        const int error = closed ? errno : close_error;
        std::remove(temporary.c_str());
        CannotWrite(path, std::strerror(error));
    }
}

// Two threads write the pages, each taking the next page not yet taken: the files do not depend on
// each other. After a failure no page is begun, and the failure of the lowest page is reported, as
// every page below it was taken before it. Only the calling thread moves the gauge.
void WritePageFolder(const pw::Ttrlevel& level, const QString& level_path, const QString& folder,
                     pw::PagePictureDepth depth, pw::Gauge* gauge) {
    if (!QDir().mkpath(folder))
        CannotWrite(folder, "the folder cannot be made");
    CreationMask(); // read before the threads start
    const int pages = level.num_pages;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::mutex failure_lock;
    int failed_page = pages;
    std::exception_ptr failure;
    pw::GaugeSteps steps(gauge);
    const auto work = [&](bool report) {
        for (int page = next++; page < pages; page = next++) {
            try {
                WritePagePicture(level, page, depth,
                                 QDir(folder).filePath(PagePictureName(level_path, page)));
            } catch (...) {
                const std::lock_guard lock(failure_lock);
                if (page < failed_page) {
                    failed_page = page;
                    failure = std::current_exception();
                }
                next = pages;
            }
            ++done;
            if (report)
                steps.Done(static_cast<unsigned long long>(done), static_cast<unsigned long long>(pages));
        }
    };
    std::future<void> helper = std::async(std::launch::async, work, false);
    work(true);
    helper.get();
    if (failure)
        std::rethrow_exception(failure);
    steps.Done(static_cast<unsigned long long>(pages), static_cast<unsigned long long>(pages));
}

PagePictureFile ReadPagePicture(const QString& path) {
    PagePictureFile picture;
    if (std::optional<PlainPng> plain = ReadPlainPng(path, kSide, kSide)) {
        picture.argb = std::move(plain->argb);
        picture.has_alpha = plain->has_alpha;
        return picture;
    }
    const auto whole_page = [](QSize size) { return size == QSize(kSide, kSide); };
    PictureReading reading = ReadPictureFile(path, whole_page);
    if (reading.fault == PictureReading::Fault::wrong_size) {
        picture.error = QStringLiteral("%1 is %2 x %3; a page picture is 256 x 256")
                            .arg(path)
                            .arg(reading.size.width())
                            .arg(reading.size.height());
        return picture;
    }
    if (reading.fault != PictureReading::Fault::none) {
        picture.error = reading.error;
        return picture;
    }
    if (!IsPng(path)) {
        picture.error = QStringLiteral("%1 is not a PNG picture").arg(path);
        return picture;
    }
    picture.has_alpha = reading.image.hasAlphaChannel();
    picture.argb = PictureColours(reading.image, 0, 0, kSide, picture.has_alpha);
    return picture;
}

PageFolderListing ListPageFolder(const QString& folder, const QString& level_path, int page_count) {
    PageFolderListing listing;
    const QString base = QFileInfo(level_path).completeBaseName();
    const QRegularExpression name(
        QStringLiteral("^%1_(0|[1-9][0-9]{0,8})\\.png$").arg(QRegularExpression::escape(base)));
    std::map<int, QString> found;
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (match.hasMatch())
            found.emplace(match.captured(1).toInt(), dir.filePath(entry));
    }
    int next_new = page_count;
    for (const auto& [page, path] : found) {
        if (page > next_new) {
            // Pages from 1, as every page list shows them; the file names count from 0.
            listing.error = QStringLiteral("%1 would leave page %2 out: there is no %3")
                                .arg(path)
                                .arg(next_new + 1)
                                .arg(dir.filePath(PagePictureName(level_path, next_new)));
            return listing;
        }
        if (page == next_new)
            ++next_new;
        if (static_cast<std::size_t>(page) >= pw::layout::kMaxPages) {
            listing.error = QStringLiteral("%1 would make page %2; a level holds at most %3 pages")
                                .arg(path)
                                .arg(page + 1)
                                .arg(pw::layout::kMaxPages);
            return listing;
        }
        listing.files.emplace_back(page, path);
    }
    return listing;
}

// The pictures are decoded two at a time, the second on a thread of its own, and taken into the level
// in page order on the calling thread.
PageFolderImport ImportPageFolder(pw::Ttrlevel& level, const PageFolderListing& listing,
                                  const PageFolderSteps& steps, pw::Gauge* gauge) {
    PageFolderImport result;
    result.error = listing.error;
    if (!result.error.isEmpty())
        return result;
    pw::GaugeSteps progress(gauge);
    const std::size_t count = listing.files.size();
    for (std::size_t at = 0; at < count; at += 2) {
        std::future<PagePictureFile> second;
        if (at + 1 < count)
            second = std::async(std::launch::async, ReadPagePicture, listing.files[at + 1].second);
        if (!TakePicture(level, listing.files[at], ReadPagePicture(listing.files[at].second), steps, result))
            return result;
        progress.Done(at + 1, count);
        if (second.valid() && !TakePicture(level, listing.files[at + 1], second.get(), steps, result))
            return result;
        progress.Done(std::min(at + 2, count), count);
    }
    return result;
}
