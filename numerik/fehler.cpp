#include "fehler.h"

#include <cstdarg>
#include <cstdio>
#include <unistd.h>

namespace {
// A fatal error ends the process at once: whatever the layers above still
// hold is given back by the operating system.  Every stream is flushed, so
// output written before the failure is complete, and then the process ends
// without running exit handlers, which would otherwise report the objects
// still held on the way down as leaks.
[[noreturn]] void beenden() {
    std::fflush(nullptr);
    _exit(1);
}
} // namespace

void fehler(const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    beenden();
}

void still_beenden() {
    beenden();
}

void warnung(const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}
