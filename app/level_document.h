// LevelDocument: what is open. It owns the level record, its file name, the texture source and the
// selections, and every edit is one call here. The windows never change the level themselves: they
// call an operation and refresh from the signal it emits.
#pragma once

#include <memory>

#include <QImage>
#include <QObject>
#include <QString>

#include "app/texture_source.h"
#include "level/animated_sets.h"
#include "level/palette_matcher.h"
#include "level/trlevel.h"
#include "widgets/t_rect.h"

class LevelDocument : public QObject {
    Q_OBJECT

public:
    LevelDocument();
    ~LevelDocument() override;

    pw::Ttrlevel Level;
    QString LevelFileName;
    TextureSource Source;
    // The 64 x 64 destination tile of copies, on the grid inside the page.
    TRect SelectedTile{0, 0, 64, 64};
    // The texture the table shows, -1 for none.
    int SelectedTexture = -1;
    // The working copy of the animated-texture sets: read from the level by Open, stored into its
    // anim_words by Save.
    pw::AnimatedSets AnimatedSets;

    bool HasLevel() const { return Level.IsLoaded(); }
    bool HasTexture(int index) const;

    // Reads `path` into the record (LoadLevel's result). On anything but 0 the record is cleared.
    // Reader exceptions pass through, the record cleared. Emits LevelReplaced either way.
    int Open(const QString& path, pw::Gauge* gauge);
    // Forgets the level (the source stays).
    void CloseLevel();

    // Replaces the texture source; emits SourceReplaced when the source changed.
    SourceOpenResult OpenSource(const QString& path, pw::Gauge* gauge);

    // Copies the 64 x 64 source tile at (x, y) of source page `source_page` onto SelectedTile of
    // `level_page`, in every depth the level carries. An empty source gives black.
    void CopyTile(int level_page, int source_page, int x, int y);
    // Copies source page `source_page` over level page `level_page`.
    void CopyPage(int level_page, int source_page);

    // Texture-table edits; each returns false (nothing changed) for an index outside the table.
    bool SetAttribute(int index, int attribute);
    bool MirrorTexture(int index, bool horizontal);
    bool PasteTexture(int from, int to);
    // Appends textures and selects the first new one; return its index (-1: nothing appended).
    int DefineGrid(int page, int height);
    int DefineRectangle(int page, const TRect& rect);
    int CloneTexture(int index);

    // Writes the level to `path` as edited: the opaque flags set again, the animated sets stored
    // (sets without frames left out, and dropped from the working copy once written). Returns
    // SaveLevel's result; the writer's exceptions pass through and the file at `path` stays as it was.
    int Save(const QString& path, pw::Gauge* gauge);
    // Appends an empty page in every depth; returns its index (-1: no level).
    int AddPage();
    // Writes all pages stacked, 24 bits per pixel, as a .bmp, or .png when the name ends so, a band of
    // rows at a time. Throws std::runtime_error naming the file and the reason when it cannot be
    // written; an existing file is then left as it was.
    void Export(const QString& path) const;

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
    // Entries were added to the table or changed; SelectedTexture is the one to show.
    void TexturesChanged();
    // A page was appended (its index).
    void PageAdded(int page);
    // The working copy of the animated sets changed.
    void AnimatedSetsChanged();

private:
    pw::PaletteMatcher* Matcher();
    void WriteFromSource(int level_page, int left, int top, int source_x, int source_y, int size);
    bool HasAnimatedSet(int set) const;
    // Word 0 of anim_words follows the number of sets while they are edited.
    void CountAnimatedSets();

    std::unique_ptr<pw::PaletteMatcher> matcher_;
};
