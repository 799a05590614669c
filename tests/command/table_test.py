"""Tables through the built program, read back by second readers: Python's
csv module must find every input cell unchanged and each row's results in
that row, and xmllint must find the KML and GPX files valid against their
schemas (schemas/, see the README there), with a place for every converted
row.

Usage: table_test.py PROGRAM SCHEMA_DIRECTORY
"""
import csv
import io
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

PROGRAM = None
SCHEMAS = None

# A list as genealogists keep it: places in East Prussia, Silesia and
# Pomerania, one with a semicolon inside a Wikipedia text, one quoted with
# a line break, one that fails in the middle, Polish names that
# Windows-1252 can't hold.
ROWS = [
    ["Ort", "Kreis", "Koordinaten"],
    ["Allenstein", "Allenstein", "53°46′42″ N, 20°28′45″ O"],
    ["Insterburg", "Insterburg", "54° 38′ N, 21° 49′ O"],
    ["Königsberg", "Königsberg\n(Pr.)", "… / 54.7104; 20.4522"],
    ["Breslau / Wrocław", "Breslau", "51°06′36″ N, 17°01′57″ E"],
    ["Nirgendwo", "", "unbekannt"],
    ["Stargard", "Saatzig", "53.3364, 15.0500"],
    ["Groß Strehlitz", "Groß Strehlitz", "50.5333 N 18.3000 E"],
    ["Łódź \"Lodsch\"", "", "51.7769 N 19.4547 E"],
]


def table_text(delimiter):
    out = io.StringIO(newline="")
    csv.writer(out, delimiter=delimiter, lineterminator="\r\n").writerows(ROWS)
    return out.getvalue()


def encodable(row):
    try:
        ";".join(row).encode("cp1252")
        return True
    except UnicodeEncodeError:
        return False


def run(*arguments, data):
    done = subprocess.run([PROGRAM, "--convert", *arguments, "-"], input=data, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, env={"LC_ALL": "C"}, check=False)
    return done.returncode, done.stdout, done.stderr.decode("utf-8")


def single(place):
    """The program's result for one place alone, as one-notation-per-line CSV."""
    done = subprocess.run([PROGRAM, "--convert", "--csv"], input=place.encode("utf-8"), stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, env={"LC_ALL": "C"}, check=False)
    return list(csv.reader(io.StringIO(done.stdout.decode("utf-8"), newline="")))[1]


class RoundTrip(unittest.TestCase):
    def check(self, rows, delimiter_of_results):
        header_width = len(ROWS[0])
        self.assertEqual(len(rows), len(ROWS))
        for number, (given, row) in enumerate(zip(ROWS, rows), start=1):
            with self.subTest(row=number):
                self.assertEqual(row[:len(given)], given)
                self.assertEqual(row[len(given):header_width], [""] * (header_width - len(given)))
                if number == 1:
                    self.assertEqual(row[header_width], "latitude" if delimiter_of_results == "," else "Breite (WGS 84)")
                    self.assertEqual(row[-1], "note" if delimiter_of_results == "," else "Hinweis")
                    continue
                expected = single(given[2])
                if delimiter_of_results == ";":
                    expected = [cell.replace(".", ",") if column < 5 else cell
                                for column, cell in enumerate(expected)]
                # The last column is the note: why a row failed, empty for a good one.
                self.assertEqual(row[header_width:-1], expected)
                self.assertEqual(row[-1] != "", expected[0] == "", row[-1])
        # The failing row in the middle: its cells stay, its results are empty.
        self.assertTrue(all(cell == "" for cell in rows[5][header_width:-1]))
        self.assertEqual(rows[5][-1], "keine lesbaren Koordinaten in dieser Zeile")
        self.assertTrue(rows[6][header_width].startswith("53"))

    def test_plain_table_from_commas(self):
        status, out, err = run("--column=Koordinaten", data=table_text(",").encode("utf-8"))
        self.assertEqual(status, 1)
        self.assertIn("Zeile 6: „unbekannt“", err)
        self.assertIn("gelesen als UTF-8", err)
        self.check(list(csv.reader(io.StringIO(out.decode("utf-8"), newline=""))), ",")

    def test_german_table_from_semicolons_with_a_byte_order_mark(self):
        status, out, err = run("--spalte=3", data=b"\xef\xbb\xbf" + table_text(";").encode("utf-8"))
        self.assertEqual(status, 1)
        self.assertIn("gelesen als UTF-8 mit Byte-Order-Mark", err)
        self.assertTrue(out.startswith(b"\xef\xbb\xbf"))
        self.check(list(csv.reader(io.StringIO(out.decode("utf-8-sig"), newline=""), delimiter=";")), ";")

    def test_tabs_give_the_plain_table(self):
        status, out, _ = run("--column=3", data=table_text("\t").encode("utf-8"))
        self.assertEqual(status, 1)
        self.check(list(csv.reader(io.StringIO(out.decode("utf-8"), newline=""))), ",")


