#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <string>

#include "common/Text.h"
#include "tests/support/ScratchFolder.h"

// Helpers of the GUI tests: the toolkit started once per test process (offscreen), UTF-8 names,
// scratch folders and pictures made with Qt.
namespace vd::test {

// Starts the GUI run time on first use; later calls return at once.
void ensureGui();
// Ends the GUI run time before its display goes away; ensureGui starts a new one.
void endGui();

// Processes events until no background work of a window is pending (its done step has run);
// false when that takes more than a minute.
bool waitForBackgroundWork();

QString qs(const char8_t* utf8);
Text gbk(const char8_t* utf8);


// Encoded picture bytes ("PNG" or "JPEG") of an image.
ByteArray encodeImage(const QImage& image, const char* format, int quality = 90);
// A width x height picture filled with colour, with a differently coloured top-left pixel.
QImage solidImage(int width, int height, QColor colour);

}  // namespace vd::test
