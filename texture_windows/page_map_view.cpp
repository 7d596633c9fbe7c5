#include "texture_windows/page_map_view.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "level/layout.h"
#include "level/object_textures.h"
#include "level/sprite_textures.h"
#include "level/texture_cover.h"

namespace {

using pw::layout::kPageSide;
constexpr int kCheckerSquare = 8;

QBrush CheckerBrush() {
    QPixmap tile(2 * kCheckerSquare, 2 * kCheckerSquare);
    tile.fill(QColor(204, 204, 204));
    QPainter p(&tile);
    p.fillRect(0, 0, kCheckerSquare, kCheckerSquare, QColor(153, 153, 153));
    p.fillRect(kCheckerSquare, kCheckerSquare, kCheckerSquare, kCheckerSquare, QColor(153, 153, 153));
    return QBrush(tile);
}

// Opaque, transparent, semi-transparent, anything else.
QColor AttributeColour(int attribute) {
    switch (attribute) {
    case 0:
        return QColor(40, 220, 40);
    case 1:
        return QColor(0, 170, 255);
    case 2:
        return QColor(255, 160, 0);
    default:
        return QColor(255, 40, 40);
    }
}

QPen Cosmetic(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, 1, style);
    pen.setCosmetic(true);
    return pen;
}

// A label on a dark box, so that it reads on any art.
void DrawLabel(QPainter& painter, const QPointF& at, const QString& text, const QColor& colour) {
    const QFontMetrics metrics(painter.font());
    const QRectF box(at, QSizeF(metrics.horizontalAdvance(text) + 4, metrics.height()));
    painter.fillRect(box, QColor(0, 0, 0, 170));
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

PageMapView::PageMapView(QWidget* parent) : QWidget(parent), checker_(CheckerBrush()) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kPageSide * zoom_, kPageSide * zoom_);
}

void PageMapView::SetSources(const pw::Ttrlevel* level, const pw::AnimatedSets* sets) {
    level_ = level;
    sets_ = sets;
}

void PageMapView::SetPage(int page, QImage picture, std::vector<std::uint8_t> cover) {
    page_ = page;
    picture_ = std::move(picture);
    cover_ = std::move(cover);
    TexturesChanged();
}

void PageMapView::SetPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void PageMapView::SetCover(std::vector<std::uint8_t> cover) {
    cover_ = std::move(cover);
    update();
}

void PageMapView::TexturesChanged() {
    textures_.clear();
    sprites_.clear();
    frame_labels_.clear();
    hovered_ = {-1, -1};
    if (level_ && page_ >= 0) {
        textures_ = pw::TexturesOnPage(*level_, page_);
        sprites_ = pw::SpritesOnPage(*level_, page_);
        const int count = static_cast<int>(level_->object_textures.size());
        for (std::size_t s = 0; sets_ && s < sets_->size(); ++s) {
            const pw::AnimatedSet& set = (*sets_)[s];
            for (std::size_t f = 0; f < set.size(); ++f) {
                const int texture = set[f];
                if (texture < count && texture < level_->num_object_textures &&
                    pw::TexturePage(level_->object_textures[static_cast<std::size_t>(texture)]) == page_)
                    frame_labels_.push_back({texture, QStringLiteral("A%1:%2").arg(s + 1).arg(f + 1)});
            }
        }
    }
    update();
}

pw::PixelCover PageMapView::CoverAt(int x, int y) const {
    return level_ ? pw::CoverAmong(*level_, textures_, sprites_, x, y) : pw::PixelCover{};
}

void PageMapView::SetSelectedTexture(int index) {
    if (selected_ == index)
        return;
    selected_ = index;
    update();
}

void PageMapView::SetUnused(std::vector<bool> unused) {
    unused_ = std::move(unused);
    update();
}

void PageMapView::SetOverlays(const PageMapOverlays& overlays) {
    overlays_ = overlays;
    update();
}

void PageMapView::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    setFixedSize(kPageSide * zoom_, kPageSide * zoom_);
    update();
}

QPoint PageMapView::PagePixelAt(const QPoint& point) const {
    if (point.x() < 0 || point.y() < 0 || point.x() >= kPageSide * zoom_ || point.y() >= kPageSide * zoom_)
        return {-1, -1};
    return {point.x() / zoom_, point.y() / zoom_};
}

QRect PageMapView::PixelRect(int x, int y) const {
    return {x * zoom_, y * zoom_, zoom_, zoom_};
}

QRect PageMapView::TextureRect(int index) const {
    if (!level_ || index < 0 || index >= static_cast<int>(level_->object_textures.size()))
        return {};
    const pw::TextureBox box = pw::TextureBounds(level_->object_textures[static_cast<std::size_t>(index)]);
    return QRect(PixelRect(box.min_x, box.min_y).topLeft(), PixelRect(box.max_x, box.max_y).bottomRight());
}

void PageMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    Paint(painter, event->rect());
}

void PageMapView::Paint(QPainter& painter, const QRect& exposed) const {
    const QRect area = exposed & QRect(0, 0, kPageSide * zoom_, kPageSide * zoom_);
    if (area.isEmpty())
        return;
    const QRect pixels(QPoint(area.left() / zoom_, area.top() / zoom_),
                       QPoint(area.right() / zoom_, area.bottom() / zoom_));
    const QRect target(pixels.left() * zoom_, pixels.top() * zoom_, pixels.width() * zoom_,
                       pixels.height() * zoom_);
    painter.fillRect(target, checker_);
    if (!picture_.isNull())
        painter.drawImage(target, picture_, pixels);
    if (!level_ || page_ < 0)
        return;
    if (overlays_.free_area)
        PaintFreeArea(painter, pixels);
    if (overlays_.outlines)
        PaintOutlines(painter, pixels);
    if (overlays_.sprites)
        PaintSprites(painter, pixels);
    if (overlays_.animated)
        PaintAnimatedLabels(painter, pixels);
    if (overlays_.selected)
        PaintSelected(painter);
}

