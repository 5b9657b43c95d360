#define _GNU_SOURCE
#include "readfloor.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

struct Work
{
    const char *dir;
    char **names;
    long count;
    long next;
    long long bytes;
    pthread_mutex_t lock;
};

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void *readSome(void *arg)
{
    struct Work *work = arg;
    char path[4096];
    char buffer[65536];
    long long bytes = 0;
    for (;;) {
        pthread_mutex_lock(&work->lock);
        const long i = work->next++;
        pthread_mutex_unlock(&work->lock);
        if (i >= work->count)
            break;
        snprintf(path, sizeof path, "%s/%s", work->dir, work->names[i]);
        const int fd = open(path, O_RDONLY);
        if (fd < 0)
            continue;
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0)
            bytes += n;
        close(fd);
    }
    pthread_mutex_lock(&work->lock);
    work->bytes += bytes;
    pthread_mutex_unlock(&work->lock);
    return NULL;
}

int readFloor(const char *dir, const char *extension, int inFlight, struct ReadFloor *result)
{
    const double start = nowMs();
    DIR *d = opendir(dir);
    if (!d)
        return -1;
    const size_t extLength = strlen(extension);
    long capacity = 1024, count = 0;
    char **names = malloc(sizeof *names * (size_t)capacity);
    const struct dirent *e;
    while ((e = readdir(d)) != NULL) {
        const size_t length = strlen(e->d_name);
        if (length < extLength || strcasecmp(e->d_name + length - extLength, extension) != 0)
            continue;
        if (count == capacity) {
            capacity *= 2;
            names = realloc(names, sizeof *names * (size_t)capacity);
        }
        names[count++] = strdup(e->d_name);
    }
    closedir(d);
    const double listed = nowMs();

    struct Work work = {dir, names, count, 0, 0, PTHREAD_MUTEX_INITIALIZER};
    if (inFlight <= 1) {
        readSome(&work);
    } else {
        pthread_t *threads = malloc(sizeof *threads * (size_t)inFlight);
        int started = 0;
        for (int t = 0; t < inFlight; ++t)
            started += pthread_create(&threads[started], NULL, readSome, &work) == 0;
        for (int t = 0; t < started; ++t)
            pthread_join(threads[t], NULL);
        free(threads);
    }
    const double done = nowMs();

    for (long i = 0; i < count; ++i)
        free(names[i]);
    free(names);
    result->listMs = listed - start;
    result->readMs = done - listed;
    result->files = count;
    result->bytes = work.bytes;
    return 0;
}

int dropPageCache(void)
{
    sync();
    FILE *f = fopen("/proc/sys/vm/drop_caches", "w");
    if (!f)
        return -1;
    const int ok = fputs("3\n", f) >= 0;
    return fclose(f) == 0 && ok ? 0 : -1;
}

double peakMemoryMiB(void)
{
    /* VmHWM, not getrusage: a child's ru_maxrss starts at its parent's size
       (the fork's copy) and survives the exec. */
    FILE *f = fopen("/proc/self/status", "r");
    char line[256];
    double kib = -1;
    while (f && fgets(line, sizeof line, f)) {
        if (strncmp(line, "VmHWM:", 6) == 0) {
            kib = strtod(line + 6, NULL);
            break;
        }
    }
    if (f)
        fclose(f);
    if (kib < 0) {
        struct rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        kib = (double)usage.ru_maxrss;
    }
    return kib / 1024.0;
}
