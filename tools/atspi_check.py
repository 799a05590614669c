"""Asks the running window through AT-SPI what a screen reader hears of it:
every control's role, name, and text or value, in the window's order, then
the zone field's clamp and the links' focus.  Prints each answer and exits 1
when any is wrong.  Started by atspi-check.sh."""

import sys
import time

import pyatspi

failures = []

# What a screen reader finds in a freshly started window with no settings:
# (depth under the window, name, role, text, value).  None where the control
# has no text or value interface.
EXPECTED = [
    (0, 'Länge, Grad', 'text', '0', None),
    (0, 'Länge, Minuten', 'text', '0', None),
    (0, 'Länge, Sekunden', 'text', '0,0', None),
    (0, 'Breite, Grad', 'text', '0', None),
    (0, 'Breite, Minuten', 'text', '0', None),
    (0, 'Breite, Sekunden', 'text', '0,0', None),
    (0, 'Länge, Dezimalgrad', 'text', '0,000000', None),
    (0, 'Breite, Dezimalgrad', 'text', '0,000000', None),
    (0, 'Länge und Breite nach UTM umrechnen', 'push button', None, None),
    (0, 'UTM nach Länge und Breite umrechnen', 'push button', None, None),
    (0, 'UTM-Zone', 'spin button', '1', 1.0),
    (1, 'UTM-Zone erhöhen', 'push button', None, None),
    (1, 'UTM-Zone verringern', 'push button', None, None),
    (0, 'UTM Rechtswert', 'text', '', None),
    (0, 'UTM Hochwert', 'text', '', None),
    (0, 'ZELV-Ortsangabe', 'text', 'liegt bei', None),
    (0, 'ZELV-Ortsangabe kopieren', 'push button', None, None),
    (0, '', 'label', None, None),
    (0, 'Messtischblatt (TK25)', 'text', '', None),
    (0, '', 'label', None, None),
    (0, 'TMERC Bezugslänge, Grad', 'text', '0', None),
    (0, 'TMERC Bezugslänge, Minuten', 'text', '0', None),
    (0, 'TMERC Eingabe in km oder m', 'panel', None, None),
    (1, 'TMERC Eingabe in km', 'radio button', None, None),
    (1, 'TMERC Eingabe in m', 'radio button', None, None),
    (0, 'TMERC Länge und Breite in ETRS89 (BeTA2007)', 'check box', None, None),
    (0, '', 'label', None, None),
    (0, 'TMERC Bezugs-Rechtswert', 'text', '0,000', None),
    (0, 'TMERC Rechtswert', 'text', '0,000', None),
    (0, 'TMERC Hochwert', 'text', '0,000', None),
    (0, 'Länge und Breite nach TMERC umrechnen', 'push button', None, None),
    (0, 'TMERC nach Länge und Breite umrechnen', 'push button', None, None),
    (0, 'Koordinaten aus Zwischenablage holen und konvertieren', 'push button', None, None),
    (0, 'Grad / Minuten / Sekunden', 'label', None, None),
    (0, "Länge (in Grad, z.B. 10° 46' 9,9''):", 'label', None, None),
    (0, "Breite (in Grad, z.B. 50° 24' 53,4''):", 'label', None, None),
    (0, '°', 'label', None, None),
    (0, '°', 'label', None, None),
    (0, "'", 'label', None, None),
    (0, "'", 'label', None, None),
    (0, "''", 'label', None, None),
    (0, "''", 'label', None, None),
    (0, 'Dezimal', 'label', None, None),
    (0, 'Länge (in Dezimalgrad, z.B. 10,769430):', 'label', None, None),
    (0, 'Breite (in Dezimalgrad, z.B. 50,414840):', 'label', None, None),
    (0, 'ZELV', 'label', None, None),
    (0, 'UTM', 'label', None, None),
    (0, 'Zone:', 'label', None, None),
    (0, 'Rechts:', 'label', None, None),
    (0, 'Rechts:', 'label', None, None),
    (0, 'Hoch:', 'label', None, None),
    (0, 'Hoch:', 'label', None, None),
    (0, 'TMERC (für Quarnel-Landkarten)', 'label', None, None),
    (0, 'Bezugslänge:', 'label', None, None),
    (0, '°', 'label', None, None),
    (0, "'", 'label', None, None),
    (0, 'Eingabe:', 'label', None, None),
    (0, 'Bezugs R-Wert:', 'label', None, None),
    (0, '(z.B. 6525 oder 6525000):', 'label', None, None),
    (0, 'ZELV-Derarar', 'label', None, None),
    (0, 'Messtischblatt (TK25):', 'label', None, None),
    (0, 'multimap', 'link', None, None),
    (0, 'https://whgazetteer.org/', 'link', None, None),
    (0, 'Liste umrechnen', 'push button', None, None),
    (0, 'Anleitung', 'link', None, None),
]


def check(what, got, expected):
    ok = got == expected
    print(f"{'ok  ' if ok else 'FAIL'} {what}: {got!r}" + ("" if ok else f" (expected {expected!r})"))
    if not ok:
        failures.append(what)


def find_application(name, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and name.lower() in (app.name or "").lower():
                return app
        time.sleep(0.5)
    sys.exit(f"no application named like {name!r} on the accessibility bus")


def find(root, name):
    found = pyatspi.findDescendant(root, lambda a: a is not None and a.name == name)
    if found is None:
        sys.exit(f"no control named {name!r}")
    return found


app = find_application("zelv")
print(f"application: {app.name!r}")
# The window's controls are there once it is shown.
deadline = time.time() + 20
while pyatspi.findDescendant(app, lambda a: a is not None and a.name == "UTM-Zone") is None:
    if time.time() > deadline:
        sys.exit("the window's controls did not appear")
    time.sleep(0.5)



def text_of(accessible):
    try:
        text = accessible.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, text.characterCount)


def value_of(accessible):
    try:
        return accessible.queryValue().currentValue
    except NotImplementedError:
        return None


def tree(accessible, depth=0):
    for child in accessible:
        if child is None:
            continue
        yield (depth, child.name, child.getRoleName(), text_of(child), value_of(child))
        yield from tree(child, depth + 1)


window = app[0]
check("window: name and role", (window.name, window.getRoleName()), ("ZELV-Derarar", "filler"))
found = list(tree(window))
for i in range(max(len(found), len(EXPECTED))):
    got = found[i] if i < len(found) else None
    expected = EXPECTED[i] if i < len(EXPECTED) else None
    what = f"control {i + 1} ({(expected or got)[1] or (expected or got)[2]})"
    check(what, got, expected)

for name in ["Länge, Dezimalgrad", "Breite, Grad", "UTM Rechtswert"]:
    check(f"{name}: editable", find(app, name).getState().contains(pyatspi.STATE_EDITABLE), True)

zone = find(app, "UTM-Zone")
value = zone.queryValue()
check("UTM-Zone: minimum", value.minimumValue, 1.0)
check("UTM-Zone: maximum", value.maximumValue, 60.0)
text = zone.queryText()
# Set as a screen reader's user would: through the field's own clamp.
value.currentValue = 75
time.sleep(0.3)
check("UTM-Zone: value after setting 75", value.currentValue, 60.0)
check("UTM-Zone: text after setting 75", text.getText(0, text.characterCount), "60")

for name in ["multimap", "Anleitung"]:
    link = find(app, name)
    check(f"{name}: focusable", link.getState().contains(pyatspi.STATE_FOCUSABLE), True)

sys.exit(1 if failures else 0)
