#include "CurrEdit.h"

#include "EngineText.h"
#include "ErrorPresenter.h"
#include "FieldAccessibility.h"
#include "Exception.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <climits>

namespace zelv {

namespace {

// A single-line box takes a pasted text up to its first line break.
QString firstLine(const QString& text)
{
    const auto end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? text : text.left(end);
}

// Where the caret goes after regrouping `before` (caret at `caret`) into
// `after`: the noted position moved by the change in length, as long as that
// leaves as many kept characters (all but group separators and blanks) in
// front of it as before; when separators behind the caret came or went (a
// decimal separator or an exponent typed inside grouped digits), the nearest
// place that does.
int caretAfterRegrouping(const QString& before, qsizetype caret, const QString& after, QChar group)
{
    const auto kept = [group](QChar c) { return c != group && c != u' '; };
    const auto keptIn = [&kept](QStringView text) {
        return static_cast<int>(std::count_if(text.begin(), text.end(), kept));
    };
    qsizetype position = std::clamp<qsizetype>(caret + after.size() - before.size(), 0, after.size());
    // Normalising added or dropped a digit ("." alone becomes "0"): the
    // length rule is all there is.
    if (keptIn(before) != keptIn(after))
        return int(position);
    const int wanted = keptIn(QStringView(before).first(std::clamp<qsizetype>(caret, 0, before.size())));
    int here = keptIn(QStringView(after).first(position));
    while (position < after.size() && here < wanted)
        here += kept(after[position++]);
    while (position > 0 && here > wanted)
        here -= kept(after[--position]);
    return int(position);
}

bool isDeactivation(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason;
}

} // namespace

TCustomNumEdit::TCustomNumEdit(Separators separators, QWidget* parent)
    : QLineEdit(parent),
      model_(separators, toEngineText(TCustomNumEdit::defaultDisplayFormat())),
      exitGuard_(*this, [this] { return runExitCheck(); }, [this] { leave(Qt::OtherFocusReason); })
{
    installFieldAccessibility();
    QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &TCustomNumEdit::onTextChanged);
    // QLineEdit tells the user's edits from the program's setText.
    connect(this, &QLineEdit::textEdited, this, [this] { editedSinceEnter_ = true; });
}

TCustomNumEdit::~TCustomNumEdit()
{
    // QWidget's destructor may still move the focus; nothing of this class
    // may be reached from there.
    exitGuard_.stop();
    disconnect(this, &QLineEdit::textChanged, this, nullptr);
    disconnect(this, &QLineEdit::textEdited, this, nullptr);
}

// ---- Value and texts --------------------------------------------------------

long double TCustomNumEdit::Value()
{
    return model_.readTextOrMinValue(toEngineText(text()));
}

void TCustomNumEdit::setValue(long double value)
{
    if (model_.setValue(value))
        showStoredValue();
}

QString TCustomNumEdit::Text() const
{
    return text();
}

void TCustomNumEdit::SetText(const QString& text)
{
    model_.readText(toEngineText(text));
    showStoredValue();
}

void TCustomNumEdit::Clear()
{
    SetText(QString());
}

QString TCustomNumEdit::ShownText() const
{
    return makeShownText();
}

void TCustomNumEdit::readEditText()
{
    model_.readText(toEngineText(text()));
}

void TCustomNumEdit::reRenderEditText()
{
    const std::string& rendered = model_.editText();
    if (!isSameText(text(), rendered))
        setText(fromEngineText(rendered));
}

void TCustomNumEdit::showStoredValue()
{
    reRenderEditText();
    update();
}

void TCustomNumEdit::reRenderQuietly()
{
    const QScopedValueRollback quiet(regrouping_, true);
    reRenderEditText();
}

QString TCustomNumEdit::defaultDisplayFormat() const
{
    return QStringLiteral(",0.##");
}

QString TCustomNumEdit::makeShownText() const
{
    return fromEngineText(model_.shownText());
}

// ---- Properties -------------------------------------------------------------

void TCustomNumEdit::setDecimalPlaces(unsigned decimalPlaces)
{
    if (model_.setDecimalPlaces(decimalPlaces))
        showStoredValue();
}

QString TCustomNumEdit::DisplayFormat() const
{
    return fromEngineText(model_.displayFormat());
}

