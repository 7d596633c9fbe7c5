// Writing a file so that it appears under its name only complete: the content goes into an unnamed
// file in the target's folder where the file system makes them (a write killed half way then leaves
// nothing), otherwise into a hidden `.pwtmp-…` file beside the target that is removed on failure and on
// the signals RemoveTemporariesOnSignals catches. Only a finished file replaces the target, so a failed
// write leaves an existing file as it was. Plain C++; shared by level saves and picture files.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace pw {

struct SafeWriteOptions {
    // Flush the content and the new name to the disk before returning, so a power cut cannot leave an
    // empty file. Working copies such as page pictures skip it.
    bool sync = true;
    // Use an unnamed file where the file system has them; off only to try the named way.
    bool unnamed = true;
};

// Writes `target` (the file a chain of links ends at, keeping the links and an existing file's mode)
// through `write`, which returns an empty text when it wrote everything or why it could not. A folder,
// pipe, device or socket under the name is refused and left as it is. Returns an empty text when done,
// else the reason without the file's name: what `write` said, or the system's words. Anything `write`
// raises passes on, the temporary file removed.
std::string WriteFileSafely(const std::string& target, const std::function<std::string(std::FILE*)>& write,
                            const SafeWriteOptions& options = {});

// Makes SIGTERM, SIGHUP and SIGINT remove the named temporary files being written before the process
// ends by the signal. For programs that own their signals, such as the command-line tool.
void RemoveTemporariesOnSignals();

} // namespace pw
