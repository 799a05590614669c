#pragma once
// A key combination that presses a button from anywhere in its window, as a
// click would: the focus goes to the button first, so that a numeric field
// being left runs its check and exit handler before the button's handler;
// a field whose check fails keeps the focus, and the button is not pressed.
// Keys a field uses itself (Strg+V, Strg+C) stay the field's.

class QAbstractButton;
class QKeySequence;

namespace zelv {

void pressOnShortcut(QAbstractButton& button, const QKeySequence& keys);

} // namespace zelv
