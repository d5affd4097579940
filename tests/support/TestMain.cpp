// The entry point of every test program. OLE and the shell allocator are set up when the package
// loads; tests run on this thread, which owns every window they create.

#include "identifiers/ShellMalloc.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    // Output is read through a pipe by ctest: no buffering, so a crash loses nothing.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    if (!g_ShellMalloc) {
        std::fprintf(stderr, "the shell allocator is not available\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
