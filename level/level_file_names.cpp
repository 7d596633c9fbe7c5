#include "level/level_file_names.h"

#include <algorithm>
#include <cctype>

#include "level/layout.h"
#include "level/trlevel.h"

namespace pw {
namespace {

std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

std::vector<std::string> UsualExtensions(std::int32_t kind) {
    switch (kind) {
    case kind_tr1:
        return {".phd"};
    case kind_tub:
        return {".tub", ".phd"};
    case kind_tr2:
    case kind_tr3:
        return {".tr2"};
    case kind_trg:
        return {".trg", ".tr2"};
    case kind_tr4:
        return {".tr4"};
    case kind_trc:
        return {".trc"};
    default:
        return {};
    }
}

std::string LowerExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? std::string() : Lower(name.substr(dot));
}

bool HasUsualExtension(const std::string& path, std::int32_t kind) {
    const auto usual = UsualExtensions(kind);
    return usual.empty() || std::find(usual.begin(), usual.end(), LowerExtension(path)) != usual.end();
}

std::string OtherLayoutName(const std::string& path) {
    using namespace layout;
    const bool marked = KindForVersion(kVersionTr1, path) == kind_tub ||
                        KindForVersion(kVersionTr2, path) == kind_trg ||
                        KindForVersion(kVersionTr4, path) == kind_trc;
    return marked ? "level" : "level.tub.trg.trc";
}

} // namespace pw
