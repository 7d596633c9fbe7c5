#include "widgets/platform.h"

#include "widgets/qt_platform.h"

namespace {

Platform* installed = nullptr;

} // namespace

Platform& CurrentPlatform() {
    static QtPlatform qt_platform;
    return installed ? *installed : qt_platform;
}

Platform* InstallPlatform(Platform* platform) {
    Platform* previous = installed;
    installed = platform;
    return previous;
}
