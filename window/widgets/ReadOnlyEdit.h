#pragma once
// A one-line text the user can select and copy but not change: the location
// text.  QLineEdit's read-only mode stops typing and pasting, yet still tells
// the platform's input method that it takes text and inserts what the input
// method commits (a composed character, a word from an IME); this one does
// neither.

#include <QLineEdit>

namespace zelv {

class TReadOnlyEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TReadOnlyEdit(const QString& text, QWidget* parent = nullptr);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
};

} // namespace zelv
