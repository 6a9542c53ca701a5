#pragma once
// What a test on the X server needs so that the leak checker can name what it finds.

#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace testsupport {

// The software GL driver frees its caches by being unloaded at exit, which leaves the
// leak checker with memory of an unknown owner that its suppressions cannot name. Kept
// loaded, its memory is its own.
inline void keepGlDriversLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "/dri/"))
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace testsupport
