// Reading and writing the pictures of the command-line tool (.bmp and .png, through QImage).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QImage>

namespace cli {

inline constexpr int kDone = 0;
inline constexpr int kNotFound = 1;
inline constexpr int kOtherError = 3;
inline constexpr int kUsage = 64;

bool EndsWith(const std::string& name, const std::string& suffix); // ignoring case
bool IsPictureName(const std::string& name);                       // .bmp or .png

// Each returns an empty string, or what went wrong.
std::string EncodePng(const QImage& picture, std::vector<std::uint8_t>& bytes);
// Replaces the file only once all of `bytes` are written.
std::string WriteFileBytes(const std::vector<std::uint8_t>& bytes, const std::string& path);

} // namespace cli
