// Writing a picture file whole through pw::WriteFileSafely, with the failure as the program's result
// and a reason naming the file.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "level/result.h"
#include "level/safe_write.h"

// "cannot write `shown`: `reason`" with `status`.
pw::Result CannotWrite(pw::Status status, const std::string& shown, const std::string& reason);

// Writes `target` with `write`, which says how its writing ended (a reason without the file's name).
// On failure the reason names the file as `shown`; the status is the writer's, or file_error when the
// system refuses the file itself.
pw::Result WritePictureFile(const std::string& target, const std::string& shown,
                            const std::function<pw::Result(std::FILE*)>& write,
                            const pw::SafeWriteOptions& options = {});
