#include "bench/peak_memory.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "level/trlevel.h"
#include "tools/sample_level.h"

namespace pw::bench {

std::size_t StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::strtoull(line.c_str() + field.size() + 1, nullptr, 10) * 1024;
    return 0;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

bool SaveInChild(const std::filesystem::path& file, std::uint32_t version, int pages) {
    const pid_t child = fork();
    if (child == 0) {
        pw::Ttrlevel level;
        pw::art::BuildSampleLevel({file.string(), version, pages, 2024}, level);
        std::_Exit(level.SaveLevel(file.string()) == pw::Status::done ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace pw::bench
