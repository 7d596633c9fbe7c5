#include "pictures/picture_file_writing.h"

pw::Result CannotWrite(pw::Status status, const std::string& shown, const std::string& reason) {
    return {status, "cannot write " + shown + ": " + reason};
}

pw::Result WritePictureFile(const std::string& target, const std::string& shown,
                            const std::function<pw::Result(std::FILE*)>& write,
                            const pw::SafeWriteOptions& options) {
    pw::Status status = pw::Status::file_error;
    const std::string failed = pw::WriteFileSafely(
        target,
        [&](std::FILE* file) {
            pw::Result written = write(file);
            if (!written)
                status = written.status;
            return std::move(written.reason);
        },
        options);
    if (failed.empty())
        return {};
    return CannotWrite(status, shown, failed);
}
