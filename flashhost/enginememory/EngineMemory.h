/* The rules of the engine processes' memory return (EngineMemory.c), open to tests. */
#pragma once

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define PELUMO_ENGINE_PROCESS_NAME "QtWebEngineProcess"

/* With `free_now` bytes free in malloc and `*lowest` the least seen since the last trim:
 * true when enough was freed since to be worth giving back (and `*lowest` starts again). */
bool pelumo_engine_memory_should_trim(size_t free_now, size_t* lowest);

/* The timeout an epoll_wait at `now` gets, and in `*look` whether to look at the memory now;
 * `next_look` is the time of the next look. */
int pelumo_engine_memory_wait_ms(int64_t now, int64_t next_look, int timeout, bool* look);

#ifdef __cplusplus
}
#endif
