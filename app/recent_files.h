// The recent-files list of the File menu.
#pragma once

// How many recent level files the File menu lists (items None1 to None5).
inline constexpr int kMaxRecentFiles = 5;
