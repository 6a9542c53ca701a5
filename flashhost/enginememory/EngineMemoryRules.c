/* When the engine processes give free memory back (see EngineMemory.c). */
#include "EngineMemory.h"

enum { TRIM_ABOVE_BYTES = 8 << 20 };

bool pelumo_engine_memory_should_trim(size_t free_now, size_t* lowest) {
    if (free_now < *lowest)
        *lowest = free_now;
    if (free_now - *lowest < TRIM_ABOVE_BYTES)
        return false;
    *lowest = free_now; /* what is free now goes back */
    return true;
}

int pelumo_engine_memory_wait_ms(int64_t now, int64_t next_look, int timeout, bool* look) {
    *look = now >= next_look;
    if (*look)
        return timeout;
    /* Woken within the pause after a look: this thread is busy, and what it frees should
     * not wait for its next wake, which may be long in coming. */
    const int64_t left = next_look - now;
    return timeout < 0 || timeout > left ? (int)left : timeout;
}
