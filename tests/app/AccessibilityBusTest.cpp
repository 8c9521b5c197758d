#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/gui/QtText.h"
#include "tests/support/gui/ProgramRun.h"

extern char** environ;

// The real program on an X server (Xvfb) with a session D-Bus and the accessibility bus, read
// from outside through AT-SPI (python3-pyatspi), as a screen reader reads it.
namespace vd {
namespace {

using test::RunningWindow;

// A started program in a process group of its own; stopping it ends the group by its id.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { stop(); }

    // quiet: its standard output goes to /dev/null.
    bool start(const std::vector<std::string>& args, bool quiet = false) {
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        if (quiet) posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        const int failed = posix_spawnp(&pid_, argv[0], &files, &attributes, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attributes);
        if (failed != 0) pid_ = -1;
        return pid_ > 0;
    }

    // Exit status once it has ended by itself within the time; -1 otherwise.
    int waitFor(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (pid_ > 0) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (std::chrono::steady_clock::now() > end) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }

    void stop() {
        if (pid_ <= 0) return;
        ::kill(-pid_, SIGTERM);
        if (waitFor(std::chrono::seconds(5)) == -1 && pid_ > 0) {
            ::kill(-pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

// A pipe whose write end a child inherits; the first line written to it, within the time.
class LinePipe {
public:
    LinePipe() {
        if (::pipe(fds_) != 0) fds_[0] = fds_[1] = -1;
    }
    ~LinePipe() {
        for (int fd : fds_)
            if (fd >= 0) ::close(fd);
    }
    std::string writeEnd() const { return std::to_string(fds_[1]); }
    std::string readLine(std::chrono::milliseconds limit) {
        ::close(fds_[1]);
        fds_[1] = -1;
        std::string line;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            pollfd ready{fds_[0], POLLIN, 0};
            if (::poll(&ready, 1, 100) <= 0) continue;
            char c = 0;
            if (::read(fds_[0], &c, 1) != 1 || c == '\n') break;
            line += c;
        }
        return line;
    }

private:
    int fds_[2];
};

struct Desktop {
    ChildProcess xServer;
    ChildProcess sessionBus;
    ChildProcess accessibilityBus;
};

Desktop* desktop = nullptr;

// True once the accessibility bus gives its address, within 20 seconds.
bool accessibilityBusAnswers() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end) {
        ChildProcess ask;
        if (!ask.start({"dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"}, true))
            return false;
        if (ask.waitFor(std::chrono::seconds(5)) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

class AccessibilityBusTest : public test::ProgramRunTest {
protected:
    static void SetUpTestSuite() {
        desktop = new Desktop;
        LinePipe display;
        ASSERT_TRUE(desktop->xServer.start({"Xvfb", "-displayfd", display.writeEnd(), "-nolisten", "tcp", "-screen", "0", "800x600x24"}))
            << "Xvfb (package xvfb)";
        const std::string number = display.readLine(std::chrono::seconds(20));
        ASSERT_FALSE(number.empty()) << "Xvfb reported no display";
        ::setenv("DISPLAY", (":" + number).c_str(), 1);

        LinePipe address;
        ASSERT_TRUE(desktop->sessionBus.start(
            {"dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=" + address.writeEnd()}))
            << "dbus-daemon (package dbus)";
        const std::string bus = address.readLine(std::chrono::seconds(20));
        ASSERT_FALSE(bus.empty()) << "the session bus reported no address";
        ::setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);

        ASSERT_TRUE(desktop->accessibilityBus.start({"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"}))
            << "at-spi-bus-launcher (package at-spi2-core)";
        ASSERT_TRUE(accessibilityBusAnswers()) << "the accessibility bus did not start";

        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ::setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
        test::ensureGui();
    }

    static void TearDownTestSuite() {
        test::endGui();
        delete desktop;  // stops the accessibility bus, the session bus and the X server
        desktop = nullptr;
    }

    // The running program's tree as AT-SPI shows it; the loop keeps running meanwhile, so that
    // the program answers the reader.
    std::vector<std::string> readTree() {
        QProcess reader;
        // Debian's own python3, which python3-pyatspi installs into.
        reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VD_ATSPI_TREE_SCRIPT), QCoreApplication::applicationName(), QStringLiteral("30")});
        const bool ended = QTest::qWaitFor([&] { return reader.state() == QProcess::NotRunning; }, 90000);
        if (!ended) {
            reader.kill();
            reader.waitForFinished(5000);
        }
        EXPECT_TRUE(ended && reader.exitCode() == 0) << reader.readAllStandardError().toStdString();
        std::vector<std::string> lines;
        for (const QByteArray& line : reader.readAllStandardOutput().split('\n'))
            if (!line.isEmpty()) lines.push_back(line.toStdString());
        return lines;
    }

    static bool holds(const std::vector<std::string>& tree, const std::string& role, const QString& name, const QString& description = {}) {
        const std::string line = role + "\t" + name.toStdString() + "\t" + description.toStdString();
        for (const std::string& node : tree)
            if (node == line) return true;
        return false;
    }

    // Every label is in the tree as a label named by the text the window shows.
    void expectLabels(const std::vector<std::string>& tree, RunningWindow& window, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const QString shown = platform::toQString(window.label(name).text());
            EXPECT_TRUE(holds(tree, "label", shown)) << name << " reads " << shown.toStdString();
        }
    }
};

TEST_F(AccessibilityBusTest, ResultsAreReadThroughTheAccessibilityTree) {
    const ByteArray first = test::encodeImage(test::solidImage(200, 150, Qt::red), "PNG");
    ByteArray second = test::encodeImage(test::solidImage(100, 80, Qt::blue), "JPEG");
    second.resize(second.size() + 3000, 0);  // another size in KB
    const int status = runProgramWith([&](RunningWindow& window) {
        pick(window, 0, "打开对比图1", first);
        pick(window, 0, "打开对比图2", second);
        queueTicks({1000, 2234});
        window.click(0, "对比人脸");
        ASSERT_EQ(window.label("透明标签77").text(), "1.234秒");
        const std::vector<std::string> compared = readTree();
        ASSERT_FALSE(compared.empty());
        expectLabels(compared, window, {"透明标签14", "透明标签17", "透明标签9", "透明标签12", "透明标签77", "透明标签7", "透明标签8",
                                        "透明标签10", "透明标签11"});
        EXPECT_TRUE(holds(compared, "label", QString::fromUtf16(u"两张图片一定是同一个人！")));
        EXPECT_TRUE(holds(compared, "label", QStringLiteral("807547e2f5ba96826c08b74420a2dca6")));
        EXPECT_TRUE(holds(compared, "image", QString::fromUtf16(u"图片框1"), QString::fromUtf16(u"图片 200×150 像素")));

        pick(window, 1, "按钮2", first);
        queueTicks({0, 700});
        window.click(1, "开始文字识别");
        const std::vector<std::string> text = readTree();
        expectLabels(text, window, {"透明标签67", "透明标签81", "透明标签65"});
        EXPECT_TRUE(holds(text, "label", QString::fromUtf16(u"成功")));

        window.click(1, "单选框2");
        queueTicks({0, 800});
        window.click(1, "开始文字识别");
        const std::vector<std::string> plate = readTree();
        expectLabels(plate, window, {"透明标签67", "透明标签71", "透明标签72", "透明标签73", "透明标签81"});
        EXPECT_TRUE(holds(plate, "label", QString::fromUtf16(u"苏HS7766")));
        EXPECT_TRUE(holds(plate, "label", QString::fromUtf16(u"蓝牌")));
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vd
