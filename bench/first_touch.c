/* How fast this machine hands out fresh memory: allocates N MiB (default
 * 682, what the float pictures used to take), writes one byte per page, and
 * prints the time of that first pass and of a second pass over the same
 * pages, "first_touch MIB SECONDS MB_PER_S" and "second_touch MIB SECONDS".
 * Every byte a program allocates before its first frame costs this much. */
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

static double touch(volatile unsigned char* bytes, size_t size, size_t page, unsigned char value) {
    const double start = now();
    for (size_t at = 0; at < size; at += page) {
        bytes[at] = value;
    }
    return now() - start;
}

int main(int argc, char** argv) {
    const size_t mib = argc > 1 ? (size_t)atol(argv[1]) : 682;
    const size_t size = mib << 20;
    const size_t page = (size_t)sysconf(_SC_PAGESIZE);
    unsigned char* bytes =
        mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (bytes == MAP_FAILED) {
        perror("mmap");
        return 1;
    }
    const double first = touch(bytes, size, page, 1);
    const double second = touch(bytes, size, page, 2);
    printf("first_touch %zu %.4f %.0f\n", mib, first, size / first / 1e6);
    printf("second_touch %zu %.4f\n", mib, second);
    munmap(bytes, size);
    return 0;
}
