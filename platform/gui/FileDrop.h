#pragma once

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>

#include "common/Text.h"

class QMimeData;

// What a drop or the clipboard offers as a picture: the first local file of a URL list, or
// picture data.
namespace vd::platform {

// The first URL when it names a local file that is not a folder; nothing otherwise.
std::optional<std::filesystem::path> firstLocalFile(const QMimeData* data);

// Picture data as lossless PNG bytes; empty when there is none.
ByteArray pictureDataAsPng(const QMimeData* data);

// Makes a widget that accepts drops take a dropped file: looks pressed while a file hovers and
// hands the file's path to the handler on the drop. Owned by the widget.
class FileDropFilter : public QObject {
public:
    FileDropFilter(std::function<void(const std::filesystem::path&)> handler, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const std::filesystem::path&)> handler_;
};

}  // namespace vd::platform
