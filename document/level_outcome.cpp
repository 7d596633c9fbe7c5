#include "document/level_outcome.h"

#include <stdexcept>

pw::LevelResult RaiseFailedWork(pw::LevelResult result) {
    switch (result.status) {
    case pw::LevelStatus::done:
    case pw::LevelStatus::no_such_file:
    case pw::LevelStatus::not_a_level:
    case pw::LevelStatus::nothing_loaded:
        return result;
    default:
        throw std::runtime_error(result.reason);
    }
}

int ResultCode(const pw::LevelResult& result) {
    switch (result.status) {
    case pw::LevelStatus::done:
        return 0;
    case pw::LevelStatus::not_a_level:
        return 2;
    default:
        return 1;
    }
}
