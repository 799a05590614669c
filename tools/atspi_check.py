"""Asks the running window through AT-SPI what a screen reader hears of the
numeric fields and the zone field; prints each answer and exits 1 on the
first that is wrong.  Started by atspi-check.sh."""

import sys
import time

import pyatspi

failures = []


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

for name, shown in [("Länge, Dezimalgrad", "0,000000"), ("Breite, Grad", "0"), ("UTM Rechtswert", "")]:
    field = find(app, name)
    check(f"{name}: role", field.getRoleName(), "text")
    text = field.queryText()
    check(f"{name}: text", text.getText(0, text.characterCount), shown)
    check(f"{name}: editable", field.getState().contains(pyatspi.STATE_EDITABLE), True)

zone = find(app, "UTM-Zone")
check("UTM-Zone: role", zone.getRoleName(), "spin button")
value = zone.queryValue()
check("UTM-Zone: value", value.currentValue, 1.0)
check("UTM-Zone: minimum", value.minimumValue, 1.0)
check("UTM-Zone: maximum", value.maximumValue, 60.0)
text = zone.queryText()
check("UTM-Zone: text", text.getText(0, text.characterCount), "1")
# Set as a screen reader's user would: through the field's own clamp.
value.currentValue = 75
time.sleep(0.3)
check("UTM-Zone: value after setting 75", value.currentValue, 60.0)
check("UTM-Zone: text after setting 75", text.getText(0, text.characterCount), "60")

for name in ["multimap", "Anleitung"]:
    link = find(app, name)
    check(f"{name}: role", link.getRoleName(), "link")
    check(f"{name}: focusable", link.getState().contains(pyatspi.STATE_FOCUSABLE), True)

sys.exit(1 if failures else 0)