void TCustomNumEdit::setDisplayFormat(const QString& pattern)
{
    if (model_.setDisplayFormat(toEngineText(pattern)))
        showStoredValue();
}

void TCustomNumEdit::initDisplayFormat(const QString& pattern)
{
    model_.setDisplayFormat(toEngineText(pattern));
}

void TCustomNumEdit::setMinValue(long double minValue)
{
    if (model_.setMinValue(minValue))
        showStoredValue();
}

void TCustomNumEdit::setMaxValue(long double maxValue)
{
    if (model_.setMaxValue(maxValue))
        showStoredValue();
}

void TCustomNumEdit::setZeroEmpty(bool on)
{
    if (model_.setZeroEmpty(on))
        reRenderEditText();
}

void TCustomNumEdit::setKeepsSignOfZero(bool on)
{
    if (model_.setKeepsSignOfZero(on))
        showStoredValue();
}

void TCustomNumEdit::setFormatOnEditing(bool on)
{
    if (on == model_.formatOnEditing())
        return;
    model_.setFormatOnEditing(on);
    QLineEdit::setAlignment((on ? alignment_ : Qt::AlignLeft) | Qt::AlignVCenter);
    if (!hasFocus_)
        return;
    if (on) {
        regroup();
    } else {
        Value();
        reRenderEditText();
    }
}

void TCustomNumEdit::setAlignment(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    if (model_.formatOnEditing())
        QLineEdit::setAlignment(alignment_ | Qt::AlignVCenter);
    update();
}

void TCustomNumEdit::setMaxLength(int length)
{
    // The limit is kept here, not in QLineEdit, whose limit would also cut
    // what the program writes.
    maxLength_ = std::max(length, 0);
}

// ---- Typing -----------------------------------------------------------------

bool TCustomNumEdit::acceptsTyping(const QString& candidate) const
{
    return model_.acceptsTyping(toEngineText(candidate));
}

void TCustomNumEdit::beep()
{
    QApplication::beep();
}

int TCustomNumEdit::roomFor() const
{
    if (maxLength_ == 0)
        return INT_MAX;
    return std::max(0, maxLength_ - int(text().length() - selectedText().length()));
}

QChar TCustomNumEdit::typedCharacter(QChar c) const
{
    // Only the two separator keys stand for anything but themselves.
    if (c != u'.' && c != u',')
        return c;
    return QChar::fromLatin1(model_.typedCharacter(char(c.unicode())));
}

QString TCustomNumEdit::candidateWith(const QString& typed) const
{
    QString candidate = text();
    if (hasSelectedText())
        candidate.replace(selectionStart(), selectedText().length(), typed);
    else
        candidate.insert(cursorPosition(), typed);
    return candidate;
}

void TCustomNumEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteFromClipboard(QClipboard::Clipboard);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The window has no default button: Enter is the field's own.
        applyTyped();
        event->accept();
        return;
    case Qt::Key_Escape:
        reRenderEditText();
        selectAll();
        event->accept();
        return;
    default:
        break;
    }
    const QString text = event->text();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool command = (modifiers & (Qt::ControlModifier | Qt::MetaModifier))
        && !(modifiers & Qt::AltModifier);
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 0x7F || command
        || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    for (const QChar typed : text) {
        const QChar c = typedCharacter(typed);
        if (!acceptsTyping(candidateWith(c))) {
            if (beepOnError_)
                beep();
            continue;
        }
        if (roomFor() == 0)
            continue;
        insert(c);
    }
    event->accept();
}

