// Runs each fuzz input in a child process.
//
// Every failure of the library ends the process (fehler: message, _exit(1)),
// so the code under test cannot run inside the fuzzer's own process.  Each
// input runs in a child instead, and the parent accepts exactly two ways for
// it to end: exit status 0, and exit status 1 with a message on standard
// error.  Anything else (a signal, a sanitizer report, a hang, another
// status, a leak after a successful run) aborts the parent, so that libFuzzer
// records the input as a crash.
//
// The children are forked by a small server that main forks before libFuzzer
// starts: a process that small forks several times faster than the fuzzer
// itself.  The child's edge counters are copied into shared memory before it
// ends and merged into the parent's, so libFuzzer is guided by what the child
// executed.
#ifndef FUZZ_KIND_H
#define FUZZ_KIND_H

#include <cstddef>
#include <cstdint>
#include <string>

struct kindergebnis {
    int status = 0;         // exit status of the child: 0 or 1
    std::string ausgabe;    // what it wrote to standard output
    std::string fehlertext; // what it wrote to standard error
};

// Defined by each target: the child's work on one input, returning the exit
// status.  It may also end through the library's fatal path or exit.
int kind_arbeit(const uint8_t *daten, std::size_t groesse);

// Runs kind_arbeit(daten, groesse) in a child whose standard input holds
// eingabe and whose working directory is a private, empty directory.
// Returns only when the child ended acceptably.
kindergebnis im_kind_ausfuehren(const uint8_t *daten, std::size_t groesse,
                                const std::string &eingabe);

// The private directory the children run in; after a run it still holds
// what the child left there.
const char *kind_verzeichnis();

// In the child: flushes every stream, checks for leaks when the status is 0,
// hands the coverage to the parent and exits with the status.
[[noreturn]] void kind_beenden(int status);

// In the child: ends the run as a finding, with the reason.
[[noreturn]] void kind_befund(const char *grund);

// In the parent: reports a finding about the child's run (its output is
// shown) and aborts.
[[noreturn]] void befund_melden(const char *grund, const kindergebnis &ergebnis);

#endif
