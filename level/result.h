// How an operation ended: done, or what stopped it, with a reason a user can read. It is the one
// result of the whole program: the level library, the picture files, the document and the CLI all
// report this way, and none of their operations raises, except std::bad_alloc when memory runs out.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

enum class Status : std::uint8_t {
    done,
    no_such_file,      // nothing exists under the name read
    not_a_level,       // the bytes are not a level that can be held (a count or size beyond the file...)
    nothing_loaded,    // a save of a record that holds no level
    file_error,        // the file could not be opened, read, written or replaced
    damaged_stream,    // a zlib stream could not be inflated or deflated
    cannot_save_as,    // the target's layout cannot hold the record
    wrong_size,        // a picture whose width or height cannot be used where it was asked for
    not_a_picture,     // the bytes are not a picture that can be read (damaged, too large, not BMP/PNG)
    not_a_page_folder, // a folder without page pictures, with a gap in their numbers or two for a page
    too_many_pages,    // the work would make more pages than the level's kind holds
    bad_request,       // what was asked for does not exist (a page number past the level, a wrong option)
};

struct [[nodiscard]] Result {
    Status status = Status::done;
    // Empty when done; otherwise what went wrong, naming the file where one is involved (for
    // not_a_level: the section and offset where reading stopped, without the file's name).
    std::string reason;

    bool Done() const { return status == Status::done; }
    explicit operator bool() const { return Done(); }
    friend bool operator==(const Result& result, Status status) { return result.status == status; }
};

} // namespace pw
