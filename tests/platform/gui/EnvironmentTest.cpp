#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

#include "platform/gui/Environment.h"
#include "platform/gui/TestHooks.h"
#include "tests/platform/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

std::uint64_t bootMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000U + static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
}

TEST(Environment, TickCountIsMillisecondsSinceBootIn32Bits) {
    const std::uint64_t before = bootMilliseconds();
    const std::uint32_t tick = tickCount();
    const std::uint64_t after = bootMilliseconds();
    // Compared in wrap-around arithmetic: the counter's low 32 bits lie between the two readings.
    EXPECT_LE(static_cast<std::uint32_t>(tick - static_cast<std::uint32_t>(before)),
              static_cast<std::uint32_t>(after - before));
}

TEST(Environment, TestsCanSetTheTickCounter) {
    installGuiHooks(GuiHooks{.openFile = {}, .messageBox = {}, .tickCount = [] { return 0xFFFFFFF0U; }});
    EXPECT_EQ(tickCount(), 0xFFFFFFF0U);
    removeGuiHooks();
    EXPECT_NE(tickCount(), 0xFFFFFFF0U);
}

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Environment, DesktopFolderIsTheXdgDesktopDirWithSeparator) {
    vd::testing::ensureGui();
    vd::testing::ScratchFolder home;
    std::filesystem::create_directories(home.path() / ".config");
    std::ofstream(home.path() / ".config" / "user-dirs.dirs") << reinterpret_cast<const char*>(u8"XDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
    const ScopedEnvironment homeVariable("HOME", home.path().string());
    const ScopedEnvironment configVariable("XDG_CONFIG_HOME", (home.path() / ".config").string());
    EXPECT_EQ(desktopFolder().string(), home.path().string() + "/" + reinterpret_cast<const char*>(u8"桌面") + "/");
}

}  // namespace
}  // namespace vd::platform
