#pragma once
// The main window, shown and active, in a program directory of its own, for
// driving its handlers with real clicks and key presses under either
// locale's separators.

#include "Clipboard.h"
#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "F_HauptU.h"
#include "ProgramDirectory.h"
#include "RadioGroup.h"
#include "WindowTestDoubles.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace zelv::window_fakes {

class HandlerWindowTest : public ::testing::Test {
protected:
    // withGrid: whether nad/ holds the BeTA2007 grid beside proj_def.dat.
    explicit HandlerWindowTest(Separators separators = germanSeparators, bool withNad = true, bool withGrid = true)
        : separators_(separators), program_(withNad, withGrid)
    {
    }

    // Created on first use, so that a test may choose another clipboard first.
    TF_Haupt& window()
    {
        if (!window_) {
            window_ = std::make_unique<TF_Haupt>(MainWindowContext{
                .errorPresenter = presenter,
                .clipboard = *clipboardInUse,
                .separators = separators_,
                .executablePath = program_.executable(),
                .settingsDirectory = settings_.path(),
                .openUrl = [](const QUrl&) { return true; },
            });
            window_->show();
            window_->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        }
        return *window_;
    }

    // Clicks into the field, replaces its text by typing and leaves it with
    // Tab, which runs its exit check and its exit handler.
    void enter(TCurrencyEdit* field, const QString& text)
    {
        type(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }

    // The same without leaving: the next click or Tab leaves it.
    void type(QWidget* field, const QString& text)
    {
        window();
        QTest::mouseClick(field, Qt::LeftButton);
        EXPECT_TRUE(field->hasFocus()) << field->objectName().toStdString();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
        QTest::keyClicks(field, text);
    }

    // The same with Ctrl+V from the system clipboard, without leaving.
    void pasteInto(QLineEdit* field, const QString& text)
    {
        window();
        QGuiApplication::clipboard()->setText(text);
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }

    // Into the field and out again without typing.
    void passThrough(TCurrencyEdit* field)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_Tab);
    }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Out of the first field, whose exit handler would write the decimal
    // fields, then the clipboard's content and the clipboard button.
    void paste(const QString& text)
    {
        TF_Haupt& w = window();
        if (w.CE_Laenge_Grad->hasFocus())
            click(w.BitBtn_kopieren);
        clipboardInUse->setText(text);
        click(w.BitBtn_Koordinaten_aus_Zwischenablage);
    }

    // Ticks or unticks "nach ETRS89 (BeTA2007)" by a click.
    void setDatum(bool etrs89)
    {
        if (window().CB_TMERC_ETRS89->isChecked() != etrs89)
            click(window().CB_TMERC_ETRS89);
        ASSERT_EQ(window().CB_TMERC_ETRS89->isChecked(), etrs89);
    }

    // Every text a user sees in the window's fields, in one line for a
    // readable comparison.
    std::string snapshot()
    {
        QStringList texts;
        for (auto* field : window().findChildren<TCurrencyEdit*>(QString(), Qt::FindDirectChildrenOnly))
            texts << field->objectName() + u'=' + field->Text() + u'/' + field->ShownText();
        texts << QStringLiteral("ElSE_Zone=") + window().ElSE_Zone->text();
        texts << QStringLiteral("E_ZELV=") + window().E_ZELV->text();
        texts << QStringLiteral("E_TK25=") + window().E_TK25->text();
        texts << QStringLiteral("unit=%1").arg(window().RG_Eingabe_km_m->ItemIndex());
        return texts.join(u' ').toStdString();
    }

    static std::string str(const QString& text) { return text.toStdString(); }

    RecordingPresenter presenter;
    RecordingClipboard clipboard;
    Clipboard* clipboardInUse = &clipboard;

private:
    Separators separators_;
    ProgramDirectory program_;
    QTemporaryDir settings_;
    std::unique_ptr<TF_Haupt> window_;
};

} // namespace zelv::window_fakes
