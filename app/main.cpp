#include "app/Startup.h"

// Whether AddressSanitizer is on: GCC defines a macro, clang answers a feature test.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELUMO_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(PELUMO_ADDRESS_SANITIZER)
// The sanitizer build of the program runs with the defaults of the test runs, so that
// it can be started by hand and soaked without setting anything. The system's web-engine
// library deletes some of its objects through a base of another size, which is not ours
// to mend; the leaks listed are the system libraries' own start-up allocations (as in
// tests/lsan.supp).
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0:detect_leaks=1:abort_on_error=1";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libdbus\nleak:libglib\nleak:libQt6Gui\nleak:libxcb\n"
           "leak:libSDL2\nleak:libEGL\nleak:libGLX\nleak:dri\nleak:libQt6Quick\n"
           "leak:libQt6Qml\nleak:libQt6WebEngineCore\n";
}

// Libraries stay mapped until the end, so that the leak check at exit can still name
// them: the X display's GL driver is unloaded when the display closes, and its start-up
// allocations would otherwise show as leaks of an unknown module.
extern "C" int dlclose(void*) {
    return 0;
}
#endif

int main(int argc, char** argv) {
    return runProgram(argc, argv);
}
