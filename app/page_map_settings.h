// The page map's placement, zoom, overlays and depth in the settings, read and written with the main
// window's own entries while its key is open.
#pragma once

class TPageMap;

// True when the settings placed the map.
bool ReadPageMapSettings(TPageMap& map);
void WritePageMapSettings(const TPageMap& map);
