// How a level operation ended: done, or what stopped it, with a reason a user can read. Every
// operation the level library offers to the layers above reports this way; none of them raises,
// except std::bad_alloc when memory runs out.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

enum class LevelStatus : std::uint8_t {
    done,
    no_such_file,   // nothing exists under the name read
    not_a_level,    // the bytes are not a level that can be held (a count or size beyond the file...)
    nothing_loaded, // a save of a record that holds no level
    file_error,     // the file could not be opened, read, written or replaced
    damaged_stream, // a zlib stream could not be inflated or deflated
    cannot_save_as, // the target's layout cannot hold the record
};

struct [[nodiscard]] LevelResult {
    LevelStatus status = LevelStatus::done;
    // Empty when done; otherwise what went wrong, naming the file where one is involved (for
    // not_a_level: the section and offset where reading stopped, without the file's name).
    std::string reason;

    bool Done() const { return status == LevelStatus::done; }
    explicit operator bool() const { return Done(); }
    friend bool operator==(const LevelResult& result, LevelStatus status) { return result.status == status; }
};

} // namespace pw
