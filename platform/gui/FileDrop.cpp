#include "platform/gui/FileDrop.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <utility>

#include "platform/gui/NativePath.h"

namespace vd::platform {

std::optional<std::filesystem::path> firstLocalFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return std::nullopt;
    const QString file = urls.front().toLocalFile();
    if (file.isEmpty() || !QFileInfo(file).isFile()) return std::nullopt;
    return toNativePath(file);
}

ByteArray pictureDataAsPng(const QMimeData* data) {
    if (data == nullptr || !data->hasImage()) return {};
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull()) return {};
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
    return ByteArray(png.begin(), png.end());
}

FileDropFilter::FileDropFilter(std::function<void(const std::filesystem::path&)> handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QAbstractButton*>(watched);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            const bool takes = firstLocalFile(drag->mimeData()).has_value();
            if (takes) drag->acceptProposedAction(); else drag->ignore();
            if (button != nullptr) button->setDown(takes);
            return true;
        }
        case QEvent::DragLeave:
            if (button != nullptr) button->setDown(false);
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (button != nullptr) button->setDown(false);
            const std::optional<std::filesystem::path> file = firstLocalFile(drop->mimeData());
            if (!file) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            if (handler_) handler_(*file);
            return true;
        }
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vd::platform
