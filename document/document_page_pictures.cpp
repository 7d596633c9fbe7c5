// The document operations on page pictures: the pages out to a folder and back in, and one page taken
// from a picture edited outside the program.
#include <algorithm>
#include <exception>

#include <QFile>

#include "document/level_document.h"
#include "level/layout.h"
#include "pictures/page_folder.h"

namespace {

constexpr int kSide = pw::kPagePictureSide;

} // namespace

void LevelDocument::ExportPages(const QString& folder, pw::Gauge* gauge) const {
    WritePageFolder(level_, file_name_, folder, pw::PagePictureDepth::shown, gauge);
}

PageFolderImport LevelDocument::ImportPages(const QString& folder, pw::Gauge* gauge) {
    if (!HasLevel())
        return {};
    // The changes are made in place and kept aside part by part, in the order they were made.
    std::vector<std::shared_ptr<DocumentEdit>> parts;
    PageFolderSteps steps;
    steps.append = [&](int page) {
        if (static_cast<std::size_t>(level_.num_pages) >= pw::layout::kMaxPages)
            return false;
        auto added = std::make_shared<AddPageEdit>(page);
        added->Swap(level_, sets_);
        parts.push_back(std::move(added));
        return true;
    };
    steps.before_change = [&](int page) {
        parts.push_back(std::make_shared<PixelsEdit>(level_, page, 0, 0, kSide, kSide));
    };
    steps.matcher = [this] { return Matcher(); };
    steps.dither = dither_pictures_;
    const auto take_back = [&] {
        for (auto part = parts.rbegin(); part != parts.rend(); ++part)
            (*part)->Swap(level_, sets_);
    };
    PageFolderImport imported;
    try {
        imported =
            ImportPageFolder(level_, ListPageFolder(folder, file_name_, level_.num_pages), steps, gauge);
    } catch (...) {
        take_back();
        throw;
    }
    if (!imported.error.isEmpty()) {
        take_back();
        return imported;
    }
    if (parts.empty())
        return imported;
    std::reverse(parts.begin(), parts.end());
    Record(tr("Import pages"), std::make_shared<EditGroup>(std::move(parts)));
    return imported;
}

int LevelDocument::PagesAfterImport(const QString& folder) const {
    if (!HasLevel())
        return 0;
    const PageFolderListing listing = ListPageFolder(folder, file_name_, level_.num_pages);
    const int last = listing.files.empty() ? -1 : listing.files.back().first;
    return std::max(level_.num_pages, last + 1);
}

bool LevelDocument::TakePagePicture(int page, const std::vector<std::uint32_t>& argb, bool has_alpha) {
    const pw::PagePictureInput input{argb, has_alpha, dither_pictures_};
    if (!HasLevel() || !pw::PagePictureDiffers(level_, page, input))
        return false;
    auto edit = std::make_shared<PixelsEdit>(level_, page, 0, 0, kSide, kSide);
    pw::TakePagePicture(level_, page, input, Matcher());
    Record(tr("Edit page %1 outside").arg(page + 1), std::move(edit));
    return true;
}
