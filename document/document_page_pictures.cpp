// The document operations on page pictures: the pages out to a folder and back in, and one page taken
// from a picture edited outside the program.
#include <algorithm>
#include <exception>

#include <QFile>

#include "document/level_document.h"
#include "level/gauge.h"
#include "level/layout.h"
#include "level/page_access.h"
#include "pictures/page_folder.h"

namespace {

using pw::layout::kPageSide;

} // namespace

pw::Result LevelDocument::ExportPages(const QString& folder, pw::Gauge* gauge) const {
    return WritePageFolder(level_, file_name_, folder, pw::PagePictureDepth::shown, gauge);
}

std::size_t LevelDocument::ImportUndoBytes(const QString& folder) const {
    if (!HasLevel())
        return 0;
    std::size_t page_bytes = 0;
    for (const pw::PageDepth depth : {pw::PageDepth::bits8, pw::PageDepth::bits16, pw::PageDepth::bits32})
        if (pw::CarriesDepth(level_.kind, depth))
            page_bytes += pw::PageBytes(depth);
    const PageFolderListing listing = ListPageFolder(folder, file_name_, level_.num_pages);
    const auto replaced = std::count_if(listing.files.begin(), listing.files.end(),
                                        [&](const auto& file) { return file.first < level_.num_pages; });
    return static_cast<std::size_t>(replaced) * page_bytes;
}

PageFolderImport LevelDocument::ImportPagesForGood(const QString& folder, pw::Gauge* gauge) {
    const PageFolderListing listing = ListPageFolder(folder, file_name_, level_.num_pages);
    PageFolderImport imported = PageFolderImport::Of(listing);
    if (!imported.result)
        return imported;
    pw::GaugeSteps progress(gauge);
    for (std::size_t at = 0; at < listing.files.size(); ++at) {
        if (pw::Result read = ReadPagePicture(listing.files[at].second).result; !read) {
            imported.result = std::move(read);
            return imported;
        }
        progress.Done(at + 1, listing.files.size());
    }
    PageFolderSteps steps;
    steps.append = [this](int) { return level_.AddPage(); };
    steps.matcher = [this] { return Matcher(); };
    steps.dither = dither_pictures_;
    imported = ImportPageFolder(level_, listing, steps, gauge);
    if (imported.appended > 0 || !imported.changed.empty()) {
        // The history cannot go back past a change it does not hold.
        history_.clear();
        history_.resetClean();
        opened_index_ = -1;
        for (int page = level_.num_pages - imported.appended; page < level_.num_pages; ++page)
            emit PageAdded(page);
        for (const int page : imported.changed)
            emit PageChanged(page);
    }
    return imported;
}

PageFolderImport LevelDocument::ImportPages(const QString& folder, pw::Gauge* gauge, bool keep_undo) {
    if (!HasLevel()) {
        PageFolderImport none;
        none.result = {pw::Status::nothing_loaded, "No level is open to import pages into"};
        return none;
    }
    if (!keep_undo)
        return ImportPagesForGood(folder, gauge);
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
        parts.push_back(std::make_shared<PixelsEdit>(level_, page, 0, 0, kPageSide, kPageSide));
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
    if (!imported.result) {
        take_back();
        return imported;
    }
    if (parts.empty())
        return imported;
    std::reverse(parts.begin(), parts.end());
    Record(HistoryStep{StepKind::import_pages}, std::make_shared<EditGroup>(std::move(parts)));
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
    if (!HasLevel())
        return false;
    const pw::PagePictureChange change = pw::PagePictureChangeOf(level_, page, input);
    if (change.Empty())
        return false;
    auto edit = std::make_shared<PixelsEdit>(level_, page, 0, 0, kPageSide, kPageSide);
    pw::ApplyPagePictureChange(level_, page, input, change, Matcher());
    Record(HistoryStep{StepKind::edit_page_outside, page + 1}, std::move(edit));
    return true;
}
