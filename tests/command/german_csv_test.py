"""The batch mode's CSV for German spreadsheets, read back as a spreadsheet
would read it: Python's csv module with ";" as the delimiter must find, cell
for cell, the columns of the plain CSV with decimal commas in the numbers.

Usage: german_csv_test.py PROGRAM
"""
import csv
import io
import subprocess
import sys
import unittest

PROGRAM = None

# Places in both hemispheres, a UTM text, a line with quotes and semicolons
# but no coordinates, an empty line, a longitude without UTM zone, and a
# Messtischblatt number whose sheet has two names.
LINES = [
    "13.405 Ost, 52.52 Nord",
    "−33˚ 55′ 12,5″, 18º 25’ 26”",
    "32U 625712 5586252",
    'Ort "Am Markt"; keine Koordinaten',
    "",
    "200 Ost, 52 Nord",
    "geo:-0.5,-70.25",
    "Meßtischblatt 6417/1",
]
NUMERIC_COLUMNS = range(5)  # all but the location text


def run(*options):
    done = subprocess.run([PROGRAM, "--convert", *options], input="\n".join(LINES).encode("utf-8"),
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, env={"LC_ALL": "C"}, check=False)
    return done.returncode, done.stdout


class GermanCsv(unittest.TestCase):
    def test_reads_back_cell_for_cell(self):
        status, german = run("--csv=de")
        plain_status, plain = run("--csv")
        self.assertEqual(status, 1)  # the line without coordinates and the one without UTM
        self.assertEqual(plain_status, 1)

        self.assertTrue(german.startswith(b"\xef\xbb\xbf"), german[:10])
        rows = list(csv.reader(io.StringIO(german.decode("utf-8-sig"), newline=""), delimiter=";"))
        plain_rows = list(csv.reader(io.StringIO(plain.decode("utf-8"), newline=""), delimiter=","))

        self.assertEqual(rows[0], ["Breite", "Länge", "UTM-Zone", "UTM-Rechtswert", "UTM-Hochwert", "Ortsangabe", "TK25",
                                   "TK25-Name"])
        self.assertEqual(len(rows), len(LINES) + 1)
        self.assertEqual(len(plain_rows), len(rows))
        for line, row, plain_row in zip(LINES, rows[1:], plain_rows[1:]):
            with self.subTest(line=line):
                self.assertEqual(len(row), 8, row)
                expected = [cell.replace(".", ",") if column in NUMERIC_COLUMNS else cell
                            for column, cell in enumerate(plain_row)]
                self.assertEqual(row, expected)

        # A few cells as a reader of the sheet sees them.
        self.assertEqual(rows[1], ["52,520000", "13,405000", "33", "391779", "5820072",
                                   "liegt bei 52.52000°N 13.40500°O;", "3446/3", "Berlin"])
        self.assertEqual(rows[2][:2], ["-33,920139", "18,423889"])
        self.assertEqual(rows[2][4], "-3756290")
        self.assertEqual(rows[4], [""] * 8)
        self.assertEqual(rows[6][2:5], ["", "", ""])
        self.assertEqual(rows[8][6:], ["6417/1", "Käfertal / Viernheim"])
        self.assertEqual(rows[7][:2], ["-0,500000", "-70,250000"])
        self.assertEqual(rows[7][5], "liegt bei 0.50000°S 70.25000°W;")

    def test_every_number_cell_reads_as_a_german_number(self):
        _, german = run("--csv=de")
        rows = list(csv.reader(io.StringIO(german.decode("utf-8-sig"), newline=""), delimiter=";"))
        for row in rows[1:]:
            for cell in row[:5]:
                if cell:
                    self.assertNotIn(".", cell, row)
                    float(cell.replace(",", "."))


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