void TCustomNumEdit::inputMethodEvent(QInputMethodEvent* event)
{
    QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    for (QChar& c : commit)
        c = typedCharacter(c);
    commit = commit.left(roomFor());
    if (!acceptsTyping(candidateWith(commit))) {
        if (beepOnError_)
            beep();
        commit.clear();
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

// ---- Regrouping and change events -------------------------------------------

void TCustomNumEdit::regroup()
{
    const QScopedValueRollback quiet(regrouping_, true);
    const QString before = text();
    const auto start = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString grouped = fromEngineText(model_.regrouped(toEngineText(before)));
    if (grouped != before)
        setText(grouped);
    if (hasFocus())
        setCursorPosition(caretAfterRegrouping(before, start, grouped, QChar::fromLatin1(separators().group)));
}

void TCustomNumEdit::onTextChanged()
{
    if (regrouping_)
        return;
    if (hasFocus_ && model_.formatOnEditing())
        regroup();
    emit OnChange();
}

// ---- Pasting ----------------------------------------------------------------

bool TCustomNumEdit::takeFocusToEdit()
{
    // A paste, a drop or a context menu edits like typing: the field takes
    // the focus first, so that leaving it runs the exit check and the exit
    // handler.  When the focus cannot come (another field refuses to be
    // left, or the window is inactive), nothing is edited.
    if (!hasFocus_ && canTakeFocus())
        setFocus(Qt::OtherFocusReason);
    return hasFocus_;
}

void TCustomNumEdit::pasteFromClipboard(QClipboard::Mode mode)
{
    if (isReadOnly() || !takeFocusToEdit())
        return;
    const QString noted = text();
    const QString pasted = firstLine(QGuiApplication::clipboard()->text(mode));
    if (mode == QClipboard::Selection)
        deselect();
    if (!pasted.isEmpty() || hasSelectedText())
        insert(pasted.left(roomFor()));
    commitPasted(noted);
}

void TCustomNumEdit::commitPasted(const QString& noted)
{
    try {
        // A number out of range is clamped in the stored value; the pasted
        // text stays for the exit check to complain about.
        readEditText();
    } catch (const Exception&) {
        setText(noted);
        selectAll();
        if (canTakeFocus() && !hasFocus())
            setFocus(Qt::OtherFocusReason);
        if (beepOnError_)
            beep();
    }
}

QMenu* TCustomNumEdit::createContextMenu()
{
    QMenu* menu = createStandardContextMenu();
    // Qt 6.4 names no action; its paste entry reads like QLineEdit's own
    // (translated) "&Paste", followed by the shortcut.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        const QString text = action->text().section(u'\t', 0, 0);
        if (action->objectName() == QLatin1String("edit-paste") || text == pasteText) {
            action->setObjectName(QStringLiteral("edit-paste"));
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this,
                    [this] { pasteFromClipboard(QClipboard::Clipboard); });
        }
    }
    return menu;
}

void TCustomNumEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // Its entries (Undo, Cut, Delete, Paste) edit the field like keys do; a
    // menu that opens on release, after another field's check refused the
    // press, must not edit a field that no exit check will see.
    if (!takeFocusToEdit()) {
        event->accept();
        return;
    }
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TCustomNumEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // X11's selection paste: QLineEdit would insert it unchecked.  Only
    // into the field its press gave the focus to: a press that another
    // field's exit check refused pastes nothing.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()
        && rect().contains(event->position().toPoint())) {
        if (hasFocus_)
            pasteFromClipboard(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TCustomNumEdit::dropEvent(QDropEvent* event)
{
    if (!takeFocusToEdit()) {
        event->ignore();
        return;
    }
    const QString noted = text();
    QLineEdit::dropEvent(event);
    if (text() == noted)
        return;
    if (maxLength_ > 0 && text().length() > maxLength_) {
        setText(noted);
        selectAll();
        if (beepOnError_)
            beep();
        return;
    }
    commitPasted(noted);
}

// ---- Entering and leaving ---------------------------------------------------

bool TCustomNumEdit::canTakeFocus() const
{
    return isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus;
}

void TCustomNumEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!hasFocus_)
        enter(event->reason());
}

void TCustomNumEdit::enter(Qt::FocusReason reason)
{
    hasFocus_ = true;
    editedSinceEnter_ = false;
    update();
    reRenderQuietly();
    if (model_.formatOnEditing())
        regroup();
    if (reason != Qt::MouseFocusReason) {
        if (autoSelect_)
            selectAll();
        else if (hasSelectedText())
            setCursorPosition(int(text().length()));
    }
    exitGuard_.start();
    emit OnEnter();
}

void TCustomNumEdit::applyTyped()
{
    if (!hasFocus_ || !runExitCheck())
        return;
    // As after leaving and coming back: the canonical text, all selected,
    // so that the next value can be typed over it.
    reRenderQuietly();
    if (model_.formatOnEditing())
        regroup();
    selectAll();
    editedSinceEnter_ = false;
    emit OnExit();
}

