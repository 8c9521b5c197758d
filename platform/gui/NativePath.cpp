#include "platform/gui/NativePath.h"

#include <QFile>

#include "platform/gui/Files.h"
#include "platform/gui/QtText.h"

namespace vd::platform {

QString fromNativePath(const std::filesystem::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.native())); }

std::filesystem::path toNativePath(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }

Text pathText(const std::filesystem::path& path) { return fromQString(fromNativePath(path)); }

}  // namespace vd::platform
