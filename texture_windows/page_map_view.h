// The drawing surface of the page map: one level page at a whole zoom factor, pixels nearest-neighbour
// over a checkerboard, with the overlays drawn on top. Only the part of the page that is exposed is
// drawn. It keeps the one page picture it shows and the page's cover mask; what it shows is set from
// outside, and it reports the page pixels the pointer moves over and clicks on.
#pragma once

#include <cstdint>
#include <vector>

#include <QBrush>
#include <QImage>
#include <QPolygonF>
#include <QWidget>

#include "level/animated_sets.h"
#include "level/texture_cover.h"
#include "level/trlevel.h"

struct PageMapOverlays {
    bool outlines = true;
    bool selected = true;
    bool sprites = true;
    bool animated = true;
    bool free_area = true;
};

class PageMapView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 8;

    explicit PageMapView(QWidget* parent);

    // What the overlays are drawn from; both must outlive the view (the document's own).
    void SetSources(const pw::Ttrlevel* level, const pw::AnimatedSets* sets);
    // The page shown, its picture (null: none) and its cover mask (256 x 256 flags, 1 where covered).
    void SetPage(int page, QImage picture, std::vector<std::uint8_t> cover);
    void SetPicture(QImage picture);
    void SetCover(std::vector<std::uint8_t> cover);
    // The object textures of the page changed: their outlines, labels and sprites are gathered again.
    void TexturesChanged();
    // What covers page pixel (x, y), from the page's own textures and sprites as last gathered.
    pw::PixelCover CoverAt(int x, int y) const;
    void SetSelectedTexture(int index);
    // Object textures i with unused[i] set are outlined dashed: nothing in the level uses them.
    void SetUnused(std::vector<bool> unused);
    void SetOverlays(const PageMapOverlays& overlays);
    const PageMapOverlays& Overlays() const { return overlays_; }
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }
    int Page() const { return page_; }
    const QImage& Picture() const { return picture_; }
    // The page pixel under a point of the view, or (-1, -1) outside the page.
    QPoint PagePixelAt(const QPoint& point) const;
    // The rectangle of the view that page pixel (x, y) takes.
    QRect PixelRect(int x, int y) const;
    // The view rectangle of object texture `index`'s box.
    QRect TextureRect(int index) const;

    // Draws the part `exposed` of the view (view coordinates).
    void Paint(QPainter& painter, const QRect& exposed) const;

signals:
    // The pointer moved onto another page pixel; (-1, -1): it left the page.
    void PixelHovered(int x, int y);
    void PixelClicked(int x, int y);
    // Ctrl+wheel: zoom by `steps` whole steps keeping the page point under `at` (view coordinates).
    void ZoomWheel(int steps, const QPoint& at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Label {
        int texture;
        QString text;
    };
    void PaintFreeArea(QPainter& painter, const QRect& pixels) const;
    void PaintOutlines(QPainter& painter, const QRect& pixels) const;
    void PaintSelected(QPainter& painter) const;
    void PaintSprites(QPainter& painter, const QRect& pixels) const;
    void PaintAnimatedLabels(QPainter& painter, const QRect& pixels) const;
    QPolygonF OutlinePolygon(int index) const;

    const pw::Ttrlevel* level_ = nullptr;
    const pw::AnimatedSets* sets_ = nullptr;
    int page_ = -1;
    QImage picture_;
    std::vector<std::uint8_t> cover_;
    std::vector<int> textures_;
    std::vector<pw::PageSprite> sprites_;
    // The page pixel last reported under the pointer.
    QPoint hovered_{-1, -1};
    std::vector<Label> frame_labels_;
    int selected_ = -1;
    std::vector<bool> unused_;
    PageMapOverlays overlays_;
    int zoom_ = 2;
    QBrush checker_;
};
