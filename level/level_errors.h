// The exceptions the level library unwinds with inside itself: a reader deep in a section or a
// compression step stops at once. Its public operations catch them and report a Result, so no
// layer above meets them.
#pragma once

#include <stdexcept>
#include <string>

#include "level/result.h"

namespace pw {

class LevelError : public std::runtime_error {
public:
    LevelError(Status status, const std::string& reason) : std::runtime_error(reason), status_(status) {}
    // The failure as the operation reports it.
    Result AsResult() const { return {status_, what()}; }

private:
    Status status_;
};

// The file could not be opened, read, written or replaced.
class FileIoError : public LevelError {
public:
    explicit FileIoError(const std::string& reason) : LevelError(Status::file_error, reason) {}
};

// A zlib stream could not be inflated or deflated.
class CompressionError : public LevelError {
public:
    explicit CompressionError(const std::string& reason) : LevelError(Status::damaged_stream, reason) {}
};

// The bytes are not a level that can be held (a count or size beyond the file, a broken room).
class InvalidLevelFile : public LevelError {
public:
    explicit InvalidLevelFile(const std::string& reason) : LevelError(Status::not_a_level, reason) {}
};

// The record cannot be written in the layout that the target name selects.
class UnsupportedSave : public LevelError {
public:
    explicit UnsupportedSave(const std::string& reason) : LevelError(Status::cannot_save_as, reason) {}
};

} // namespace pw
