#pragma once
// A framed group of radio buttons laid out in columns, one of which (or none)
// is marked.  The group is one stop of the Tab key: it enters at the marked
// button (the first when none is), and the arrow keys move the mark.

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QRadioButton;

namespace zelv {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
    // Read and written by name by the settings store.
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE setItemIndex)

public:
    // One radio button per item, filled into `columns` columns row by row.
    explicit TRadioGroup(const QStringList& items, int columns, QWidget* parent = nullptr);

    // The marked item: -1 for none, else 0..count-1.
    int ItemIndex() const { return itemIndex_; }
    // Clamped into -1..count-1.  A new index other than -1 marks its button
    // and raises OnClick, like a click on it; -1 only clears the mark.  The
    // index the group already has changes nothing.
    void setItemIndex(int index);

    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const { return buttons_.at(index); }

signals:
    // The selection changed, by the user or through setItemIndex.
    void OnClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buttonToggled(int index, bool checked);
    void updateTabStop();
    void layoutButtons();

    QList<QRadioButton*> buttons_;
    int columns_;
    int itemIndex_ = -1;
};

} // namespace zelv