// Runs of free pixels, row by row, tinted.
void PageMapView::PaintFreeArea(QPainter& painter, const QRect& pixels) const {
    if (cover_.size() != static_cast<std::size_t>(kPageSide * kPageSide))
        return;
    const QColor tint(255, 0, 255, 100);
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const std::uint8_t* row = cover_.data() + y * kPageSide;
        int x = pixels.left();
        while (x <= pixels.right()) {
            if (row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x <= pixels.right() && !row[x])
                ++x;
            painter.fillRect(start * zoom_, y * zoom_, (x - start) * zoom_, zoom_, tint);
        }
    }
}

// Each vertex is drawn at the corner of its pixel that faces away from the texture's middle, so that
// a rectangle's outline runs around its outermost pixels.
QPolygonF PageMapView::OutlinePolygon(int index) const {
    const pw::TextureOutline outline =
        pw::OutlineOf(level_->object_textures[static_cast<std::size_t>(index)]);
    double cx = 0;
    double cy = 0;
    for (int i = 0; i < outline.count; ++i) {
        cx += outline.points[static_cast<std::size_t>(i)].x;
        cy += outline.points[static_cast<std::size_t>(i)].y;
    }
    cx /= outline.count;
    cy /= outline.count;
    const auto side = [](int v, double middle) { return v > middle ? 1.0 : v < middle ? 0.0 : 0.5; };
    QPolygonF polygon;
    for (int i = 0; i < outline.count; ++i) {
        const pw::PagePoint p = outline.points[static_cast<std::size_t>(i)];
        polygon << QPointF((p.x + side(p.x, cx)) * zoom_, (p.y + side(p.y, cy)) * zoom_);
    }
    return polygon;
}

void PageMapView::PaintOutlines(QPainter& painter, const QRect& pixels) const {
    const QRect near = pixels.adjusted(-1, -1, 1, 1);
    painter.setBrush(Qt::NoBrush);
    for (const int index : textures_) {
        const pw::tobjtexture& t = level_->object_textures[static_cast<std::size_t>(index)];
        const pw::TextureBox box = pw::TextureBounds(t);
        if (!near.intersects(QRect(QPoint(box.min_x, box.min_y), QPoint(box.max_x, box.max_y))))
            continue;
        const bool unused =
            static_cast<std::size_t>(index) < unused_.size() && unused_[static_cast<std::size_t>(index)];
        painter.setPen(Cosmetic(AttributeColour(t.attribute), unused ? Qt::DashLine : Qt::SolidLine));
        painter.drawPolygon(OutlinePolygon(index));
    }
}

void PageMapView::PaintSelected(QPainter& painter) const {
    if (selected_ < 0 || selected_ >= static_cast<int>(level_->object_textures.size()) ||
        selected_ >= level_->num_object_textures ||
        pw::TexturePage(level_->object_textures[static_cast<std::size_t>(selected_)]) != page_)
        return;
    const QPolygonF polygon = OutlinePolygon(selected_);
    painter.setPen(Cosmetic(QColor(255, 255, 0)));
    painter.setBrush(QColor(255, 255, 0, 90));
    painter.drawPolygon(polygon);
    painter.setBrush(Qt::NoBrush);
    DrawLabel(painter, polygon.boundingRect().topLeft() + QPointF(2, 2), QStringLiteral("#%1").arg(selected_),
              QColor(255, 255, 0));
}

void PageMapView::PaintSprites(QPainter& painter, const QRect& pixels) const {
    painter.setBrush(Qt::NoBrush);
    for (const pw::PageSprite& sprite : sprites_) {
        const pw::PageRect& r = sprite.rect;
        const QRect rect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        if (!rect.intersects(pixels.adjusted(-1, -1, 1, 1)))
            continue;
        const QRectF drawn(rect.left() * zoom_, rect.top() * zoom_, rect.width() * zoom_ - 1,
                           rect.height() * zoom_ - 1);
        painter.setPen(Cosmetic(Qt::black));
        painter.drawRect(drawn);
        painter.setPen(Cosmetic(Qt::white, Qt::DashLine));
        painter.drawRect(drawn);
    }
}

void PageMapView::PaintAnimatedLabels(QPainter& painter, const QRect& pixels) const {
    for (const Label& label : frame_labels_) {
        const pw::TextureBox box =
            pw::TextureBounds(level_->object_textures[static_cast<std::size_t>(label.texture)]);
        if (!pixels.intersects(QRect(QPoint(box.min_x, box.min_y), QPoint(box.max_x, box.max_y))))
            continue;
        const QFontMetrics metrics(painter.font());
        DrawLabel(painter, QPointF(box.min_x * zoom_ + 2, (box.max_y + 1) * zoom_ - metrics.height() - 2),
                  label.text, QColor(120, 255, 255));
    }
}

void PageMapView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pixel = PagePixelAt(event->position().toPoint());
    if (pixel != hovered_) {
        hovered_ = pixel;
        emit PixelHovered(pixel.x(), pixel.y());
    }
    QWidget::mouseMoveEvent(event);
}

void PageMapView::mousePressEvent(QMouseEvent* event) {
    const QPoint pixel = PagePixelAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && pixel.x() >= 0)
        emit PixelClicked(pixel.x(), pixel.y());
    QWidget::mousePressEvent(event);
}

void PageMapView::leaveEvent(QEvent* event) {
    hovered_ = {-1, -1};
    emit PixelHovered(-1, -1);
    QWidget::leaveEvent(event);
}

void PageMapView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        emit ZoomWheel(steps, event->position().toPoint());
    event->accept();
}
