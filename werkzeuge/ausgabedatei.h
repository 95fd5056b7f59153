// Output files that a run replaces only when it succeeds.  A regular file
// (or a new one; a symbolic link is followed to the file it names) is written
// into a temporary file .NAME.XXXXXX beside it, which ausgabedatei_schliessen
// renames over it once everything is written and the file closed: until then
// the file keeps its content, and a run that ends through the fatal path or
// by SIGINT, SIGTERM, SIGHUP, SIGPIPE or SIGXFSZ removes the temporary file.
// (A signal the caller has set to be ignored stays ignored.)  The file's
// mode, owner and group carry over; a new file gets the mode fopen gives it.
// Everything else is opened "wb" and written in place: devices, pipes, a name
// through /proc (/dev/stdout), a file with several hard links, a file whose
// owner or group cannot be carried over, and a file in a directory where no
// temporary file can be made.
#ifndef WERKZEUGE_AUSGABEDATEI_H
#define WERKZEUGE_AUSGABEDATEI_H

#include <csignal>
#include <cstdio>
#include <sys/types.h>

// Opens name for writing as above.  Never null: a file that cannot be opened
// ends through the fatal path with "Oeffnen der Datei %s fehlgeschlagen.".
FILE *ausgabedatei_oeffnen(const char *name);

// Closes a stream of ausgabedatei_oeffnen.  A temporary file takes the place
// of its target unless verwerfen is set or the close or the rename fails;
// then it is removed and the target stays as it was.  True when the target
// now holds everything written (never with verwerfen).
bool ausgabedatei_schliessen(FILE *aus, bool verwerfen);

// A temporary file for name as ausgabedatei_oeffnen makes it, for another
// process to write into by its name (ausgabedatei_zwischenname); null where
// no temporary file can be had and the target would be written in place.
// Closed with ausgabedatei_schliessen: the rename then puts what the other
// process wrote in the target's place.
FILE *ausgabedatei_ersatz_oeffnen(const char *name);

// The temporary file's name of a stream of ausgabedatei_oeffnen or
// ausgabedatei_ersatz_oeffnen, or null for a target written in place.
const char *ausgabedatei_zwischenname(FILE *aus);

// Blocks the signals above for its lifetime; a child started under it
// takes the old mask from alt().
class abbruchsperre {
  public:
    abbruchsperre();
    ~abbruchsperre();
    abbruchsperre(const abbruchsperre &) = delete;
    abbruchsperre &operator=(const abbruchsperre &) = delete;
    const sigset_t &alt() const { return alt_; }

  private:
    sigset_t alt_;
};

// The child process (the leader of its own process group) that a signal
// above ends, and waits for, before the temporary files are removed and the
// program dies: its group gets SIGTERM, and SIGKILL after half a second.
// 0 for none.  Called with the signals blocked (abbruchsperre), so that no
// signal comes between the start of a child and this.
void ausgabedatei_kind_setzen(pid_t prozess);

#endif
