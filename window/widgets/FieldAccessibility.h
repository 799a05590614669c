#pragma once
// What assistive technology learns of the two kinds of entry field.
//
// A numeric field is an editable text whose text is the one it shows: the
// value painted with its display format while it does not have the focus
// (0,000000 for an empty edit text), the edit text while it is edited.
// The zone field is a spin box with its value, minimum, maximum and step,
// and its digits as text.

namespace zelv {

// Registers the interfaces with Qt's accessibility once; each field calls it
// before anyone can ask for its interface.
void installFieldAccessibility();

} // namespace zelv
