#pragma once

#include <fstream>
#include <string>
#include <string_view>

// The process's resident and peak resident memory, from /proc/self/status.
namespace vd::bench {

// Bytes of a line "Name:   1234 kB" (VmRSS, VmHWM); -1 when absent.
inline long long statusBytes(std::string_view name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(name) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) return std::stoll(line.substr(key.size())) * 1024;
    }
    return -1;
}

// Resets VmHWM to the current resident size; false when the kernel refuses.
inline bool resetPeak() {
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

}  // namespace vd::bench
