#include "platform/BigPages.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <utility>

namespace BigPages {

namespace {
constexpr const char *Marker = "KODOPLET_BIG_PAGES";
constexpr const char *Saved = "KODOPLET_SAVED_TUNABLES";
constexpr const char *Tunables = "GLIBC_TUNABLES";
// Large pages for mapped memory; and buffers of 4 MB and more always mapped on their
// own, so that they go back to the system as soon as they are freed (the
// temporaries of a load no longer stay on the heap until it is trimmed).
constexpr std::pair<const char *, const char *> Settings[] = {
    {"glibc.malloc.hugetlb", "1"},
    {"glibc.malloc.mmap_threshold", "4194304"},
};
bool s_active = false;

std::string kernelSetting()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The environment as the program was given it.
void restore(const char *saved)
{
    if (saved)
        setenv(Tunables, saved, 1);
    else
        unsetenv(Tunables);
    unsetenv(Saved);
    unsetenv(Marker);
}
} // namespace

Plan plan(const char *tunables, const char *marker, const std::string &kernelSetting)
{
    Plan p;
    // Already made, or turned off.
    if (marker && *marker)
        return p;
    // The kernel gives them never, or has none.
    if (kernelSetting.find("[always]") == std::string::npos && kernelSetting.find("[madvise]") == std::string::npos)
        return p;
    const std::string given = tunables ? tunables : "";
    p.tunables = given;
    for (const auto &[name, value] : Settings) {
        // The user's own choice stands.
        if (given.find(name) != std::string::npos)
            continue;
        p.tunables += (p.tunables.empty() ? "" : ":") + std::string(name) + "=" + value;
        p.restart = true;
    }
    if (!p.restart)
        p.tunables.clear();
    return p;
}

void useForThisProcess(char **argv)
{
#if defined(__linux__) && defined(__GLIBC__)
    const char *marker = getenv(Marker);
    if (marker && std::strcmp(marker, "1") == 0) {
        s_active = true;
        restore(getenv(Saved));
        return;
    }
    const char *env = getenv(Tunables);
    const bool hadTunables = env != nullptr;
    const std::string given = hadTunables ? env : "";   // setenv below may free env
    const Plan p = plan(hadTunables ? given.c_str() : nullptr, marker, kernelSetting());
    if (!p.restart || !argv || !argv[0])
        return;
    if (hadTunables)
        setenv(Saved, given.c_str(), 1);
    setenv(Tunables, p.tunables.c_str(), 1);
    setenv(Marker, "1", 1);
    execv("/proc/self/exe", argv);
    // Not started again: go on as we are.
    restore(hadTunables ? given.c_str() : nullptr);
#else
    (void)argv;
#endif
}

bool active()
{
    return s_active;
}

}
