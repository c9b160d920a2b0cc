/* Loaded with LD_PRELOAD into klarwell-batch: gives the errors and races that the kernel will not
 * give on demand. Each fault is switched on by an environment variable:
 *   KLARWELL_FAULT_NOREPLACE=E    renameat2 with RENAME_NOREPLACE fails with errno E
 *   KLARWELL_FAULT_RACE_DIR=D     a ".mp3" name in folder D that a hard link is about to take is
 *                                 created right before, holding "raced"
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int EnvInt(const char* name) {
    const char* value = getenv(name);
    return value ? atoi(value) : 0;
}

static int Fail(int error) {
    errno = error;
    return -1;
}

/* The next definition of the call: the C library's, or a sanitizer's. */
#define REAL(name, ret, args)                                \
    static ret(*real_##name) args;                           \
    if (!real_##name) {                                      \
        real_##name = (ret(*) args)dlsym(RTLD_NEXT, #name); \
    }

int renameat2(int olddirfd, const char* from, int newdirfd, const char* to, unsigned flags) {
    REAL(renameat2, int, (int, const char*, int, const char*, unsigned));
    const int noReplace = EnvInt("KLARWELL_FAULT_NOREPLACE");
    if ((flags & RENAME_NOREPLACE) && noReplace) {
        return Fail(noReplace);
    }
    return real_renameat2(olddirfd, from, newdirfd, to, flags);
}

/* The path a name given relative to a folder descriptor stands for. */
static void PathAt(int folder, const char* name, char* path, size_t size) {
    if (folder == AT_FDCWD || name[0] == '/') {
        snprintf(path, size, "%s", name);
        return;
    }
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", folder);
    const ssize_t length = readlink(link, path, size - 1);
    path[length > 0 ? length : 0] = '\0';
    snprintf(path + strlen(path), size - strlen(path), "/%s", name);
}

static void RaceBeforeLink(const char* path) {
    const char* folder = getenv("KLARWELL_FAULT_RACE_DIR");
    if (folder == NULL) {
        return;
    }
    const size_t length = strlen(folder);
    const size_t pathLength = strlen(path);
    if (strncmp(path, folder, length) != 0 || path[length] != '/' ||
        strchr(path + length + 1, '/') != NULL || pathLength < 4 ||
        strcmp(path + pathLength - 4, ".mp3") != 0) {
        return;
    }
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
        if (write(fd, "raced", 5) != 5) {
            /* The test finds the short file by its content. */
        }
        close(fd);
    }
}

int linkat(int olddirfd, const char* from, int newdirfd, const char* to, int flags) {
    REAL(linkat, int, (int, const char*, int, const char*, int));
    char path[4096];
    PathAt(newdirfd, to, path, sizeof path);
    RaceBeforeLink(path);
    return real_linkat(olddirfd, from, newdirfd, to, flags);
}
