#include "cli/picture_files.h"

#include <algorithm>
#include <cctype>

namespace cli {

bool EndsWith(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

bool IsPictureName(const std::string& name) {
    return EndsWith(name, ".bmp") || EndsWith(name, ".png");
}

} // namespace cli
