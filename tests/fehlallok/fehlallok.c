/* Allocation failure injection, preloaded into a program run (LD_PRELOAD):
 *
 *   NUMERIK_FEHLALLOK=k              the k-th call of malloc, calloc or
 *                                    realloc returns NULL (errno ENOMEM);
 *                                    unset or 0: no call fails
 *   NUMERIK_FEHLALLOK_PROTOKOLL=f    when the k-th call is reached, the line
 *                                    "k size" is appended to the file f
 *   NUMERIK_FEHLALLOK_ZEITLIMIT=s    the process ends by SIGALRM after s
 *                                    seconds: a hang is seen as a signal
 *
 * Calls are counted from the first one made after the environment is
 * available, which is before the program's own main.  Only the one call
 * fails; later calls succeed again.  Every other function of the allocator
 * stays the C library's. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

extern void *__libc_malloc(size_t groesse);
extern void *__libc_calloc(size_t anzahl, size_t groesse);
extern void *__libc_realloc(void *alt, size_t groesse);
extern char **environ;

static long ziel = -1; /* -1: not read yet, 0: off */
static long zaehler;

/* Reads the environment without allocating: getenv and atol do not. */
static void einrichten(void) {
    const char *wert = getenv("NUMERIK_FEHLALLOK");
    ziel = wert != NULL ? atol(wert) : 0;
    if (ziel < 0) ziel = 0;
}

static void protokollieren(size_t groesse) {
    const char *datei = getenv("NUMERIK_FEHLALLOK_PROTOKOLL");
    if (datei == NULL) return;
    int fd = open(datei, O_WRONLY | O_APPEND | O_CREAT, 0600);
    if (fd < 0) return;
    char zeile[64];
    int laenge = snprintf(zeile, sizeof zeile, "%ld %zu\n", zaehler, groesse);
    if (write(fd, zeile, laenge) != laenge) {
        /* nothing to do: the driver then takes k as not reached */
    }
    close(fd);
}

__attribute__((constructor)) static void zeitlimit_setzen(void) {
    const char *wert = getenv("NUMERIK_FEHLALLOK_ZEITLIMIT");
    if (wert != NULL && atoi(wert) > 0) alarm(atoi(wert));
}

/* True for the call that must fail. */
static int scheitern(size_t groesse) {
    if (ziel < 0) {
        /* The dynamic loader allocates before the environment is set up;
         * those calls are not counted. */
        if (environ == NULL) return 0;
        einrichten();
    }
    if (ziel == 0 || ++zaehler != ziel) return 0;
    protokollieren(groesse);
    errno = ENOMEM;
    return 1;
}

void *malloc(size_t groesse) {
    return scheitern(groesse) ? NULL : __libc_malloc(groesse);
}

void *calloc(size_t anzahl, size_t groesse) {
    return scheitern(anzahl * groesse) ? NULL : __libc_calloc(anzahl, groesse);
}

void *realloc(void *alt, size_t groesse) {
    return scheitern(groesse) ? NULL : __libc_realloc(alt, groesse);
}
