#include "pictures/page_folder.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <future>
#include <map>
#include <memory>
#include <mutex>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "level/layout.h"
#include "level/page_access.h"
#include "level/page_export.h"
#include "level/palette_matcher.h"
#include "pictures/picture_bridge.h"
#include "pictures/picture_checks.h"
#include "pictures/picture_file_writing.h"
#include "pictures/plain_png.h"
#include "pictures/png_format.h"
#include "pictures/png_stream.h"

namespace {

using pw::layout::kPageSide;

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The name of `path` as a failure shows it.
std::string Shown(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

pw::Result WritePng(const std::vector<std::uint32_t>& argb, std::FILE* file) {
    PngStream png(file, kPageSide, kPageSide, PngStream::Colour::rgba, pw::kExportDotsPerMeter);
    std::vector<std::uint8_t> row(4 * kPageSide);
    for (int y = 0; y < kPageSide; ++y) {
        for (int x = 0; x < kPageSide; ++x) {
            const std::uint32_t c = argb[static_cast<std::size_t>(y * kPageSide + x)];
            std::uint8_t* p = row.data() + 4 * x;
            p[0] = static_cast<std::uint8_t>(c >> 16);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c);
            p[3] = static_cast<std::uint8_t>(c >> 24);
        }
        if (pw::Result written = png.WriteRows(row.data(), 1); !written)
            return written;
    }
    return png.Finish();
}

bool IsPng(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && HasPngSignature(file.read(8));
}

// Takes the picture of one listed page into the level, appending the page when it is new; false, with
// the reason in `result`, when the picture cannot be used.
bool TakePicture(pw::Ttrlevel& level, const std::pair<int, QString>& file, const PagePictureFile& picture,
                 const PageFolderSteps& steps, PageFolderImport& result) {
    const auto& [page, path] = file;
    if (!picture.result) {
        result.result = picture.result;
        return false;
    }
    if (page >= level.num_pages) {
        if (!steps.append(page)) {
            result.result = PictureFailure(pw::Status::too_many_pages,
                                           QStringLiteral("%1: no page can be added to the level").arg(path));
            return false;
        }
        ++result.appended;
    }
    const pw::PagePictureInput input{picture.argb, picture.has_alpha, steps.dither};
    const pw::PagePictureChange change = pw::PagePictureChangeOf(level, page, input);
    if (!change.Empty()) {
        if (steps.before_change)
            steps.before_change(page);
        pw::PaletteMatcher* matcher = steps.matcher ? steps.matcher() : nullptr;
        pw::ApplyPagePictureChange(level, page, input, change, matcher);
        result.changed.push_back(page);
    }
    return true;
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

// Page files are working copies, so they are not flushed to the disk one by one.
pw::Result WritePagePicture(const pw::Ttrlevel& level, int page, pw::PagePictureDepth depth,
                            const QString& path) {
    const std::vector<std::uint32_t> argb = pw::PagePictureArgb(level, page, depth);
    if (argb.empty())
        return CannotWrite(pw::Status::bad_request, Shown(path), "the level has no such page");
    return WritePictureFile(Native(path), Shown(path), [&](std::FILE* file) { return WritePng(argb, file); },
                            {.sync = false});
}

// Two threads write the pages, each taking the next page not yet taken: the files do not depend on
// each other. After a failure no page is begun, and the failure of the lowest page is reported, as
// every page below it was taken before it. Only the calling thread moves the gauge.
pw::Result WritePageFolder(const pw::Ttrlevel& level, const QString& level_path, const QString& folder,
                           pw::PagePictureDepth depth, pw::Gauge* gauge) {
    if (!QDir().mkpath(folder))
        return CannotWrite(pw::Status::file_error, Shown(folder), "the folder cannot be made");
    const int pages = level.num_pages;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::mutex failure_lock;
    int failed_page = pages;
    pw::Result failure;
    pw::GaugeSteps steps(gauge);
    const auto work = [&](bool report) {
        for (int page = next++; page < pages; page = next++) {
            if (pw::Result written = WritePagePicture(
                    level, page, depth, QDir(folder).filePath(PagePictureName(level_path, page)));
                !written) {
                const std::lock_guard lock(failure_lock);
                if (page < failed_page) {
                    failed_page = page;
                    failure = std::move(written);
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
    if (!failure)
        return failure;
    steps.Done(static_cast<unsigned long long>(pages), static_cast<unsigned long long>(pages));
    return {};
}

PagePictureFile ReadPagePicture(const QString& path) {
    PagePictureFile picture;
    if (std::optional<PlainPng> plain = ReadPlainPng(path, kPageSide, kPageSide)) {
        picture.argb = std::move(plain->argb);
        picture.has_alpha = plain->has_alpha;
        return picture;
    }
    const auto whole_page = [](QSize size) { return size == QSize(kPageSide, kPageSide); };
    PictureReading reading = ReadPictureFile(path, whole_page);
    if (reading.result == pw::Status::wrong_size)
        reading.result.reason += "; a page picture is 256 x 256";
    if (!reading.result) {
        picture.result = std::move(reading.result);
        return picture;
    }
    if (!IsPng(path)) {
        picture.result =
            PictureFailure(pw::Status::not_a_picture, QStringLiteral("%1 is not a PNG picture").arg(path));
        return picture;
    }
    picture.has_alpha = reading.image.hasAlphaChannel();
    picture.argb = PictureColours(reading.image, 0, 0, kPageSide, picture.has_alpha);
    return picture;
}

QString PagePicturePattern(const QString& level_path) {
    return QStringLiteral("%1_<N>.png").arg(QFileInfo(level_path).completeBaseName());
}

namespace {

// What a folder holds that is named after the level's pages.
struct PageFolderNames {
    std::map<int, QString> pictures; // page and path
    QStringList near_misses;
    pw::Result result;
};

PageFolderNames ScanPageFolder(const QString& folder, const QString& level_path) {
    PageFolderNames names;
    const QString stem = QFileInfo(level_path).completeBaseName() + QLatin1Char('_');
    const QRegularExpression page_name(
        QStringLiteral("^%1(0|[1-9][0-9]{0,8})\\.png$").arg(QRegularExpression::escape(stem)),
        QRegularExpression::CaseInsensitiveOption);
    std::error_code failed;
    std::filesystem::directory_iterator entries(Native(folder), failed);
    if (failed) {
        names.result = PictureFailure(
            pw::Status::file_error,
            QStringLiteral("the folder %1 cannot be read (%2), so no picture named %3 can be taken")
                .arg(QDir::toNativeSeparators(folder), QString::fromStdString(failed.message()),
                     PagePicturePattern(level_path)));
        return names;
    }
    const QDir dir(folder);
    for (const auto& entry : entries) {
        const QString name = QFile::decodeName(entry.path().filename().c_str());
        if (!name.startsWith(stem, Qt::CaseInsensitive))
            continue;
        const QRegularExpressionMatch match = page_name.match(name);
        std::error_code ignored;
        if (!match.hasMatch() || !name.startsWith(stem) || !entry.is_regular_file(ignored)) {
            names.near_misses.push_back(name);
            continue;
        }
        const int page = match.captured(1).toInt();
        if (const auto [at, added] = names.pictures.emplace(page, dir.filePath(name)); !added) {
            names.result = PictureFailure(pw::Status::not_a_page_folder,
                                          QStringLiteral("%1 and %2 are both the picture of page %3")
                                              .arg(at->second, dir.filePath(name))
                                              .arg(page + 1));
            return names;
        }
    }
    names.near_misses.sort();
    if (names.pictures.empty())
        names.result =
            PictureFailure(pw::Status::not_a_page_folder,
                           QStringLiteral("no picture in %1 is named %2 (N from 0)")
                               .arg(QDir::toNativeSeparators(folder), PagePicturePattern(level_path)));
    return names;
}

} // namespace

PageFolderListing ListPageFolder(const QString& folder, const QString& level_path, int page_count) {
    PageFolderListing listing;
    PageFolderNames found = ScanPageFolder(folder, level_path);
    listing.near_misses = std::move(found.near_misses);
    listing.result = std::move(found.result);
    if (!listing.result)
        return listing;
    const QDir dir(folder);
    int next_new = page_count;
    for (const auto& [page, path] : found.pictures) {
        if (page > next_new) {
            // Pages from 1, as every page list shows them; the file names count from 0.
            listing.result = PictureFailure(pw::Status::not_a_page_folder,
                                            QStringLiteral("%1 would leave page %2 out: there is no %3")
                                                .arg(path)
                                                .arg(next_new + 1)
                                                .arg(dir.filePath(PagePictureName(level_path, next_new))));
            return listing;
        }
        if (page == next_new)
            ++next_new;
        if (static_cast<std::size_t>(page) >= pw::layout::kMaxPages) {
            listing.result =
                PictureFailure(pw::Status::too_many_pages,
                               QStringLiteral("%1 would make page %2; a level holds at most %3 pages")
                                   .arg(path)
                                   .arg(page + 1)
                                   .arg(pw::layout::kMaxPages));
            return listing;
        }
        listing.files.emplace_back(page, path);
    }
    return listing;
}

QStringList PicturesPastLastPage(const QString& folder, const QString& level_path, int page_count) {
    QStringList past;
    for (const auto& [page, path] : ScanPageFolder(folder, level_path).pictures)
        if (page >= page_count)
            past.push_back(QFileInfo(path).fileName());
    return past;
}

// The pictures are decoded two at a time, the second on a thread of its own, and taken into the level
// in page order on the calling thread.
PageFolderImport ImportPageFolder(pw::Ttrlevel& level, const PageFolderListing& listing,
                                  const PageFolderSteps& steps, pw::Gauge* gauge) {
    PageFolderImport result = PageFolderImport::Of(listing);
    if (!result.result)
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