std::exception_ptr TCustomNumEdit::withDecimalMarkHint(const ERangeError& error, const QString& typed) const
{
    const Separators marks = separators();
    const QChar other = marks.decimal == ',' ? u'.' : u',';
    if (!hintsDecimalMark_ || (marks.decimal != ',' && marks.decimal != '.') || !typed.contains(other))
        return std::make_exception_ptr(error);
    const std::string hint = marks.decimal == ','
        ? "Bitte das Dezimalkomma verwenden, z.B. 10,769430."
        : "Bitte den Dezimalpunkt verwenden, z.B. 10.769430.";
    return std::make_exception_ptr(ERangeError(error.message() + ". " + hint));
}

bool TCustomNumEdit::runExitCheck()
{
    std::exception_ptr error;
    const QString typed = text();
    try {
        const std::string engineText = toEngineText(typed);
        model_.checkExit(engineText);
        model_.readText(engineText);
        return true;
    } catch (const ERangeError& e) {
        error = withDecimalMarkHint(e, typed);
    } catch (...) {
        error = std::current_exception();
    }
    selectAll();
    if (!hasFocus() && canTakeFocus())
        setFocus(Qt::OtherFocusReason);
    reportError(error);
    // A message box took the activation; without a window manager to hand
    // it back, the field would sit in an inactive window.
    if (canTakeFocus() && !window()->isActiveWindow())
        window()->activateWindow();
    return false;
}

void TCustomNumEdit::reportError(std::exception_ptr error)
{
    if (exceptionHandler_) {
        exceptionHandler_->handle(error);
        return;
    }
    MessageBoxPresenter presenter;
    ExceptionHandler(presenter, QGuiApplication::applicationDisplayName()).handle(error);
}

bool TCustomNumEdit::event(QEvent* event)
{
    // QLineEdit drops its selection a moment after the window is activated
    // if it has no focus by then.  The field the window gives the focus back
    // to keeps its selected text, also when that moment falls into a second
    // error box (the second press of a double click).
    if (event->type() == QEvent::WindowActivate && window()->focusWidget() == this)
        return QWidget::event(event);
    return QLineEdit::event(event);
}

bool TCustomNumEdit::focusNextPrevChild(bool next)
{
    // Tab and Shift+Tab: check before the focus moves, and stay on failure.
    if (hasFocus_ && hasFocus() && canTakeFocus() && !runExitCheck())
        return true;
    return QLineEdit::focusNextPrevChild(next);
}

void TCustomNumEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A deactivated window or an open popup is no leaving: the field keeps
    // its state and gets the focus back with the window.
    if (!hasFocus_ || isDeactivation(event->reason()))
        return;
    leave(event->reason());
}

void TCustomNumEdit::leave(Qt::FocusReason reason)
{
    if (!runExitCheck()) {
        // Not hasFocus(): after a modal error box the window is active again
        // only a moment later, and the field is its focus widget all along.
        if (window()->focusWidget() != this) {
            // The focus could not come back (hidden or disabled): the typed
            // text and the old value stay, but the field is left.
            exitGuard_.stop();
            hasFocus_ = false;
            update();
        } else if (reason == Qt::MouseFocusReason) {
            exitGuard_.swallowPress();
        }
        return;
    }
    exitGuard_.stop();
    hasFocus_ = false;
    update();
    reRenderQuietly();
    setCursorPosition(0);
    emit OnExit();
}

// ---- Painting ---------------------------------------------------------------

void TCustomNumEdit::paintEvent(QPaintEvent* event)
{
    if (hasFocus_) {
        QLineEdit::paintEvent(event);
        return;
    }
    // The box as QLineEdit draws it, then the shown text in place of the edit text.
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    area = area.marginsRemoved(textMargins()).adjusted(2, 1, -2, -1);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::Text));
    painter.setFont(font());
    painter.drawText(area, int(alignment_ | Qt::AlignVCenter), ShownText());
}

// ---- TCurrencyEdit ----------------------------------------------------------

TCurrencyEdit::TCurrencyEdit(Separators separators, QWidget* parent)
    : TCurrencyEdit(separators, CurrencyFormat{}, parent)
{
}

TCurrencyEdit::TCurrencyEdit(Separators separators, CurrencyFormat currency, QWidget* parent)
    : TCustomNumEdit(separators, parent), currency_(std::move(currency))
{
    initDisplayFormat(TCurrencyEdit::defaultDisplayFormat());
}

QString TCurrencyEdit::defaultDisplayFormat() const
{
    return fromEngineText(currencyPattern(currency_.symbol, currency_.decimals, currency_.placement));
}

} // namespace zelv
