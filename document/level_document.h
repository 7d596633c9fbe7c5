// LevelDocument: what is open. It owns the level record, its file name, the texture source, the
// selections and the edit history, and every edit is one call here. The windows never change the level
// themselves: they call an operation and refresh from the signal it emits. Every operation that changes
// the level is a command on History(), so it can be undone and redone exactly.
#pragma once

#include <memory>
#include <optional>

#include <QImage>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include "document/document_edit.h"
#include "document/history_step.h"
#include "document/t_rect.h"
#include "document/texture_source.h"
#include "level/animated_sets.h"
#include "level/page_compaction.h"
#include "level/palette_matcher.h"
#include "level/texture_cleanup.h"
#include "level/texture_usage.h"
#include "level/trlevel.h"
#include "pictures/page_folder.h"

class LevelDocument : public QObject {
    Q_OBJECT

public:
    // The history keeps at most this many bytes of undo data; the oldest steps go first.
    static constexpr std::size_t kDefaultHistoryLimit = std::size_t{256} << 20;

    LevelDocument();
    ~LevelDocument() override;

    const pw::Ttrlevel& Level() const { return level_; }
    const QString& LevelFileName() const { return file_name_; }
    const TextureSource& Source() const { return source_; }
    // The 64 x 64 destination tile of copies, on the grid inside the page.
    const TRect& SelectedTile() const { return selected_tile_; }
    // The texture the table shows, -1 for none.
    int SelectedTexture() const { return selected_texture_; }
    // The working copy of the animated-texture sets: read from the level by Open, stored into the
    // written file by Save.
    const pw::AnimatedSets& AnimatedSets() const { return sets_; }

    bool HasLevel() const { return level_.IsLoaded(); }
    bool HasTexture(int index) const;
    // A level page to copy into and a source page to copy from.
    bool CanCopy(int level_page, int source_page) const;

    void SetSelectedTile(const TRect& tile);
    void SetSelectedTexture(int index);

    // The edit history, to read; its clean state is "no unsaved changes". Undo and Redo move through
    // it, and the document announces what each step changed.
    const QUndoStack& History() const { return history_; }
    // The step Undo would take back and the one Redo would take again; only while History() can.
    HistoryStep UndoStep() const;
    HistoryStep RedoStep() const;
    void Undo();
    void Redo();
    // Forgets every step; the level stays as it is, modified or not as before.
    void ClearHistory();
    bool IsModified() const { return HasLevel() && !history_.isClean(); }
    // The bytes of undo data the history holds, and the most it may hold.
    std::size_t HistoryBytes() const;
    void SetHistoryLimit(std::size_t bytes) { history_limit_ = bytes; }
    std::size_t HistoryLimit() const { return history_limit_; }

    // Reads `path` into a new record. Only when the read succeeds does it replace the open level
    // (clearing the history, emitting LevelReplaced); otherwise the open level, its history and its
    // file name stay, and the result says why: no_such_file, not_a_level (the reason naming where
    // reading stopped, not the file), or a file that could not be read (the reason naming it).
    pw::Result Open(const QString& path, pw::Gauge* gauge);
    // Forgets the level and its history (the source stays).
    void CloseLevel();

    // Replaces the texture source (see OpenTextureSource); emits SourceReplaced when the source changed.
    pw::Result OpenSource(const QString& path, pw::Gauge* gauge);

    // Copies the 64 x 64 source tile at (x, y) of source page `source_page` onto SelectedTile of
    // `level_page`, in every depth the level carries. Without such a source page nothing is copied.
    void CopyTile(int level_page, int source_page, int x, int y);
    // Copies source page `source_page` over level page `level_page`.
    void CopyPage(int level_page, int source_page);
    // Whether copies from a picture diffuse the palette error in 8-bit pages (off at first).
    bool DitherPictures() const { return dither_pictures_; }
    void SetDitherPictures(bool dither) { dither_pictures_ = dither; }

    // Texture-table edits; each returns false (nothing changed) for an index outside the table.
    bool SetAttribute(int index, int attribute);
    bool MirrorTexture(int index, bool horizontal);
    bool PasteTexture(int from, int to);
    // Appends textures and selects the first new one; return its index (-1: nothing appended).
    int DefineGrid(int page, int height);
    int DefineRectangle(int page, const TRect& rect);
    int CloneTexture(int index);

    // Writes the level to `path` as edited: the opaque flags set and the animated sets stored (sets
    // without frames left out) on the bytes written, the record itself left as it is. On success the
    // document moves to `path` and the current step becomes the clean one. Without a level the result
    // is nothing_loaded; a failed write says why, naming the file, which stays as it was, and the
    // document stays as it was, modified or not.
    pw::Result Save(const QString& path, pw::Gauge* gauge);
    // Appends an empty page in every depth; returns its index (-1: no level, or the level already holds
    // the most pages a level may hold).
    int AddPage();
    // Writes all pages stacked, 24 bits per pixel, as a .bmp, or .png when the name ends so, a band of
    // rows at a time, moving `gauge` (when given) up to 100. A file that cannot be written is a
    // file_error naming it, the reason begun with a capital, and an existing file is left as it was;
    // without a level (nothing_loaded) or pages (bad_request) nothing is written.
    pw::Result Export(const QString& path, pw::Gauge* gauge = nullptr) const;

