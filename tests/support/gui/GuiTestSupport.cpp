#include "tests/support/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QTest>
#include <memory>

#include "platform/gui/BackgroundWork.h"
#include "platform/gui/GuiRuntime.h"
#include "platform/text/CodePage.h"

namespace vd::test {

namespace {

std::unique_ptr<platform::GuiRuntime>& runtime() {
    static std::unique_ptr<platform::GuiRuntime> started;
    return started;
}

// The toolkit must end before the process's static objects do.
class GuiEnvironment : public ::testing::Environment {
public:
    void TearDown() override { runtime().reset(); }
};

[[maybe_unused]] const ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace

void ensureGui() {
    if (runtime()) return;
    runtime() = std::make_unique<platform::GuiRuntime>("gui-tests");
    if (!runtime()->initialise()) std::abort();
}

bool waitForBackgroundWork() {
    return QTest::qWaitFor([] { return !platform::backgroundWorkPending(); }, 60000);
}

void endGui() { runtime().reset(); }

QString qs(const char8_t* utf8) { return QString::fromUtf8(reinterpret_cast<const char*>(utf8)); }

Text gbk(const char8_t* utf8) { return platform::utf8ToGbkBytes(reinterpret_cast<const char*>(utf8)); }

ByteArray encodeImage(const QImage& image, const char* format, int quality) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return ByteArray(encoded.begin(), encoded.end());
}

QImage solidImage(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixelColor(0, 0, QColor(0, 0, 255));
    return image;
}

}  // namespace vd::test
