#pragma once

/* The floor of reading speed: plain POSIX open, read and close of every file
   of a folder whose name ends in an extension, with no library in between. */

#ifdef __cplusplus
extern "C" {
#endif

struct ReadFloor
{
    double listMs; /* readdir of the folder */
    double readMs; /* open, read to the end, close of every file */
    long files;
    long long bytes;
};

/* inFlight 1 reads the files one after another in the calling thread; more
   reads that many at once, each in a thread of its own. Returns 0, or -1 when
   the folder cannot be listed. */
int readFloor(const char *dir, const char *extension, int inFlight, struct ReadFloor *result);

/* Writes dirty pages out and empties the page cache (needs root). Returns 0,
   or -1 when not permitted. */
int dropPageCache(void);

/* The peak resident memory of this process so far, in MiB. */
double peakMemoryMiB(void);

#ifdef __cplusplus
}
#endif
