#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <optional>

#include "platform/gui/BackgroundWork.h"
#include "platform/gui/QtText.h"
#include "tests/support/gui/ProgramRun.h"

// The window while a request waits for a slow reply: serviced, refusing input, and afterwards
// showing what it shows for the same reply without the wait.
namespace vd {
namespace {

using test::VisionStandIn;
using test::RunningWindow;
using test::waitForBackgroundWork;
using Endpoint = VisionStandIn::Endpoint;
using namespace std::chrono_literals;

const Text kConnected = "人脸对比-百度API---与百度服务器连接成功";
const Text kLost = "人脸对比-百度API---与百度服务器失去连接";

// Counts the events of one type that reach an object.
class EventCounter : public QObject {
public:
    EventCounter(QObject* target, QEvent::Type type) : target_(target), type_(type) { target_->installEventFilter(this); }
    ~EventCounter() override { target_->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) ++count;
        return false;
    }

private:
    QObject* target_;
    QEvent::Type type_;
};

QWidget* controlWidget(const RunningWindow& window, const char* name) {
    return window.widget()->findChild<QWidget*>(platform::toQString(name));
}

// A file dragged onto the widget and dropped there; true when the widget took either event.
bool dropFile(QWidget* widget, const std::filesystem::path& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    const QPoint at(widget->width() / 2, widget->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    return enter.isAccepted() || drop.isAccepted();
}

class ResponsivenessTest : public test::ProgramRunTest {
protected:
    const ByteArray first = test::encodeImage(test::solidImage(64, 48, Qt::red), "PNG");
    const ByteArray second = test::encodeImage(test::solidImage(80, 60, Qt::yellow), "JPEG");
    const ByteArray picture = test::encodeImage(test::solidImage(120, 40, Qt::white), "JPEG");
    const ByteArray other = test::encodeImage(test::solidImage(30, 30, Qt::blue), "PNG");
};

TEST_F(ResponsivenessTest, WhileARequestWaitsTheWindowIsServicedAndRefusesInput) {
    struct Case {
        const char* name;
        int page;
        const char* button;
        Endpoint endpoint;
    } cases[] = {
        {"face comparison", 0, "对比人脸", Endpoint::faceMatch},
        {"text recognition", 1, "开始文字识别", Endpoint::generalText},
    };
    const char* workButtons[] = {"对比人脸", "开始文字识别", "打开对比图1", "打开对比图2", "按钮2"};
    runProgramWith([&](RunningWindow& window) {
        pick(window, 0, "打开对比图1", first);
        pick(window, 0, "打开对比图2", second);
        pick(window, 1, "按钮2", picture);
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            service.setReplyDelay(row.endpoint, 2500ms);
            const std::size_t before = service.requestCount();
            // Taken only if a picture button opened the file dialog during the wait.
            answers.push_back(folder.write(u8"not-taken", other));
            queueTicks({1000, 3500});
            window.clickWithoutWaiting(row.page, row.button);
            ASSERT_TRUE(platform::backgroundWorkPending()) << "the click returned while the request runs";
            ASSERT_TRUE(QTest::qWaitFor([&] { return service.requestCount() == before + 1; }, 10000));

            // The texts set before the request are shown while it runs.
            if (row.endpoint == Endpoint::faceMatch) {
                EXPECT_EQ(window.label("透明标签14").text(), "识别中,请稍等...");
                EXPECT_EQ(window.label("透明标签17").text(), "-");
            } else {
                EXPECT_EQ(window.label("透明标签67").text(), "-");
                EXPECT_EQ(window.editBox("编辑框1").text(), "");
            }

            // The GUI thread keeps servicing the window: a timer, a paint, an accessibility query.
            int timerShots = 0;
            QTimer ticker;
            ticker.setInterval(10);
            QObject::connect(&ticker, &QTimer::timeout, [&timerShots] { ++timerShots; });
            ticker.start();
            QWidget* status = controlWidget(window, row.endpoint == Endpoint::faceMatch ? "透明标签14" : "透明标签67");
            ASSERT_NE(status, nullptr);
            EventCounter paints(status, QEvent::Paint);
            QElapsedTimer clock;
            clock.start();
            status->update();
            EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }, 2000)) << "painted during the wait";
            const qint64 paintMs = clock.elapsed();
            std::optional<qint64> accessibleMs;
            int accessibleChildren = 0;
            clock.restart();
            QTimer::singleShot(0, [&] {
                if (QAccessibleInterface* top = QAccessible::queryAccessibleInterface(window.widget())) accessibleChildren = top->childCount();
                accessibleMs = clock.elapsed();
            });
            EXPECT_TRUE(QTest::qWaitFor([&] { return accessibleMs.has_value(); }, 2000)) << "answered during the wait";
            EXPECT_GT(accessibleChildren, 0);

            // What the window shows while busy.
            for (const char* name : workButtons) EXPECT_FALSE(controlWidget(window, name)->isEnabled()) << name;
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);

