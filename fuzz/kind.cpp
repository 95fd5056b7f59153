#include "kind.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sanitizer/common_interface_defs.h>
#include <sanitizer/lsan_interface.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The edge counters of -fsanitize=fuzzer; the linker provides the bounds.
extern "C" uint8_t __start___sancov_cntrs[] __attribute__((weak, visibility("hidden")));
extern "C" uint8_t __stop___sancov_cntrs[] __attribute__((weak, visibility("hidden")));

// The targets are linked with --wrap=_exit: the library's fatal path reaches
// __wrap__exit, which saves the child's coverage first.
extern "C" [[noreturn]] void __real__exit(int status);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *daten, std::size_t groesse);
extern "C" int LLVMFuzzerRunDriver(int *argc, char ***argv,
                                   int (*ziel)(const uint8_t *daten, std::size_t groesse));

// An allocation that cannot be served returns null, as the C library's does,
// so the program's own "Nicht genug Speicher" path runs instead of a
// sanitizer report.  A single request over 1 GiB is not served: the
// children run as on a machine of little memory, and AddressSanitizer does
// not touch the shadow of a huge block that the program never uses (a band
// matrix reserves its 2m+1 vector pointers before it reads them).
extern "C" const char *__asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=1024:detect_leaks=1";
}
extern "C" const char *__ubsan_default_options() {
    return "print_stacktrace=1";
}

namespace {

// A child that runs longer than this hangs.
constexpr unsigned ZEITLIMIT_SEKUNDEN = 10;

// A child whose resident memory grew beyond this, from an input of a few
// kilobytes, used memory out of proportion to the input: a count taken on
// trust.  (Memory reserved but never touched does not count.)
constexpr long GROESSTER_SPEICHER_KB = 1L << 20;

// Exit status of a child that found a fault itself (sanitizer report, leak,
// failed check of a target).
constexpr int BEFUND_STATUS = 86;

bool im_kind = false;
uint8_t *geteilte_zaehler = nullptr;
std::size_t zaehlerzahl = 0;
int daten_fd = -1;   // the input bytes
int eingabe_fd = -1; // the child's standard input
int ausgabe_fd = -1; // its standard output
int fehler_fd = -1;  // its standard error
int anfrage_fd = -1; // parent -> server: run one child
int antwort_fd = -1; // server -> parent: its wait status
int bericht_fd = 2;  // the fuzzer's own standard error, also in the child
char verzeichnis[PATH_MAX];

[[noreturn]] void harness_fehler(const char *was) {
    dprintf(bericht_fd, "fuzz: %s: %s\n", was, std::strerror(errno));
    std::abort();
}

int speicherdatei(const char *name) {
    int fd = memfd_create(name, 0);
    if (fd < 0) harness_fehler("memfd_create");
    return fd;
}

void leeren(int fd) {
    if (ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0) harness_fehler("ftruncate");
}

void schreiben(int fd, const void *text, std::size_t groesse) {
    std::size_t geschrieben = 0;
    while (geschrieben < groesse) {
        ssize_t n = write(fd, static_cast<const char *>(text) + geschrieben, groesse - geschrieben);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) harness_fehler("write");
        geschrieben += n;
    }
}

bool lesen_genau(int fd, void *ziel, std::size_t groesse) {
    std::size_t gelesen = 0;
    while (gelesen < groesse) {
        ssize_t n = read(fd, static_cast<char *>(ziel) + gelesen, groesse - gelesen);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        gelesen += n;
    }
    return true;
}

std::string inhalt(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) harness_fehler("fstat");
    std::string text(st.st_size, '\0');
    std::size_t gelesen = 0;
    while (gelesen < text.size()) {
        ssize_t n = pread(fd, text.data() + gelesen, text.size() - gelesen, gelesen);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        gelesen += n;
    }
    text.resize(gelesen);
    return text;
}

