/* Stands for a web engine process in tst_enginememory (built under the engine program's
 * name, and under another). It leaves malloc with much free memory scattered between kept
 * blocks, waits as the engine does before it goes idle, and prints its resident memory
 * before and after, and whether LD_PRELOAD still names the library.
 * Argument "busy": a wait without timeout within the pause after a look (the engine's
 * library must end it when the next look is due). */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/epoll.h>
#include <unistd.h>

static long resident_kb(void) {
    long pages = 0, resident = 0;
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f || fscanf(f, "%ld %ld", &pages, &resident) != 2)
        resident = -1;
    if (f)
        fclose(f);
    return resident < 0 ? -1 : resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int main(int argc, char** argv) {
    const int busy = argc > 1 && strcmp(argv[1], "busy") == 0;
    const int ep = epoll_create1(0);
    struct epoll_event event;
    epoll_wait(ep, &event, 1, 0); /* the first look: what is free now is the floor */
    enum { kCount = 96 * 1024, kSize = 1000 };
    char** blocks = malloc(kCount * sizeof *blocks);
    if (!blocks)
        return 2;
    for (int i = 0; i < kCount; ++i) {
        blocks[i] = malloc(kSize);
        if (!blocks[i])
            return 2;
        memset(blocks[i], 1, kSize);
    }
    for (int i = 0; i < kCount; ++i)
        if (i % 16 != 0)
            free(blocks[i]);
    const long before = resident_kb();
    if (busy)
        epoll_wait(ep, &event, 1, -1);
    epoll_wait(ep, &event, 1, 0);
    const long after = resident_kb();
    const char* preload = getenv("LD_PRELOAD");
    printf("%ld %ld %s\n", before, after,
           preload && strstr(preload, "enginememory") ? "preloaded" : "clean");
    return 0;
}
