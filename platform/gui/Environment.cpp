#include "platform/gui/Environment.h"

#include <QFile>
#include <QStandardPaths>

namespace vd::platform {

std::filesystem::path desktopFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty()) return {};
    std::string native = QFile::encodeName(folder).toStdString();
    if (native.back() != '/') native.push_back('/');
    return std::filesystem::path(native);
}

}  // namespace vd::platform
