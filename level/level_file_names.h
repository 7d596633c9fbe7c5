// What a level's file name says about it: the extensions each kind is usually saved under, and the
// name that selects the other layout of a version word (.phd and .tub, .tr2 and .trg, .tr4 and .trc).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pw {

// The extensions (".phd") a level of `kind` usually has, the first being the one to suggest. Kinds 2
// and 4 carry their mark (".tub", ".trg") in the name, so the extension of their family fits too.
// Empty for kind_none.
std::vector<std::string> UsualExtensions(std::int32_t kind);

// The extension of the file-name part of `path`, lower case, with its dot; empty when it has none.
std::string LowerExtension(const std::string& path);

// Whether `path`'s extension is one of UsualExtensions(kind) (true for kind_none).
bool HasUsualExtension(const std::string& path, std::int32_t kind);

// A name that selects, for any version word, the layout `path` does not select: a name without the
// marks of the second layouts when `path` has one of them, else a name with all of them.
std::string OtherLayoutName(const std::string& path);

} // namespace pw
