#pragma once
// The numeric entry field: a one-line edit box that holds an 80-bit value.
//
// It keeps two texts apart.  The edit text (QLineEdit's text, returned by
// Text()) is what the user edits and what Value() reads the number from; the
// shown text is painted from the stored value with DisplayFormat while the
// field does not have the focus.  The rules that turn texts into values and
// back are NumericFieldModel's; this class holds the edit box's events and
// the painting, and reaches the rules through the overridable steps below.
// The locale's separators are given at construction and never read from the
// environment here.
//
// Enter applies the typed text as leaving would (the exit check, then OnExit)
// and keeps the focus; a refused text keeps its message and the focus as on
// Tab.
//
// Leaving the field runs the exit check first.  Qt cannot veto a focus-out,
// so the check runs before the focus moves wherever Qt lets us see the move
// coming: Tab and Shift+Tab here, a mouse press or wheel on another widget of
// the window through the FieldExitGuard.  A failed check keeps the focus,
// selects the typed text, hands the error once to the ExceptionHandler and
// swallows the press that wanted to leave, so a clicked button never clicks.
// Other moves (a shortcut, setFocus() by the program) run the same check when
// the focus has already gone and take it back.  Deactivating the window or
// opening a popup is no leaving at all.
//
// Edits come only into the field being edited: a paste, a drop or the
// context menu on another field moves the focus there first (with the check
// above), and edits nothing when the focus cannot come.

#include "FieldExitGuard.h"
#include "NumericFieldModel.h"

#include <QClipboard>
#include <QLineEdit>
#include <QString>
#include <exception>
#include <string>

class QMenu;

namespace zelv {

class ERangeError;
class ExceptionHandler;

class TCustomNumEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(long double Value READ Value WRITE setValue)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(unsigned DecimalPlaces READ DecimalPlaces WRITE setDecimalPlaces)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE setDisplayFormat)
    Q_PROPERTY(long double MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(long double MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(bool ZeroEmpty READ ZeroEmpty WRITE setZeroEmpty)
    Q_PROPERTY(bool KeepsSignOfZero READ KeepsSignOfZero WRITE setKeepsSignOfZero)
    Q_PROPERTY(bool FormatOnEditing READ FormatOnEditing WRITE setFormatOnEditing)
    Q_PROPERTY(bool CheckOnExit READ CheckOnExit WRITE setCheckOnExit)
    Q_PROPERTY(bool BeepOnError READ BeepOnError WRITE setBeepOnError)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)

public:
    explicit TCustomNumEdit(Separators separators, QWidget* parent = nullptr);
    ~TCustomNumEdit() override;

    // Commits the edit text and gives the stored value.  Never throws: an edit
    // text that is no number makes MinValue the stored value.
    long double Value();
    // Clamps silently to the bounds and re-renders the edit text.  A value
    // that is not finite is ignored, so "inf" or "nan" never shows.
    void setValue(long double value);

    // The edit text (not the shown text).
    QString Text() const;
    // Normalises and converts the text, clamps silently, stores and
    // re-renders.  Throws EConvertError for a text that is no number.
    void SetText(const QString& text);
    // Writes an empty text: the stored value becomes 0.
    void Clear();

    // The text painted while the field does not have the focus.
    QString ShownText() const;
    // Whether the user is editing the field: the edit box shows the edit text.
    bool IsEditing() const { return hasFocus_; }
    // What the field shows now: the edit text while it is edited, else the
    // shown text.
    QString DisplayedText() const { return hasFocus_ ? text() : ShownText(); }

    // Whether the user changed the edit text (typing, deleting, pasting,
    // dropping) since the field was last entered; the program's writes and
    // the field's own regrouping do not count.
    bool EditedSinceEnter() const { return editedSinceEnter_; }

    unsigned DecimalPlaces() const { return model_.decimalPlaces(); }
    void setDecimalPlaces(unsigned decimalPlaces);
    QString DisplayFormat() const;
    void setDisplayFormat(const QString& pattern);
    long double MinValue() const { return model_.minValue(); }
    void setMinValue(long double minValue);
    long double MaxValue() const { return model_.maxValue(); }
    void setMaxValue(long double maxValue);
    bool ZeroEmpty() const { return model_.zeroEmpty(); }
    void setZeroEmpty(bool on);
    // On for the whole degrees of an angle, whose "-0" carries the sign of an
    // angle between -1 and 0 degrees; elsewhere a zero has no sign.
    bool KeepsSignOfZero() const { return model_.keepsSignOfZero(); }
    void setKeepsSignOfZero(bool on);
    bool FormatOnEditing() const { return model_.formatOnEditing(); }
    void setFormatOnEditing(bool on);
    bool CheckOnExit() const { return model_.checkOnExit(); }
    void setCheckOnExit(bool on) { model_.setCheckOnExit(on); }
    bool BeepOnError() const { return beepOnError_; }
    void setBeepOnError(bool on) { beepOnError_ = on; }
    bool AutoSelect() const { return autoSelect_; }
    void setAutoSelect(bool on) { autoSelect_ = on; }
    // Alignment of the shown text (right by default); the edit text follows it
    // only with FormatOnEditing on.  Hides QLineEdit::setAlignment on purpose.
    Qt::Alignment Alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    // 0 means no limit.  Limits typing and pasting, not what the program writes.
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length);

    Separators separators() const { return model_.separators(); }

    // For decimal degrees: a range error over a text that holds the other
    // decimal mark (a "." under a decimal comma, or the reverse) says which
    // mark to use.
    bool HintsDecimalMark() const { return hintsDecimalMark_; }
    void setHintsDecimalMark(bool on) { hintsDecimalMark_ = on; }

    // Where a failed exit check's error goes; the window hands one shared
    // handler to all its fields.  Without one, a message box shows it.
    void setExceptionHandler(ExceptionHandler* handler) { exceptionHandler_ = handler; }

    // The context menu with its paste routed through the field's paste rule.
    QMenu* createContextMenu();

