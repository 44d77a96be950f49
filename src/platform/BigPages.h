#pragma once
#include <string>

// Large pages for the big buffers of a big text. The C library's allocator can ask
// the kernel for 2 MB pages on the memory it maps (transparent huge pages), which
// cuts the page faults of filling a 20 MB buffer 512 times: opening a 10 MB page,
// replacing all in it and undoing that all fill several such buffers, and on a
// virtual machine each fault is dear. The allocator reads the choice only when a
// process starts, from GLIBC_TUNABLES, so the program starts itself once more, in
// place, with it set, and then gives its children the environment it was given.
// The same start maps buffers of 4 MB and more on their own, so a load's
// temporaries are handed back as soon as they are freed.
// KODOPLET_BIG_PAGES=0 keeps the allocator as it is.
namespace BigPages {

struct Plan {
    bool restart = false;
    std::string tunables;   // GLIBC_TUNABLES for the second start
};

// tunables: GLIBC_TUNABLES as given (null: unset); marker: KODOPLET_BIG_PAGES;
// kernelSetting: the text of /sys/kernel/mm/transparent_hugepage/enabled.
Plan plan(const char *tunables, const char *marker, const std::string &kernelSetting);

// First thing in main: may replace the process by a second start of the program
// (same id, arguments and streams); on the second start, puts the environment back.
void useForThisProcess(char **argv);

// Whether this process runs with them (the second start was made).
bool active();

}