class MapFiles(unittest.TestCase):
    def validate(self, text, schema):
        with tempfile.NamedTemporaryFile(suffix=".xml") as file:
            file.write(text)
            file.flush()
            done = subprocess.run(["xmllint", "--noout", "--schema", os.path.join(SCHEMAS, schema), file.name],
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
            self.assertEqual(done.returncode, 0, done.stderr.decode("utf-8"))

    def converted(self, rows=ROWS):
        """Name, latitude and longitude of every row that converts."""
        places = []
        for given in rows[1:]:
            result = single(given[2])
            if result[0]:
                places.append((given[0], result[0], result[1]))
        return places

    def test_kml(self):
        # Windows-1252 holds neither "Łódź" nor the primes: those rows are left out of this file.
        rows = [row for row in ROWS if encodable(row)]
        out = io.StringIO(newline="")
        csv.writer(out, delimiter=";", lineterminator="\r\n").writerows(rows)
        status, kml, err = run("--column=Koordinaten", "--name=Ort", "--kml", data=out.getvalue().encode("cp1252"))
        self.assertEqual(status, 1)
        self.assertIn("gelesen als Windows-1252", err)
        self.validate(kml, "ogckml22.xsd")
        ns = {"k": "http://www.opengis.net/kml/2.2"}
        marks = ElementTree.fromstring(kml).findall(".//k:Placemark", ns)
        found = [(m.find("k:name", ns).text, m.find(".//k:coordinates", ns).text) for m in marks]
        expected = [(name, f"{lon},{lat}") for name, lat, lon in self.converted(rows)]
        self.assertEqual(found, expected)

    def test_gpx(self):
        status, gpx, _ = run("--column=Koordinaten", "--name=Ort", "--gpx", data=table_text(";").encode("utf-8"))
        self.assertEqual(status, 1)
        self.validate(gpx, "Topografix_gpx11.xsd")
        ns = {"g": "http://www.topografix.com/GPX/1/1"}
        points = ElementTree.fromstring(gpx).findall("g:wpt", ns)
        found = [(p.find("g:name", ns).text, p.get("lat"), p.get("lon")) for p in points]
        self.assertEqual(found, self.converted())
        for point in points:
            self.assertIn("liegt bei", point.find("g:desc", ns).text)

    def test_control_characters_and_the_date_line(self):
        # A vertical tab pasted into a name, which XML 1.0 has no place for,
        # and a place on the 180th meridian, which GPX takes as -180 only.
        rows = [["Ort", "Koordinaten"], ["Memel\vSüd", "55.7 N 21.1 E"], ["Taveuni", "16.85 S 180 E"]]
        out = io.StringIO(newline="")
        csv.writer(out, delimiter=";", lineterminator="\r\n").writerows(rows)
        for option, schema, ns, place in (
                ("--kml", "ogckml22.xsd", {"x": "http://www.opengis.net/kml/2.2"}, ".//x:Placemark"),
                ("--gpx", "Topografix_gpx11.xsd", {"x": "http://www.topografix.com/GPX/1/1"}, "x:wpt")):
            with self.subTest(option):
                _, text, _ = run("--column=Koordinaten", "--name=Ort", option, data=out.getvalue().encode("utf-8"))
                self.validate(text, schema)
                places = ElementTree.fromstring(text).findall(place, ns)
                self.assertEqual([p.find("x:name", ns).text for p in places], ["Memel Süd", "Taveuni"])


if __name__ == "__main__":
    PROGRAM, SCHEMAS = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
