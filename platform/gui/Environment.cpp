#include "platform/gui/Environment.h"

#include <QFile>
#include <QStandardPaths>
#include <ctime>

#include "platform/gui/TestHooks.h"

namespace vd::platform {

std::uint32_t tickCount() {
    if (guiHooks().tickCount) return guiHooks().tickCount();
    timespec now{};
    // CLOCK_BOOTTIME keeps counting while the machine sleeps, as a tick counter since start does.
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000U + static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
    return static_cast<std::uint32_t>(ms);
}

std::filesystem::path desktopFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty()) return {};
    std::string native = QFile::encodeName(folder).toStdString();
    if (native.back() != '/') native.push_back('/');
    return std::filesystem::path(native);
}

}  // namespace vd::platform
