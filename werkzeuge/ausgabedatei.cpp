#include "ausgabedatei.h"

#include "numerik/fehler.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using signalsperre = abbruchsperre;

// The signals that end a program in the middle of its work: each removes
// the temporary files, then the program dies of it as it would have.
constexpr int abbruchsignale[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};

// An output file being written into a temporary file.
struct ersatzdatei {
    FILE *strom = nullptr; // null: the place is free
    std::string zwischen;  // the temporary file
    std::string ziel;      // the file it replaces, symbolic links resolved
};
// The programs write one file at a time.
constexpr int ERSATZPLAETZE = 4;
ersatzdatei ersatz[ERSATZPLAETZE];
// The temporary files' names as the signal handler reads them; set and
// cleared only while the signals are blocked.
const char *volatile zwischennamen[ERSATZPLAETZE];
numerik_fehlerbehandlung vorherige_behandlung = nullptr;
// The child that writes into a temporary file (ausgabedatei_kind_setzen);
// set and cleared only while the signals are blocked.
volatile pid_t kindprozess = 0;

// Ends the child's process group and waits for it: SIGTERM, and SIGKILL
// for a child that has not ended after half a second.  Async-signal-safe.
void kind_beenden(pid_t kind) {
    kill(-kind, SIGTERM);
    const timespec pause = {0, 10000000};
    for (int i = 0; i < 50; ++i) {
        if (waitpid(kind, nullptr, WNOHANG) != 0) return;
        nanosleep(&pause, nullptr);
    }
    kill(-kind, SIGKILL);
    while (waitpid(kind, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Async-signal-safe: the child ended first (it may still be writing into a
// temporary file), unlink of names formatted beforehand, then the signal's
// default action, which ends the process when the handler returns and the
// signal is no longer blocked.
void bei_signal(int signal) {
    if (pid_t kind = kindprozess; kind > 0) kind_beenden(kind);
    for (int i = 0; i < ERSATZPLAETZE; ++i)
        if (const char *name = zwischennamen[i]) unlink(name);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(signal, &standard, nullptr);
    raise(signal);
}

// The fatal path removes every temporary file.  Its stream now writes to
// /dev/null: the fatal path flushes every stream, and that must reach
// neither a full disk nor a file size limit.
void bei_fehler(const char *meldung, int status) {
    {
        signalsperre sperre;
        for (int i = 0; i < ERSATZPLAETZE; ++i) {
            if (ersatz[i].strom == nullptr) continue;
            zwischennamen[i] = nullptr;
            unlink(ersatz[i].zwischen.c_str());
            int leer = open("/dev/null", O_WRONLY | O_CLOEXEC);
            if (leer >= 0) {
                dup2(leer, fileno(ersatz[i].strom));
                close(leer);
            }
            ersatz[i].strom = nullptr;
        }
    }
    if (vorherige_behandlung != nullptr) vorherige_behandlung(meldung, status);
}

} // namespace

abbruchsperre::abbruchsperre() {
    sigset_t menge;
    sigemptyset(&menge);
    for (int s : abbruchsignale)
        sigaddset(&menge, s);
    sigprocmask(SIG_BLOCK, &menge, &alt_);
}

abbruchsperre::~abbruchsperre() {
    sigprocmask(SIG_SETMASK, &alt_, nullptr);
}

namespace {
// Once, before the first temporary file.  A signal the caller has set to be
// ignored (nohup, a background job) stays ignored.
void aufraeumen_einrichten() {
    static bool eingerichtet = false;
    if (eingerichtet) return;
    eingerichtet = true;
    vorherige_behandlung = numerik_fehlerbehandlung_setzen(bei_fehler);
    struct sigaction neu {};
    neu.sa_handler = bei_signal;
    sigemptyset(&neu.sa_mask);
    for (int s : abbruchsignale)
        sigaddset(&neu.sa_mask, s);
    neu.sa_flags = SA_RESTART;
    for (int s : abbruchsignale) {
        struct sigaction alt {};
        if (sigaction(s, nullptr, &alt) == 0 && alt.sa_handler != SIG_IGN)
            sigaction(s, &neu, nullptr);
    }
}

// The file that writing to name reaches, when it is to be replaced: name,
// or the end of the chain of symbolic links that starts there (a dangling
// link names a new file, as for fopen).  Empty for a target that is written
// in place: not a regular file, several hard links (a rename would split the
// file from its other names), reached through /proc (/dev/stdout is
// whatever standard output is), not writable (fopen then refuses it as
// before), or no longer readable as a path.
struct ausgabeziel {
    std::string pfad;
    bool vorhanden = false;
    struct stat stand {}; // of an existing file
};

ausgabeziel ziel_bestimmen(const char *name) {
    ausgabeziel z;
    z.pfad = name;
    struct stat proc {};
    const bool mit_proc = stat("/proc", &proc) == 0;
    for (int verweise = 0;; ++verweise) {
        if (lstat(z.pfad.c_str(), &z.stand) != 0) {
            // A new file needs a name (fopen refuses "" and "neu/").
            if (errno != ENOENT || z.pfad.empty() || z.pfad.back() == '/') z.pfad.clear();
            return z;
        }
        if (mit_proc && z.stand.st_dev == proc.st_dev) break;
        if (!S_ISLNK(z.stand.st_mode)) {
            int probe = -1;
            if (!S_ISREG(z.stand.st_mode) || z.stand.st_nlink != 1 ||
                (probe = open(z.pfad.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY)) < 0)
                break;
            close(probe);
            z.vorhanden = true;
            return z;
        }
        // As many links as the system follows; beyond, fopen names the loop.
        if (verweise == 40) break;
        std::string verweis(PATH_MAX, '\0');
        ssize_t laenge = readlink(z.pfad.c_str(), verweis.data(), verweis.size());
        if (laenge <= 0 || static_cast<std::size_t>(laenge) >= verweis.size()) break;
        verweis.resize(static_cast<std::size_t>(laenge));
        // A relative link is read from the link's directory.
        if (verweis[0] != '/') verweis.insert(0, z.pfad, 0, z.pfad.rfind('/') + 1);
        z.pfad = verweis;
    }
    z.pfad.clear();
    return z;
}

// Carries mode, owner and group of the existing file over to the temporary
// file fd, or gives a new file the mode fopen would give it; false where
// that cannot be done.
bool rechte_uebernehmen(int fd, const ausgabeziel &z) {
    if (!z.vorhanden) {
        mode_t maske = umask(0);
        umask(maske);
        return fchmod(fd, 0666 & ~maske) == 0;
    }
    struct stat neu {};
    if (fstat(fd, &neu) != 0) return false;
    // Owner and group first: changing them clears the set-id bits.
    if ((neu.st_uid != z.stand.st_uid || neu.st_gid != z.stand.st_gid) &&
        fchown(fd, z.stand.st_uid, z.stand.st_gid) != 0)
        return false;
    return fchmod(fd, z.stand.st_mode & 07777) == 0;
}

// The temporary file beside the target, named after it; null where the
// target is written in place.  A temporary file that cannot be had for
// want of space, descriptors or memory ends the program; where only the
// directory refuses it, the target is written in place.
FILE *ersatz_oeffnen(const char *name) {
    ausgabeziel z = ziel_bestimmen(name);
    int platz = 0;
    while (platz < ERSATZPLAETZE && ersatz[platz].strom != nullptr)
        ++platz;
    if (z.pfad.empty() || platz == ERSATZPLAETZE) return nullptr;
    ersatzdatei &e = ersatz[platz];
    const std::size_t schnitt = z.pfad.rfind('/') + 1;
    // Part of the name will do; the whole may be too long with the suffix.
    e.zwischen = z.pfad.substr(0, schnitt) + "." + z.pfad.substr(schnitt, 64) + ".XXXXXX";
    e.ziel = z.pfad;
    aufraeumen_einrichten();

    signalsperre sperre;
    int fd = mkostemp(e.zwischen.data(), O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOSPC || errno == EDQUOT || errno == EMFILE || errno == ENFILE ||
            errno == ENOMEM)
            numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.", name);
        return nullptr;
    }
    const bool rechte = rechte_uebernehmen(fd, z);
    FILE *strom = rechte ? fdopen(fd, "wb") : nullptr;
    if (strom == nullptr) {
        close(fd);
        unlink(e.zwischen.c_str());
        // No memory for the stream, as when fopen fails for it.
        if (rechte) numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.", name);
        return nullptr;
    }
    e.strom = strom;
    zwischennamen[platz] = e.zwischen.c_str();
    return strom;
}
} // namespace

FILE *ausgabedatei_ersatz_oeffnen(const char *name) {
    return ersatz_oeffnen(name);
}

const char *ausgabedatei_zwischenname(FILE *aus) {
    for (const ersatzdatei &e : ersatz)
        if (aus != nullptr && e.strom == aus) return e.zwischen.c_str();
    return nullptr;
}

void ausgabedatei_kind_setzen(pid_t prozess) {
    aufraeumen_einrichten();
    kindprozess = prozess;
}

FILE *ausgabedatei_oeffnen(const char *name) {
    FILE *datei = ersatz_oeffnen(name);
    if (datei == nullptr) datei = std::fopen(name, "wb");
    if (datei == nullptr) numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.", name);
    return datei;
}

bool ausgabedatei_schliessen(FILE *aus, bool verwerfen) {
    int platz = 0;
    while (platz < ERSATZPLAETZE && ersatz[platz].strom != aus)
        ++platz;
    bool fehlgeschlagen = std::fclose(aus) != 0 || verwerfen;
    if (platz < ERSATZPLAETZE) {
        ersatzdatei &e = ersatz[platz];
        signalsperre sperre;
        if (fehlgeschlagen || std::rename(e.zwischen.c_str(), e.ziel.c_str()) != 0) {
            unlink(e.zwischen.c_str());
            fehlgeschlagen = true;
        }
        zwischennamen[platz] = nullptr;
        e.strom = nullptr;
    }
    return !fehlgeschlagen;
}