            // Input is refused: clicks, keys, a paste, a drop.
            for (const char* name : workButtons) window.clickWithoutWaiting(std::string_view(name) == "按钮2" || std::string_view(name) == "开始文字识别" ? 1 : 0, name);
            window.clickWithoutWaiting(1, "单选框2");
            QTest::keyClick(controlWidget(window, "对比人脸"), Qt::Key_Space);
            QTest::keyClick(controlWidget(window, "编辑框1"), Qt::Key_A);
            QTest::keyClick(controlWidget(window, "图片框1"), Qt::Key_V, Qt::ControlModifier);
            EXPECT_FALSE(dropFile(controlWidget(window, "图片框1"), answers.front().value()));
            EXPECT_FALSE(dropFile(controlWidget(window, "图片框5"), answers.front().value()));
            EXPECT_TRUE(QTest::qWaitFor([&] { return timerShots >= 3; }, 2000)) << "the timer fired during the wait";
            EXPECT_TRUE(platform::backgroundWorkPending()) << "the reply is still held back";
            ticker.stop();
            std::printf("[ %s ] during the wait: paint after %lld ms, accessibility query after %lld ms, %d timer shots\n", row.name,
                        static_cast<long long>(paintMs), static_cast<long long>(accessibleMs.value_or(-1)), timerShots);

