// A level's pages as a folder of picture files, one per page, named `<level name>_<N>.png` with N
// counted from 0 (the layout texture packs use): writing them all, finding them again, and taking them
// back into the level all or nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "level/gauge.h"
#include "level/page_picture.h"
#include "level/result.h"
#include "level/trlevel.h"

namespace pw {
class PaletteMatcher;
}

// `<level file name without extension>_<page>.png`.
QString PagePictureName(const QString& level_path, int page);

// Writes page `page` as an RGBA .png to `path`, replacing a file of that name only once the new one is
// complete. A failure names `path`: file_error, or bad_request for a page the level does not have.
[[nodiscard]] pw::Result WritePagePicture(const pw::Ttrlevel& level, int page, pw::PagePictureDepth depth,
                                          const QString& path);

// Writes every page into `folder` (made when missing), moving `gauge` up to 100. Other files in the
// folder are left alone. A failure (file_error) names the file or folder.
[[nodiscard]] pw::Result WritePageFolder(const pw::Ttrlevel& level, const QString& level_path,
                                         const QString& folder, pw::PagePictureDepth depth,
                                         pw::Gauge* gauge = nullptr);

// A page picture read whole: 256 x 256 colours 0xAARRGGBB, or why it cannot be used (as ReadPictureFile
// says, wrong_size for another size, not_a_picture for a .bmp), a sentence naming the file.
struct PagePictureFile {
    std::vector<std::uint32_t> argb;
    bool has_alpha = false;
    pw::Result result;
};
PagePictureFile ReadPagePicture(const QString& path);

// `<level file name without extension>_<N>.png`, the pattern every page picture's name follows.
QString PagePicturePattern(const QString& level_path);

struct PageFolderListing {
    std::vector<std::pair<int, QString>> files; // page and path, by page
    QStringList near_misses; // names that start like a page picture's but are not one (`x_01.png`, ...)
    // file_error for a folder that cannot be listed; not_a_page_folder for no picture at all, a gap or
    // two pictures of one page; too_many_pages for a page past the most a level holds.
    pw::Result result;
};
// The page pictures of the level in `folder`: any page it has, and pages from its page count on,
// which append, as long as no number is left out. The extension is taken in any case (`.PNG`).
PageFolderListing ListPageFolder(const QString& folder, const QString& level_path, int page_count);

// The page pictures in `folder` numbered from `page_count` on: left from a level that had more pages,
// they would be appended by the next import.
QStringList PicturesPastLastPage(const QString& folder, const QString& level_path, int page_count);

// How the level takes the pictures: `append` adds page `page` (the level's page count) and says whether
// it could; `before_change` is told of a page just before its pixels change.
struct PageFolderSteps {
    std::function<bool(int page)> append;
    std::function<void(int page)> before_change;
    std::function<pw::PaletteMatcher*()> matcher; // the level's palette matcher, for 8-bit pages
    bool dither = false;
};

// Steps that take the pictures straight into `level`, without a history: pages are appended with
// AddPage, and the palette matcher is made when an 8-bit page first needs it.
PageFolderSteps DirectSteps(pw::Ttrlevel& level, bool dither);

struct PageFolderImport {
    std::vector<int> changed;                   // pages whose pixels changed
    int appended = 0;                           // pages added at the end
    pw::Result result;                          // the listing's, or the file that could not be used and why
    std::vector<std::pair<int, QString>> files; // the listing's pictures: which page came from which file
    QStringList near_misses;                    // the listing's names that were not taken

    // An import of `listing` before any picture is taken: its files, names and result.
    static PageFolderImport Of(const PageFolderListing& listing) {
        return {{}, 0, listing.result, listing.files, listing.near_misses};
    }
};
// Reads the listed pictures in page order and takes each into the level. It stops at the first picture
// that cannot be used, with the level partly changed: the caller keeps or drops the result as a whole.
PageFolderImport ImportPageFolder(pw::Ttrlevel& level, const PageFolderListing& listing,
                                  const PageFolderSteps& steps, pw::Gauge* gauge = nullptr);
