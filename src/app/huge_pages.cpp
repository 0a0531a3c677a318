#include "app/huge_pages.hpp"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace kr {

namespace {

constexpr const char* kRestartedMark = "KR_HUGE_PAGES";

// "[madvise]": huge pages only where a program asks for them.
bool HugePagesOnRequest() {
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string line;
    return std::getline(setting, line) && line.find("[madvise]") != std::string::npos;
}

bool UnderAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;  // its own allocator ignores the setting
#else
    return false;
#endif
}

}  // namespace

void RestartWithHugePages(char** argv) {
    if (std::getenv(kRestartedMark) || UnderAddressSanitizer() || !HugePagesOnRequest()) return;
    std::string tunables = "glibc.malloc.hugetlb=1";
    if (const char* existing = std::getenv("GLIBC_TUNABLES")) tunables = std::string(existing) + ":" + tunables;
    ::setenv(kRestartedMark, "1", 1);
    ::setenv("GLIBC_TUNABLES", tunables.c_str(), 1);
    ::execv("/proc/self/exe", argv);
}

}  // namespace kr