            ASSERT_TRUE(waitForBackgroundWork());
            service.setReplyDelay(row.endpoint, 0ms);
            EXPECT_EQ(service.requestCount(), before + 1) << "exactly one request";
            EXPECT_EQ(answers.size(), 1U) << "no file dialog opened";
            answers.clear();
            EXPECT_TRUE(ticks.empty());
            for (const char* name : workButtons) EXPECT_TRUE(controlWidget(window, name)->isEnabled()) << name;
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            EXPECT_TRUE(window.radioButton("单选框1").checked());
            EXPECT_TRUE(window.pictureBox("图片框1").picture() == first);
            EXPECT_TRUE(window.pictureBox("图片框2").picture() == second);
            EXPECT_TRUE(window.pictureBox("图片框5").picture() == picture);
            if (row.endpoint == Endpoint::faceMatch) {
                EXPECT_EQ(window.label("透明标签14").text(), "两张图片一定是同一个人！");
                EXPECT_EQ(window.label("透明标签17").text(), "96.01836395 %");
                EXPECT_EQ(window.label("透明标签9").text(), "807547e2f5ba96826c08b74420a2dca6");
                EXPECT_EQ(window.label("透明标签12").text(), "e8eb101fd7a1a6d82282d3f6969f39ec");
                EXPECT_EQ(window.label("透明标签77").text(), "2.5秒");
                EXPECT_EQ(window.shapeBox("外形框2").fillColour(), 65280U);
                EXPECT_FALSE(window.groupBox("错误框2").visible());
            } else {
                EXPECT_TRUE(window.editBox("编辑框1").text() == " TSINGTAO\r\n青島睥酒\r\n");
                EXPECT_EQ(window.label("透明标签67").text(), "成功");
                EXPECT_EQ(window.tabControl("高级选择夹2").currentPage(), 0);
                EXPECT_EQ(window.label("透明标签81").text(), "2.5秒");
            }
            EXPECT_EQ(state.jsonDoc->toText(), "{}");
        }
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(ResponsivenessTest, TheWindowIsShownBeforeTheTokenReplyAndTakesInputOnlyAfterIt) {
    struct Case {
        const char* name;
        std::optional<VisionStandIn::Reply> tokenReply;
        Text caption;
    } cases[] = {
        {"token obtained", std::nullopt, kConnected},
        {"token refused", VisionStandIn::Reply{401, "{\"error_description\":\"unknown client id\",\"error\":\"invalid_client\"}\n"}, kLost},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        messages.clear();
        service.clearRequests();
        service.setReplyDelay(Endpoint::token, 2000ms);
        if (row.tokenReply) service.queueReply(Endpoint::token, *row.tokenReply);
        runProgramWith(
            [&](RunningWindow& window) {
                EXPECT_TRUE(platform::backgroundWorkPending()) << "shown before the token reply";
                EXPECT_EQ(window.caption(), "人脸对比-百度API");
                answers.push_back(folder.write(u8"early", first));
                window.clickWithoutWaiting(0, "打开对比图1");
                QTest::qWait(50);
                EXPECT_EQ(answers.size(), 1U) << "refused before the token reply";
                EXPECT_TRUE(messages.empty());

                ASSERT_TRUE(waitForBackgroundWork());
                EXPECT_EQ(window.caption(), row.caption);
                if (row.caption == kConnected) {
                    EXPECT_TRUE(messages.empty());
                } else {
                    ASSERT_EQ(messages.size(), 1U) << "shown once";
                    EXPECT_EQ(messages[0].text, "服务器授权失败！请检查API KEY");
                    EXPECT_FALSE(messages[0].windowShown) << "shown before the window can be used";
                }
                window.click(0, "打开对比图1");
                EXPECT_TRUE(answers.empty()) << "takes input after the token reply";
                EXPECT_TRUE(window.pictureBox("图片框1").picture() == first);
            },
            false);
        service.setReplyDelay(Endpoint::token, 0ms);
        EXPECT_EQ(service.requestCount(), 1U);
    }
}

TEST_F(ResponsivenessTest, ClosingTheWindowMidRequestEndsTheProgramAtOnce) {
    struct Case {
        const char* name;
        Endpoint endpoint;
    } cases[] = {
        {"during the token request", Endpoint::token},
        {"during a comparison", Endpoint::faceMatch},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        messages.clear();
        service.clearRequests();
        // Far longer than the program may take to end.
        service.setReplyDelay(row.endpoint, 20000ms);
        QElapsedTimer sinceClose;
        const bool afterToken = row.endpoint != Endpoint::token;
        runProgramWith(
            [&](RunningWindow& window) {
                state.lastErrorCode = "222202";  // released by exitCleanup
                if (afterToken) {
                    pick(window, 0, "打开对比图1", first);
                    pick(window, 0, "打开对比图2", second);
                    window.clickWithoutWaiting(0, "对比人脸");
                }
                ASSERT_TRUE(QTest::qWaitFor([&] { return service.requestCount() == (afterToken ? 2U : 1U); }, 10000));
                ASSERT_TRUE(platform::backgroundWorkPending());
                sinceClose.start();
                window.widget()->close();
            },
            afterToken);
        const qint64 endMs = sinceClose.elapsed();
        std::printf("[ %s ] from closing the window to the end of the program: %lld ms\n", row.name, static_cast<long long>(endMs));
        EXPECT_LT(endMs, 1000) << "the transfer was abandoned, not waited for";
        EXPECT_EQ(state.visionClient, nullptr) << "exitCleanup ran";
        EXPECT_EQ(state.jsonDoc, nullptr);
        EXPECT_EQ(state.lastErrorCode, "");
        EXPECT_FALSE(platform::backgroundWorkPending());
        EXPECT_TRUE(messages.empty()) << "no reply was shown";
        EXPECT_EQ(test::visibleMainWindow(), nullptr);
        service.setReplyDelay(row.endpoint, 0ms);
    }
}

}  // namespace
}  // namespace vd
