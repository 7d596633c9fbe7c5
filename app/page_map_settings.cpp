#include "app/page_map_settings.h"

#include <utility>

#include "app/settings_store.h"
#include "app/window_placement.h"
#include "texture_windows/page_map_window.h"

namespace {

const QString kSection = QStringLiteral("pagemap");

// Entries that are missing or not numbers leave the choice as it is.
void ReadFlag(const QString& entry, bool& flag) {
    int value = 0;
    if (TryReadIntSetting(kSection, entry, value))
        flag = value != 0;
}

} // namespace

bool ReadPageMapSettings(TPageMap& map) {
    WindowBounds stored{};
    const bool placed = TryReadIntSetting(kSection, QStringLiteral("left"), stored.left) &&
                        TryReadIntSetting(kSection, QStringLiteral("top"), stored.top) &&
                        TryReadIntSetting(kSection, QStringLiteral("width"), stored.width) &&
                        TryReadIntSetting(kSection, QStringLiteral("height"), stored.height);
    if (placed) {
        const QRect bounds = VisibleWindowBounds(stored, AvailableScreenAreas());
        map.SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
    }
    PageMapChoices choices = map.Choices();
    int zoom = 0;
    if (TryReadIntSetting(kSection, QStringLiteral("zoom"), zoom))
        choices.zoom = zoom;
    ReadFlag(QStringLiteral("outlines"), choices.overlays.outlines);
    ReadFlag(QStringLiteral("selected"), choices.overlays.selected);
    ReadFlag(QStringLiteral("sprites"), choices.overlays.sprites);
    ReadFlag(QStringLiteral("animated"), choices.overlays.animated);
    ReadFlag(QStringLiteral("free"), choices.overlays.free_area);
    ReadFlag(QStringLiteral("depth32"), choices.depth32);
    map.SetChoices(choices);
    return placed;
}

void WritePageMapSettings(const TPageMap& map) {
    WriteIntSetting(kSection, QStringLiteral("left"), map.Left());
    WriteIntSetting(kSection, QStringLiteral("top"), map.Top());
    WriteIntSetting(kSection, QStringLiteral("width"), map.Width());
    WriteIntSetting(kSection, QStringLiteral("height"), map.Height());
    const PageMapChoices choices = map.Choices();
    WriteIntSetting(kSection, QStringLiteral("zoom"), choices.zoom);
    WriteBoolSetting(kSection, QStringLiteral("outlines"), choices.overlays.outlines);
    WriteBoolSetting(kSection, QStringLiteral("selected"), choices.overlays.selected);
    WriteBoolSetting(kSection, QStringLiteral("sprites"), choices.overlays.sprites);
    WriteBoolSetting(kSection, QStringLiteral("animated"), choices.overlays.animated);
    WriteBoolSetting(kSection, QStringLiteral("free"), choices.overlays.free_area);
    WriteBoolSetting(kSection, QStringLiteral("depth32"), choices.depth32);
}
