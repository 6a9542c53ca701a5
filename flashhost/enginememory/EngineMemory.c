/* Loaded into the web engine's helper processes (the program puts it in LD_PRELOAD).
 *
 * Compiling and running the players leaves the renderer's malloc with tens of megabytes of
 * free but scattered memory that glibc never gives back on its own (only the top of a heap
 * is trimmed). The engine calls epoll_wait as a thread goes idle: there, at most once in a
 * while and only when the free memory has grown by a good amount since the last look, the
 * free pages go back to the system. Nothing runs while nothing happens: no thread, no timer.
 *
 * In any other program (something the engine or a helper starts) it does nothing and takes
 * itself out of LD_PRELOAD for what that program starts. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <limits.h>
#include <malloc.h>
#include <stdatomic.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/epoll.h>
#include <time.h>
#include <unistd.h>

#include "EngineMemory.h"

typedef int (*epoll_wait_fn)(int, struct epoll_event*, int, int);

static epoll_wait_fn real_epoll_wait;
static bool enabled;
static _Atomic int64_t next_look_ms; /* no look before this */
static atomic_flag looking = ATOMIC_FLAG_INIT;
static size_t lowest_free = SIZE_MAX; /* since the last trim; guarded by `looking` */

enum { LOOK_EVERY_MS = 2000 };

static int64_t now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

static void look(void) {
    if (atomic_flag_test_and_set(&looking))
        return; /* another thread is at it */
    const struct mallinfo2 info = mallinfo2();
    if (pelumo_engine_memory_should_trim(info.fordblks, &lowest_free))
        malloc_trim(0);
    atomic_flag_clear(&looking);
}

int epoll_wait(int epfd, struct epoll_event* events, int maxevents, int timeout) {
    if (!real_epoll_wait)
        real_epoll_wait = (epoll_wait_fn)dlsym(RTLD_NEXT, "epoll_wait");
    if (enabled) {
        const int64_t now = now_ms();
        int64_t next = atomic_load(&next_look_ms);
        bool due = false;
        timeout = pelumo_engine_memory_wait_ms(now, next, timeout, &due);
        if (due && atomic_compare_exchange_strong(&next_look_ms, &next, now + LOOK_EVERY_MS))
            look();
    }
    return real_epoll_wait(epfd, events, maxevents, timeout);
}

/* LD_PRELOAD without the entries naming this library. */
static void leave_preload(const char* self) {
    const char* list = getenv("LD_PRELOAD");
    if (!list || !self)
        return;
    char* kept = calloc(strlen(list) + 1, 1);
    char* copy = strdup(list);
    if (!kept || !copy) {
        free(kept);
        free(copy);
        return;
    }
    char* save = NULL;
    for (char* item = strtok_r(copy, " :", &save); item; item = strtok_r(NULL, " :", &save)) {
        if (strcmp(item, self) == 0)
            continue;
        if (*kept)
            strcat(kept, ":");
        strcat(kept, item);
    }
    if (*kept)
        setenv("LD_PRELOAD", kept, 1);
    else
        unsetenv("LD_PRELOAD");
    free(kept);
    free(copy);
}

__attribute__((constructor)) static void start(void) {
    real_epoll_wait = (epoll_wait_fn)dlsym(RTLD_NEXT, "epoll_wait");
    char exe[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        exe[n] = '\0';
        const char* name = strrchr(exe, '/');
        enabled = strcmp(name ? name + 1 : exe, PELUMO_ENGINE_PROCESS_NAME) == 0;
    }
    if (!enabled) {
        Dl_info self;
        if (dladdr((void*)&start, &self))
            leave_preload(self.dli_fname);
    }
}