void verzeichnis_leeren() {
    DIR *d = opendir(verzeichnis);
    if (d == nullptr) harness_fehler("opendir");
    while (dirent *e = readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            unlinkat(dirfd(d), e->d_name, 0);
    closedir(d);
}

void verzeichnis_entfernen() {
    verzeichnis_leeren();
    rmdir(verzeichnis);
}

void abdeckung_sichern() {
    if (zaehlerzahl > 0) std::memcpy(geteilte_zaehler, __start___sancov_cntrs, zaehlerzahl);
}

// The child's counters start as a copy of the server's, which never runs the
// code under test, so the larger value of each pair is what this input added.
void abdeckung_uebernehmen() {
    for (std::size_t i = 0; i < zaehlerzahl; ++i)
        if (geteilte_zaehler[i] > __start___sancov_cntrs[i])
            __start___sancov_cntrs[i] = geteilte_zaehler[i];
}

// A sanitizer has printed its report: end as a finding, not with the
// sanitizer's exit status 1, which is the programs' own failure status.
void sanitizer_tod() {
    __real__exit(BEFUND_STATUS);
}

// exit() in the child (the usage text ends the programs that way).
void bei_exit(int status, void *) {
    kind_beenden(status);
}

[[noreturn]] void kind_laufen() {
    im_kind = true;
    close(anfrage_fd);
    close(antwort_fd);
    bericht_fd = dup(2);
    __sanitizer_set_report_fd(reinterpret_cast<void *>(static_cast<intptr_t>(bericht_fd)));
    __sanitizer_set_death_callback(sanitizer_tod);
    alarm(ZEITLIMIT_SEKUNDEN);
    // The input in a block of its exact size, so that a read past its end is
    // caught; held in a global, where the leak check sees it when the
    // program leaves through exit().
    struct stat st {};
    if (fstat(daten_fd, &st) != 0) kind_befund("fstat fehlgeschlagen");
    std::size_t groesse = st.st_size;
    static uint8_t *daten;
    daten = static_cast<uint8_t *>(std::malloc(groesse > 0 ? groesse : 1));
    if (pread(daten_fd, daten, groesse, 0) != static_cast<ssize_t>(groesse))
        kind_befund("Eingabe nicht lesbar");
    if (dup2(eingabe_fd, 0) < 0 || dup2(ausgabe_fd, 1) < 0 || dup2(fehler_fd, 2) < 0)
        kind_befund("dup2 fehlgeschlagen");
    if (chdir(verzeichnis) != 0) kind_befund("chdir fehlgeschlagen");
    on_exit(bei_exit, nullptr);
    int status = kind_arbeit(daten, groesse);
    std::free(daten);
    kind_beenden(status);
}

// What the server reports about one child.
struct kindende {
    int wstatus;
    long speicher_kb; // peak resident memory
};

// The server: forks one child per request and answers with how it ended.
[[noreturn]] void server(int anfrage, int antwort) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    char befehl;
    while (lesen_genau(anfrage, &befehl, 1)) {
        pid_t kind = fork();
        if (kind < 0) harness_fehler("fork");
        if (kind == 0) kind_laufen();
        kindende ende{};
        struct rusage verbrauch {};
        while (wait4(kind, &ende.wstatus, 0, &verbrauch) < 0)
            if (errno != EINTR) harness_fehler("wait4");
        ende.speicher_kb = verbrauch.ru_maxrss;
        schreiben(antwort, &ende, sizeof ende);
    }
    __real__exit(0);
}

void server_starten() {
    daten_fd = speicherdatei("daten");
    eingabe_fd = speicherdatei("stdin");
    ausgabe_fd = speicherdatei("stdout");
    fehler_fd = speicherdatei("stderr");
    if (+__start___sancov_cntrs != nullptr && +__stop___sancov_cntrs > +__start___sancov_cntrs) {
        zaehlerzahl = __stop___sancov_cntrs - __start___sancov_cntrs;
        void *p =
            mmap(nullptr, zaehlerzahl, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) harness_fehler("mmap");
        geteilte_zaehler = static_cast<uint8_t *>(p);
    }
    const char *tmp = std::getenv("TMPDIR");
    std::snprintf(verzeichnis, sizeof verzeichnis, "%s/numerik-fuzz-XXXXXX",
                  tmp != nullptr && std::strlen(tmp) < PATH_MAX - 32 ? tmp : "/tmp");
    if (mkdtemp(verzeichnis) == nullptr) harness_fehler("mkdtemp");
    int hin[2];
    int zurueck[2];
    if (pipe(hin) != 0 || pipe(zurueck) != 0) harness_fehler("pipe");
    pid_t pid = fork();
    if (pid < 0) harness_fehler("fork");
    if (pid == 0) {
        close(hin[1]);
        close(zurueck[0]);
        anfrage_fd = hin[0];
        antwort_fd = zurueck[1];
        server(hin[0], zurueck[1]);
    }
    close(hin[0]);
    close(zurueck[1]);
    anfrage_fd = hin[1];
    antwort_fd = zurueck[0];
    std::atexit(verzeichnis_entfernen);
}

} // namespace