    // Writes every page as `<level name>_<N>.png` into `folder`, as the command line's export-pages
    // does. A failure is a file_error naming the file or folder.
    pw::Result ExportPages(const QString& folder, pw::Gauge* gauge = nullptr) const;
    // Takes the page pictures in `folder` into the level as one step, all or nothing: returns which page
    // came from which file, the names not taken, and in `result` the folder or file that could not be
    // used and why (nothing changed then). Pages whose picture is unedited make no step.
    // Without `keep_undo`, the pages are taken for good: every picture is read once before the level
    // changes (a picture that cannot be used changes nothing), no step is kept, and the history,
    // which cannot go back past the import, is cleared (the level stays modified).
    PageFolderImport ImportPages(const QString& folder, pw::Gauge* gauge = nullptr, bool keep_undo = true);
    // The pages the level would have after importing `folder` (its page count when nothing appends).
    int PagesAfterImport(const QString& folder) const;
    // The undo data importing `folder` would keep: the whole of every page a picture replaces.
    std::size_t ImportUndoBytes(const QString& folder) const;
    // Takes a 256 x 256 picture (0xAARRGGBB) into page `page` as the step "Edit page N outside" (N
    // counted from 1); false, with no step, when it shows what the page shows already.
    bool TakePagePicture(int page, const std::vector<std::uint32_t>& argb, bool has_alpha);

    // Which object and sprite textures the level uses, its animated sets being the working copy. Kept
    // until the level next changes.
    const pw::TextureUsage& TextureUsage() const;
    // What merging the duplicate textures (`merge`) and removing the unused ones (`remove`) would do
    // now; a plan that refuses says why (a damaged mesh).
    pw::TextureCleanupPlan PlanTextureCleanup(bool merge, bool remove) const;
    // Carries that out as one step: every face and animated frame keeps naming an equal record. False,
    // with no step, when nothing would change or the plan refuses.
    bool CleanTextures(bool merge, bool remove);
    // What compacting the pages would do now (nothing without a level).
    pw::CompactionPlan PlanCompaction() const;
    // Packs the used art into as few pages as it needs, as the step "Compact pages"; false (no step)
    // when nothing would change.
    bool CompactPages();
    // What compacting would do once the unused textures were removed; `unused` receives how many would
    // go (0: none would, and the plan is PlanCompaction's).
    pw::CompactionPlan PlanCompactionWithoutUnused(std::size_t& unused) const;

    // Animated-set edits. Each returns false (nothing changed) when the set or frame does not exist
    // or the format's limits would be passed, and emits AnimatedSetsChanged otherwise.
    bool AddAnimatedSet();
    bool DeleteLastAnimatedSet();
    bool AddAnimatedFrame(int set, int texture);
    bool DeleteAnimatedFrame(int set, int frame);
    bool ReplaceAnimatedFrame(int set, int frame, int texture);

signals:
    void LevelReplaced();
    void SourceReplaced();
    // The pixels of one page changed in every depth the level carries.
    void PageChanged(int page);
    // Entries of the table were added, removed or changed; SelectedTexture is the one to show.
    void TexturesChanged();
    // A page was appended (its index), or the last page was taken off again (the index it had).
    void PageAdded(int page);
    void PageRemoved(int page);
    // The working copy of the animated sets changed.
    void AnimatedSetsChanged();
    // SelectedTile or SelectedTexture changed.
    void SelectionChanged();
    // The level was saved to another file name.
    void FileNameChanged();
    // The level gained or lost unsaved changes.
    void ModifiedChanged(bool modified);
    // The history moved: what Undo and Redo would do changed.
    void HistoryChanged();

private:
    friend class EditCommand;

    pw::PaletteMatcher* Matcher();
    PageFolderImport ImportPagesForGood(const QString& folder, pw::Gauge* gauge);
    void WriteFromSource(HistoryStep step, int level_page, int left, int top, int source_x, int source_y,
                         int size);
    bool HasAnimatedSet(int set) const;
    // Records the sets as they are now, lets `change` edit them (false: nothing changed) and records
    // the step called `step`.
    template <typename Change> bool EditAnimatedSets(HistoryStep step, Change change);
    // Records records [first, first + count) as they are now, lets `change` edit the table and records
    // the step; the changed texture is selected.
    template <typename Change> int EditTextures(HistoryStep step, int first, int count, Change change);
    // Pushes a step whose edit holds the change, then keeps the history within its limit. The step's
    // redo, which the history runs on the push, applies the change and announces it.
    void Push(HistoryStep step, std::shared_ptr<DocumentEdit> edit);
    // For operations that change the level in place, where the level library's operations work: the
    // edit, made before the change, takes it aside, and Push applies it again.
    void Record(HistoryStep step, std::shared_ptr<DocumentEdit> edit);
    void TrimHistory();
    void ConnectHistory();
    // Swaps the edit into the document and announces what changed; nothing while the history is
    // rebuilt.
    void Apply(DocumentEdit& edit);
    void Announce(const EditChange& change);
    // A new level: no steps, the opened state the clean one.
    void ResetHistory();

    pw::Ttrlevel level_;
    QString file_name_;
    TextureSource source_;
    TRect selected_tile_{0, 0, 64, 64};
    int selected_texture_ = -1;
    pw::AnimatedSets sets_;
    bool dither_pictures_ = false;

    QUndoStack history_;
    std::size_t history_limit_ = kDefaultHistoryLimit;
    // The history index at which the level holds exactly the bytes it was opened with; -1 once that
    // step has been dropped from the history.
    int opened_index_ = 0;
    // Set while the history is rebuilt: the commands then move the index without touching the level.
    bool replaying_ = false;

    std::unique_ptr<pw::PaletteMatcher> matcher_;
    mutable std::optional<pw::TextureUsage> usage_;
};
