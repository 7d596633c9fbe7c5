// Exceptions raised by the level library. All carry a message a user can read.
#pragma once

#include <stdexcept>
#include <string>

namespace pw {

// Base of every failure of a level operation that is not one of the small result codes.
class LevelError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file could not be opened, read, written or replaced.
class FileIoError : public LevelError {
public:
    using LevelError::LevelError;
};

// A zlib stream could not be inflated or deflated.
class CompressionError : public LevelError {
public:
    using LevelError::LevelError;
};

// The bytes are not a level that can be held (a count or size beyond the file, a broken room).
// LoadLevel turns it into result 2; it never reaches the caller of LoadLevel.
class InvalidLevelFile : public LevelError {
public:
    using LevelError::LevelError;
};

// SaveLevel cannot write the record in the layout that the target name selects.
class UnsupportedSave : public LevelError {
public:
    using LevelError::LevelError;
};

} // namespace pw
