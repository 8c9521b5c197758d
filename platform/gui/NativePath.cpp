#include "platform/gui/NativePath.h"

#include <QFile>

namespace vd::platform {

QString fromNativePath(const std::filesystem::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.native())); }

std::filesystem::path toNativePath(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }

}  // namespace vd::platform
