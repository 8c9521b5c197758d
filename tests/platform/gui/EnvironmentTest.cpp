#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/gui/Environment.h"
#include "platform/gui/TestHooks.h"
#include "platform/system/TickCount.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

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
    vd::test::ensureGui();
    vd::test::ScratchFolder home;
    std::filesystem::create_directories(home.path() / ".config");
    std::ofstream(home.path() / ".config" / "user-dirs.dirs") << reinterpret_cast<const char*>(u8"XDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
    const ScopedEnvironment homeVariable("HOME", home.path().string());
    const ScopedEnvironment configVariable("XDG_CONFIG_HOME", (home.path() / ".config").string());
    EXPECT_EQ(desktopFolder().string(), home.path().string() + "/" + reinterpret_cast<const char*>(u8"桌面") + "/");
}

}  // namespace
}  // namespace vd::platform
