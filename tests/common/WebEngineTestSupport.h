#pragma once
// What a test with the real web engine needs beside its checks. Include it from the
// test's one source file: it defines the sanitizer hooks of that test program.

#include <cstring>
#include <dlfcn.h>
#include <link.h>

// The web engine library (a prebuilt Chromium, built without frame pointers) frees some
// of its own objects with a sized delete of another size, and leaves its singletons to
// the end of the process: AddressSanitizer reports both from inside libQt6WebEngineCore
// (and from libudev, which it drives). Only those reports are off, and only in these
// tests; our own code is checked as everywhere.
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore\nleak:libudev\n";
}

namespace webenginetest {

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

} // namespace webenginetest