extern "C" [[noreturn]] void __wrap__exit(int status) {
    if (im_kind) abdeckung_sichern();
    __real__exit(status);
}

const char *kind_verzeichnis() {
    return verzeichnis;
}

void kind_beenden(int status) {
    std::fflush(nullptr);
    // Only a successful run must have given back everything; a failure ends
    // at once on purpose and leaves its objects to the operating system.
    if (status == 0 && __lsan_do_recoverable_leak_check() != 0)
        kind_befund("Speicherleck in einem erfolgreichen Lauf");
    abdeckung_sichern();
    __real__exit(status);
}

void kind_befund(const char *grund) {
    std::fflush(nullptr);
    dprintf(bericht_fd, "fuzz: BEFUND: %s\n", grund);
    __real__exit(BEFUND_STATUS);
}

kindergebnis im_kind_ausfuehren(const uint8_t *daten, std::size_t groesse,
                                const std::string &eingabe) {
    leeren(daten_fd);
    leeren(eingabe_fd);
    leeren(ausgabe_fd);
    leeren(fehler_fd);
    schreiben(daten_fd, daten, groesse);
    schreiben(eingabe_fd, eingabe.data(), eingabe.size());
    if (lseek(eingabe_fd, 0, SEEK_SET) != 0) harness_fehler("lseek");
    verzeichnis_leeren();
    if (zaehlerzahl > 0) std::memset(geteilte_zaehler, 0, zaehlerzahl);

    char befehl = 'k';
    kindende ende{};
    schreiben(anfrage_fd, &befehl, 1);
    if (!lesen_genau(antwort_fd, &ende, sizeof ende)) harness_fehler("Server antwortet nicht");
    int wstatus = ende.wstatus;
    abdeckung_uebernehmen();

    kindergebnis ergebnis;
    ergebnis.ausgabe = inhalt(ausgabe_fd);
    ergebnis.fehlertext = inhalt(fehler_fd);
    const char *befund = nullptr;
    char grund[128];
    if (WIFSIGNALED(wstatus)) {
        int signal = WTERMSIG(wstatus);
        std::snprintf(grund, sizeof grund, "Kind durch Signal %d (%s) beendet%s", signal,
                      strsignal(signal), signal == SIGALRM ? ": Zeitlimit ueberschritten" : "");
        befund = grund;
    } else {
        ergebnis.status = WEXITSTATUS(wstatus);
        if (ergebnis.status == BEFUND_STATUS) {
            befund = "das Kind meldet einen Befund (siehe oben)";
        } else if (ergebnis.status != 0 && ergebnis.status != 1) {
            std::snprintf(grund, sizeof grund, "Exit-Status %d statt 0 oder 1", ergebnis.status);
            befund = grund;
        } else if (ergebnis.status == 1 && ergebnis.fehlertext.empty()) {
            befund = "Exit-Status 1 ohne Meldung";
        } else if (ende.speicher_kb > GROESSTER_SPEICHER_KB) {
            std::snprintf(grund, sizeof grund, "%ld MB belegt", ende.speicher_kb / 1024);
            befund = grund;
        }
    }
    if (befund != nullptr) befund_melden(befund, ergebnis);
    return ergebnis;
}

void befund_melden(const char *grund, const kindergebnis &ergebnis) {
    std::fprintf(stderr,
                 "fuzz: BEFUND: %s\n--- stdout des Kindes ---\n%s\n--- stderr des Kindes ---\n%s\n"
                 "---\n",
                 grund, ergebnis.ausgabe.substr(0, 4000).c_str(),
                 ergebnis.fehlertext.substr(0, 4000).c_str());
    std::abort();
}

// The server is forked here, after every static initialiser of the library
// and before libFuzzer has filled its tables.
int main(int argc, char **argv) {
    server_starten();
    return LLVMFuzzerRunDriver(&argc, &argv, LLVMFuzzerTestOneInput);
}
