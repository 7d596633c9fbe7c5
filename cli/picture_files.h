// Reading and writing the pictures of the command-line tool (.bmp and .png, through QImage).
#pragma once

#include <string>

#include <QImage>

namespace cli {

inline constexpr int kDone = 0;
inline constexpr int kNotFound = 1;
inline constexpr int kOtherError = 3;
inline constexpr int kUsage = 64;

bool EndsWith(const std::string& name, const std::string& suffix); // ignoring case
bool IsPictureName(const std::string& name);                       // .bmp or .png

// Writes `picture` to `path` (.png as PNG, anything else as BMP), replacing the file only once the whole
// picture is written. Returns an empty string, or what went wrong.
std::string WritePicture(const QImage& picture, const std::string& path);

} // namespace cli
