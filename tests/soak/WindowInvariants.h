#pragma once
// What must hold of the main window whatever the user did.  The checks
// observe only: they never read a numeric field's Value, which would commit
// its edit text, but parse the texts the field shows.  Controls are found by
// type, so a control added to the window is checked without a change here.

#include "NumberText.h"
#include "SoakHarness.h"

#include <QString>
#include <vector>

class QWidget;

namespace zelv {
class TCoordinateTranslator;
class TCurrencyEdit;
class TF_Haupt;
} // namespace zelv

namespace zelv::soak {

// The number a field's text stands for, as the field reads it (group
// separators dropped, empty is 0).  False when it is no number.
bool readNumber(const QString& text, Separators separators, Extended& value);

// Whether the field's exit check would refuse its current edit text.
bool exitCheckRefuses(const TCurrencyEdit& field);

// True while the user is editing the control: it is its window's focus
// widget (also while the window is inactive).
bool isBeingEdited(const QWidget& control);

// Every numeric field: its stored value (seen in its shown text) lies within
// its range; a field that is not being edited holds its canonical edit text,
// a number within its range that agrees with the shown text.  Spin fields
// stay within their bounds, radio groups mark exactly their ItemIndex, and
// the Transverse Mercator fields have the form of the marked unit.  While
// neither decimal field is being edited, the location text is the design
// text or exactly what the decimal fields give.
void checkWindow(TF_Haupt& window, Faults& faults);

// The grids' values are marked stale exactly when they belong to a position
// other than the shown one: every field of a grid carries the mark (greyed
// text, "veraltet" described) or none does, and it does when the position
// the window says they belong to is not the one the decimal fields show.
// That position is checked on its own with `oracle`: the grid's values are
// what it converts to, or it is what they convert to.  Values that belong to
// no position (the user's input) carry no mark.  Nothing is checked while a
// decimal field is being edited, whose new position is not yet taken.
void checkGridMarks(TF_Haupt& window, TCoordinateTranslator& oracle, Faults& faults);

// The errors shown since the last check are messages the window is designed
// to show, each under its caption.
void checkMessages(const std::vector<SoakPresenter::Shown>& shown, const QString& applicationTitle,
                   Faults& faults);

// One stored property ("Component.Property" of the settings store) with its
// key in the settings file and its value.
struct StoredValue {
    QString key;
    bool integer = false;
    Extended value = 0;
    // A numeric field shows and reads back its value rounded to its
    // DecimalPlaces: half its last digit.
    Extended rounding = 0;
};

// The stored properties as the store would save them now.  Reading a
// numeric field's Value commits its edit text, as the save itself does.
std::vector<StoredValue> storedValues(TF_Haupt& window);

// After a close: the file holds the section with "FormVersion" and a key
// per stored property, each with the value the window had.
void checkSettingsFile(const QString& path, const QString& section, const std::vector<StoredValue>& expected,
                       Faults& faults);

// After a start: the window shows the stored values.
void checkStartShows(TF_Haupt& window, const std::vector<StoredValue>& expected, Faults& faults);

} // namespace zelv::soak
