#include "FieldAccessibility.h"

#include "CurrEdit.h"
#include "ElSpinEdit.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace zelv {

namespace {

// An edit box whose text for assistive technology is `shownText()`, with the
// caret and selection of the edit box while that shows the same text.
class LineTextInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    LineTextInterface(QLineEdit* edit, QAccessible::Role role) : QAccessibleWidget(edit, role) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return shownText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !edit()->isReadOnly();
        state.readOnly = edit()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    // ---- QAccessibleTextInterface ----
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !editing() || !edit()->hasSelectedText())
            return;
        *startOffset = edit()->selectionStart();
        *endOffset = *startOffset + int(edit()->selectedText().size());
    }
    int selectionCount() const override { return editing() && edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0 && editing())
            edit()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0 && editing())
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return editing() ? edit()->cursorPosition() : 0; }
    void setCursorPosition(int position) override
    {
        if (editing())
            edit()->setCursorPosition(position);
    }
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = shownText();
        if (startOffset < 0 || endOffset < startOffset || startOffset > all.size())
            return QString();
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(shownText().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

protected:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    // The caret and the selection mean something only where the edit text is
    // what shows.
    virtual bool editing() const { return true; }
    virtual QString shownText() const { return edit()->text(); }
};

class NumericFieldInterface : public LineTextInterface {
public:
    explicit NumericFieldInterface(TCustomNumEdit* field) : LineTextInterface(field, QAccessible::EditableText) {}

protected:
    TCustomNumEdit* field() const { return static_cast<TCustomNumEdit*>(widget()); }
    bool editing() const override { return field()->IsEditing(); }
    QString shownText() const override { return field()->DisplayedText(); }
};

class SpinFieldInterface : public LineTextInterface, public QAccessibleValueInterface {
public:
    explicit SpinFieldInterface(TElSpinEdit* field) : LineTextInterface(field, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return LineTextInterface::interface_cast(type);
    }

    QVariant currentValue() const override { return field()->Value(); }
    void setCurrentValue(const QVariant& value) override { field()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return field()->MaxValue(); }
    QVariant minimumValue() const override { return field()->MinValue(); }
    QVariant minimumStepSize() const override { return field()->Increment(); }

private:
    TElSpinEdit* field() const { return static_cast<TElSpinEdit*>(widget()); }
};

QAccessibleInterface* fieldInterface(const QString&, QObject* object)
{
    if (auto* numeric = qobject_cast<TCustomNumEdit*>(object))
        return new NumericFieldInterface(numeric);
    if (auto* spin = qobject_cast<TElSpinEdit*>(object))
        return new SpinFieldInterface(spin);
    return nullptr;
}

} // namespace

void installFieldAccessibility()
{
    static const bool installed = (QAccessible::installFactory(fieldInterface), true);
    Q_UNUSED(installed);
}

} // namespace zelv
