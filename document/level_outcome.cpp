#include "document/level_outcome.h"

#include <stdexcept>

pw::Result RaiseFailedWork(pw::Result result) {
    switch (result.status) {
    case pw::Status::done:
    case pw::Status::no_such_file:
    case pw::Status::not_a_level:
    case pw::Status::nothing_loaded:
        return result;
    default:
        throw std::runtime_error(result.reason);
    }
}

int ResultCode(const pw::Result& result) {
    switch (result.status) {
    case pw::Status::done:
        return 0;
    case pw::Status::not_a_level:
        return 2;
    default:
        return 1;
    }
}
