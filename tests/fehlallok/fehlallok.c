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
 * Calls are counted from the program's own main on (the call of main is
 * taken over through __libc_start_main): what the constructors of the shared
 * libraries allocate before it (libgomp's and muparser's tables, which a
 * program linking muparser loads) no program can survive, as it has not
 * started yet, so those calls are not counted.  Only the one call
 * fails; later calls succeed again.  Every other function of the allocator
 * stays the C library's. */
#define _GNU_SOURCE
#include <dlfcn.h>
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
static int in_main; /* set when the program's main is entered */

typedef int (*hauptfunktion)(int, char **, char **);
typedef int (*startfunktion)(hauptfunktion, int, char **, void (*)(void), void (*)(void),
                             void (*)(void), void *);
static hauptfunktion echtes_main;

static int main_zaehlend(int argc, char **argv, char **env) {
    in_main = 1;
    return echtes_main(argc, argv, env);
}

int __libc_start_main(hauptfunktion haupt, int argc, char **argv, void (*init)(void),
                      void (*fini)(void), void (*rtld_fini)(void), void *stack_end) {
    startfunktion echt = (startfunktion)dlsym(RTLD_NEXT, "__libc_start_main");
    echtes_main = haupt;
    return echt(main_zaehlend, argc, argv, init, fini, rtld_fini, stack_end);
}

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
    if (!in_main) return 0;
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