signals:
    void OnEnter();
    void OnExit();
    void OnChange();

protected:
    // The overridable steps of the numeric model.
    virtual void reRenderEditText();
    virtual QString defaultDisplayFormat() const;
    virtual bool acceptsTyping(const QString& candidate) const;
    virtual QString makeShownText() const;
    // The refusal beep; a hook so tests can count it.
    virtual void beep();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // Sets the pattern without any re-rendering (for a derived constructor).
    void initDisplayFormat(const QString& pattern);

private:
    void readEditText();
    bool runExitCheck();
    std::exception_ptr withDecimalMarkHint(const ERangeError& error, const QString& typed) const;
    void applyTyped();
    void reportError(std::exception_ptr error);
    void regroup();
    void showStoredValue();
    void reRenderQuietly();
    void onTextChanged();
    int roomFor() const;
    QChar typedCharacter(QChar c) const;
    QString candidateWith(const QString& typed) const;
    bool takeFocusToEdit();
    void pasteFromClipboard(QClipboard::Mode mode);
    void commitPasted(const QString& noted);
    bool canTakeFocus() const;
    void enter(Qt::FocusReason reason);
    void leave(Qt::FocusReason reason);

    NumericFieldModel model_;
    Qt::Alignment alignment_ = Qt::AlignRight;
    bool hasFocus_ = false;
    bool beepOnError_ = true;
    // True while the field rewrites its own edit text: no regrouping, no OnChange.
    bool regrouping_ = false;
    bool editedSinceEnter_ = false;
    int maxLength_ = 0;
    bool autoSelect_ = true;
    bool hintsDecimalMark_ = false;
    ExceptionHandler* exceptionHandler_ = nullptr;
    FieldExitGuard exitGuard_;
};

// The locale's currency settings, from which TCurrencyEdit builds its default
// display format.  Every field of the main window sets its own format.
struct CurrencyFormat {
    std::string symbol = "\x80";   // the euro sign in Windows-1252
    unsigned decimals = 2;
    int placement = 3;             // 0 $1, 1 1$, 2 $ 1, 3 1 $
};

class TCurrencyEdit : public TCustomNumEdit {
    Q_OBJECT
public:
    explicit TCurrencyEdit(Separators separators, QWidget* parent = nullptr);
    TCurrencyEdit(Separators separators, CurrencyFormat currency, QWidget* parent = nullptr);

protected:
    QString defaultDisplayFormat() const override;

private:
    CurrencyFormat currency_;
};

} // namespace zelv
