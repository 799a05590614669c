#pragma once
// The mark of a field whose value belongs to an earlier position: its text is
// drawn greyed, and its accessible description begins with "veraltet", before
// the field's tooltip, so a screen reader says so too.

class QWidget;
class QString;

namespace zelv {

// What the description of a marked field begins with.
extern const char* const staleDescription;

void setStaleMark(QWidget& field, bool stale);
// Whether the field carries the mark, as a screen reader would learn it.
bool hasStaleMark(const QWidget& field);

} // namespace zelv
