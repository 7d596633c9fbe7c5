#include "app/window_placement.h"

#include <algorithm>
#include <cstdint>

#include <QGuiApplication>
#include <QScreen>

namespace {

// Stored numbers beyond any desktop are cut down first, so that no sum below can overflow.
constexpr int kCoordinateLimit = 1 << 20;
// The part of the window that must lie on a screen for the user to grab and move it.
constexpr int kTitleStripHeight = 30;
constexpr int kMinimumVisibleTitle = 100;

std::int64_t Area(const QRect& r) {
    return r.isEmpty() ? 0 : std::int64_t{r.width()} * r.height();
}

bool TitleReachable(const QRect& window, const QList<QRect>& screens) {
    const QRect title(window.left(), window.top(), window.width(), kTitleStripHeight);
    const int needed = std::min(kMinimumVisibleTitle, window.width());
    return std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
        const QRect visible = screen.intersected(title);
        // The top edge itself must be on the screen, or the title bar hides above it.
        return visible.width() >= needed && screen.contains(screen.left(), title.top());
    });
}

QRect ScreenOverlappingMost(const QRect& window, const QList<QRect>& screens) {
    QRect best = screens.front();
    std::int64_t best_area = Area(best.intersected(window));
    for (const QRect& screen : screens) {
        const std::int64_t area = Area(screen.intersected(window));
        if (area > best_area) {
            best = screen;
            best_area = area;
        }
    }
    return best;
}

} // namespace

QRect VisibleWindowBounds(const WindowBounds& wanted, const QList<QRect>& screens, QSize minimum) {
    const int left = std::clamp(wanted.left, -kCoordinateLimit, kCoordinateLimit);
    const int top = std::clamp(wanted.top, -kCoordinateLimit, kCoordinateLimit);
    int width = std::clamp(wanted.width, minimum.width(), kCoordinateLimit);
    int height = std::clamp(wanted.height, minimum.height(), kCoordinateLimit);
    QRect window(left, top, width, height);
    if (screens.isEmpty())
        return window;

    const QRect screen = ScreenOverlappingMost(window, screens);
    width = std::max(minimum.width(), std::min(width, screen.width()));
    height = std::max(minimum.height(), std::min(height, screen.height()));
    window.setSize({width, height});
    if (TitleReachable(window, screens))
        return window;
    window.moveLeft(std::clamp(left, screen.left(), std::max(screen.left(), screen.right() + 1 - width)));
    window.moveTop(std::clamp(top, screen.top(), std::max(screen.top(), screen.bottom() + 1 - height)));
    return window;
}

QRect BesideWindow(const QRect& main, QSize size, const QList<QRect>& screens) {
    QRect window(main.topLeft(), size);
    if (screens.isEmpty())
        return window;
    const QRect screen = ScreenOverlappingMost(main, screens);
    window.moveTop(
        std::clamp(main.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
    if (main.right() + size.width() <= screen.right())
        window.moveLeft(main.right() + 1);
    else if (main.left() - size.width() >= screen.left())
        window.moveRight(main.left() - 1);
    else // cascaded over it, so that its title bar still shows
        window.moveTopLeft(main.topLeft() + QPoint(kTitleStripHeight, kTitleStripHeight));
    return window;
}

QList<QRect> AvailableScreenAreas() {
    QList<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
}
