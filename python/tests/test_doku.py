"""The examples of doku/python.md give what the page shows."""

import doctest
import os
import tempfile
import unittest

SEITE = os.path.join(os.path.dirname(__file__), "..", "..", "doku", "python.md")


class Doku(unittest.TestCase):
    def test_beispiele(self):
        alt = os.getcwd()
        with tempfile.TemporaryDirectory() as ordner:
            os.chdir(ordner)
            try:
                ergebnis = doctest.testfile(os.path.abspath(SEITE), module_relative=False,
                                            optionflags=doctest.ELLIPSIS)
            finally:
                os.chdir(alt)
        self.assertGreater(ergebnis.attempted, 5)
        self.assertEqual(ergebnis.failed, 0)


if __name__ == "__main__":
    unittest.main()
