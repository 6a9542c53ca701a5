#pragma once
// What a test with the real web engine needs beside its checks. Include it from the
// test's one source file: it defines the sanitizer hooks of that test program.

#include "GlDrivers.h"

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

using testsupport::keepGlDriversLoaded;

} // namespace webenginetest
