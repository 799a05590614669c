#pragma once
// A small stand-in for the main window and its stored controls, for the
// settings store's tests.  The controls clamp like the real ones and the
// radio group runs the unit switch when its index changes.

#include "ErrorPresenter.h"
#include "NumberText.h"
#include "Placemnt.h"
#include "WindowTestDoubles.h"

#include <QCloseEvent>
#include <QObject>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace settings_test {

using zelv::Extended;
using zelv::window_fakes::RecordingPresenter;

// A numeric field: an extended Value, clamped to min..max unless both are 0.
class NumberField : public QObject {
    Q_OBJECT
    Q_PROPERTY(long double Value READ Value WRITE setValue)
public:
    NumberField(const QString& name, QObject* parent, Extended min = 0, Extended max = 0)
        : QObject(parent), min_(min), max_(max)
    {
        setObjectName(name);
    }
    Extended Value() const { return value_; }
    void setValue(Extended value)
    {
        if (min_ != 0 || max_ != 0)
            value = std::clamp(value, min_, max_);
        value_ = value;
    }

private:
    Extended min_;
    Extended max_;
    Extended value_ = 0;
};

// The zone spin field: 1 to 60.
class SpinField : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
public:
    SpinField(const QString& name, QObject* parent) : QObject(parent) { setObjectName(name); }
    int Value() const { return value_; }
    void setValue(int value) { value_ = std::clamp(value, 1, 60); }

private:
    int value_ = 1;
};

// The km/m radio group: -1 to 1; a new index other than -1 is a click.
class RadioGroup : public QObject {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE setItemIndex)
public:
    RadioGroup(const QString& name, QObject* parent) : QObject(parent) { setObjectName(name); }
    int ItemIndex() const { return index_; }
    void setItemIndex(int index)
    {
        index = std::clamp(index, -1, 1);
        if (index == index_)
            return;
        index_ = index;
        if (index != -1 && onClick)
            onClick();
    }
    std::function<void()> onClick;

private:
    int index_ = 0;
};

inline const QStringList mainWindowEntries{
    "CE_TMERC_Laenge_Grad.Value", "CE_TMERC_Laenge_Minuten.Value", "CE_TMERC_BezugsRechts.Value",
    "ElSE_Zone.Value", "RG_Eingabe_km_m.ItemIndex"};

// The window as the store sees it.  Its class name, without the namespace,
// is the section.
class TF_Haupt : public QWidget {
    Q_OBJECT
public:
    TF_Haupt(zelv::ExceptionHandler& errors, const QString& settingsDirectory,
             zelv::Separators separators = zelv::germanSeparators)
        : errors_(errors)
    {
        grad = new NumberField("CE_TMERC_Laenge_Grad", this, -180, 180);
        minuten = new NumberField("CE_TMERC_Laenge_Minuten", this, 0, 59.999);
        bezugsRechts = new NumberField("CE_TMERC_BezugsRechts", this);
        rechts = new NumberField("CE_TMERC_Rechts", this);
        hoch = new NumberField("CE_TMERC_Hoch", this);
        zone = new SpinField("ElSE_Zone", this);
        unit = new RadioGroup("RG_Eingabe_km_m", this);
        unit->onClick = [this] { unitSwitch(); };
        storage = new zelv::TFormStorage(this, errors, separators, "/opt/zelv/ZELV_Derarar",
                                         settingsDirectory);
        storage->setObjectName("FormStorage1");
        storage->setStoredProps(mainWindowEntries);
        storage->loaded();
    }
    ~TF_Haupt() override { storage->ownerDestroying(); }

    // Every index but 0 counts as "m".
    void unitSwitch()
    {
        ++unitSwitches;
        const Extended factor = unit->ItemIndex() != 0 ? 1000 : Extended{0.001L};
        for (NumberField* field : {bezugsRechts, rechts, hoch})
            field->setValue(field->Value() * factor);
    }

    NumberField* grad;
    NumberField* minuten;
    NumberField* bezugsRechts;
    NumberField* rechts;
    NumberField* hoch;
    SpinField* zone;
    RadioGroup* unit;
    zelv::TFormStorage* storage;
    int unitSwitches = 0;
    std::function<void()> onShow; // runs in the window's own showEvent
    std::function<void()> onClose; // runs in closeEvent, before its save

protected:
    void showEvent(QShowEvent* event) override
    {
        if (onShow)
            onShow();
        QWidget::showEvent(event);
    }
    // The close handler saves once more, catching what fails.
    void closeEvent(QCloseEvent* event) override
    {
        if (onClose)
            onClose();
        errors_.guard([this] { storage->SaveSettings(); });
        event->accept();
    }

private:
    zelv::ExceptionHandler& errors_;
};

} // namespace settings_test
