#pragma once
// A shown, active window with two numeric fields and a button, for driving
// TCurrencyEdit with real key and mouse events under either locale.

#include "CurrEdit.h"
#include "WindowTestDoubles.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace zelv::testing {

using window_fakes::RecordingPresenter;

// Counts the refusal beeps instead of sounding them.
class CountingEdit final : public TCurrencyEdit {
public:
    using TCurrencyEdit::TCurrencyEdit;
    int beeps = 0;

protected:
    void beep() override { ++beeps; }
};

// The configurations of the main window's fields that the tests use.
struct FieldConfig {
    unsigned decimalPlaces;
    const char* displayFormat;
    long double minValue;
    long double maxValue;
    bool formatOnEditing;
    int maxLength;
    bool keepsSignOfZero = false;
};

inline constexpr FieldConfig laengeConfig{6, ",0.000000", 0, 0, true, 0};          // CE_Laenge
inline constexpr FieldConfig gradConfig{0, ",0", -180, 180, true, 0, true};        // CE_Laenge_Grad
inline constexpr FieldConfig laengeMinutenConfig{0, "0", 0, 59, false, 2};         // CE_Laenge_Minuten
inline constexpr FieldConfig breiteMinutenConfig{0, ",0", 0, 59, true, 0};         // CE_Breite_Minuten
inline constexpr FieldConfig sekundenConfig{1, ",0.0", 0, 59.9L, true, 0};         // CE_Laenge_Sekunden
inline constexpr FieldConfig rechtsConfig{0, "########", 0, 0, true, 0};           // CE_Rechts
inline constexpr FieldConfig tmercKmConfig{3, "#0.000", 0, 0, true, 0};            // CE_TMERC_Rechts in km

inline void configure(TCurrencyEdit& field, const FieldConfig& config)
{
    field.setCheckOnExit(true);
    field.setDecimalPlaces(config.decimalPlaces);
    field.setDisplayFormat(QString::fromLatin1(config.displayFormat));
    field.setMinValue(config.minValue);
    field.setMaxValue(config.maxValue);
    field.setFormatOnEditing(config.formatOnEditing);
    field.setMaxLength(config.maxLength);
    field.setKeepsSignOfZero(config.keepsSignOfZero);
}

inline std::string localeName(Separators separators)
{
    return separators.decimal == ',' ? "German" : "Point";
}

class CurrEditFixture : public ::testing::TestWithParam<Separators> {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        field = new CountingEdit(GetParam(), window.get());
        other = new CountingEdit(GetParam(), window.get());
        button = new QPushButton(QStringLiteral("Umrechnen"), window.get());
        layout->addWidget(field);
        layout->addWidget(other);
        layout->addWidget(button);
        for (TCurrencyEdit* f : {static_cast<TCurrencyEdit*>(field), static_cast<TCurrencyEdit*>(other)})
            f->setExceptionHandler(&handler);
        QObject::connect(field, &TCustomNumEdit::OnEnter, [this] { events.push_back("enter"); });
        QObject::connect(field, &TCustomNumEdit::OnExit, [this] { events.push_back("exit"); });
        QObject::connect(field, &TCustomNumEdit::OnChange, [this] { ++changes; });
        QObject::connect(other, &TCustomNumEdit::OnEnter, [this] { events.push_back("other enter"); });
        QObject::connect(button, &QPushButton::clicked, [this] { events.push_back("click"); });
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // The window gives its first field the focus; tests start outside it.
        button->setFocus();
        events.clear();
    }

    void TearDown() override { window.reset(); }

    // A text written for the German locale, in the locale under test.
    QString loc(const char* german) const
    {
        QString text = QString::fromUtf8(german);
        if (GetParam().decimal == ',')
            return text;
        for (QChar& c : text)
            c = c == u',' ? u'.' : c == u'.' ? u',' : c;
        return text;
    }

    // Entering by keyboard, as Tab would.
    void enterByKeyboard(TCurrencyEdit* f) { f->setFocus(Qt::TabFocusReason); }

    int count(const char* event) const
    {
        return int(std::count(events.begin(), events.end(), std::string(event)));
    }

    // A mouse click as the window system delivers it: to the window, at the
    // widget's place.
    void clickThroughWindow(QWidget* target)
    {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(window.get(), target->rect().center()));
    }

    RecordingPresenter presenter;
    ExceptionHandler handler{presenter, QStringLiteral("ZELV-Derarar")};
    std::unique_ptr<QWidget> window;
    CountingEdit* field = nullptr;
    CountingEdit* other = nullptr;
    QPushButton* button = nullptr;
    std::vector<std::string> events;
    int changes = 0;
};

} // namespace zelv::testing
