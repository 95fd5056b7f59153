"""Runs a notebook headless, cell by cell, in a temporary folder (the
files it writes stay out of the project); exits 1 when a cell fails."""

import os
import sys
import tempfile

import nbformat
from nbclient import NotebookClient
from nbclient.exceptions import CellExecutionError


def main(pfad):
    # Quiet about the debugger that the kernel brings along.
    os.environ.setdefault("PYDEVD_DISABLE_FILE_VALIDATION", "1")
    notizbuch = nbformat.read(pfad, as_version=4)
    with tempfile.TemporaryDirectory() as ordner:
        client = NotebookClient(notizbuch, timeout=240, kernel_name="python3",
                                resources={"metadata": {"path": ordner}})
        try:
            client.execute()
        except CellExecutionError as fehler:
            print(f"Zelle fehlgeschlagen in {pfad}:\n{fehler}", file=sys.stderr)
            return 1
    zellen = sum(1 for z in notizbuch.cells if z.cell_type == "code")
    print(f"{pfad}: {zellen} Codezellen ohne Fehler ausgefuehrt")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
