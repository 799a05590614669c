// A seeded random soak of the real main window: real key, mouse, wheel,
// input-method and drop events on the offscreen platform, the real TF_Haupt
// with its settings store, and fake presenter, clipboard and browser.  After
// every step the invariants of WindowInvariants.h must hold; a close must
// leave the settings file complete, and the next start must show it.
//
// Usage: window_soak [--seed N] [--seconds S] [--steps N]
//   or the environment: ZELV_SOAK_SEED, ZELV_SOAK_SECONDS, ZELV_SOAK_STEPS;
//   ZELV_SOAK_TRACE=1 prints every step as it runs.
// Without a seed one is taken from the clock and printed.  A run stops after
// S seconds (default 60) or N steps, whichever comes first; the same seed
// replays the same steps.  On a fault it prints the seed, the step number,
// the step and the recent steps before it, and exits with 1.
//
// Controls are found by type (every TCurrencyEdit, QAbstractButton,
// TElSpinEdit, QLineEdit, TRadioGroup, and every other visible widget for
// clicks), so a control added to the window takes part without a change here.

#include "ApplicationTitle.h"
#include "CoordinateTranslator.h"
#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "EngineText.h"
#include "F_HauptU.h"
#include "Placemnt.h"
#include "RadioGroup.h"
#include "SoakHarness.h"
#include "SoakTexts.h"
#include "WindowInvariants.h"
#include "WindowTestDoubles.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace zelv::soak {
namespace {

struct Options {
    std::uint64_t seed = 0;
    double seconds = 60;
    long steps = -1; // no limit
    bool trace = false; // every step on stderr as it runs
};

// ---- The soak ---------------------------------------------------------------

class Soak {
public:
    // `faults` is the list the application also writes to.
    Soak(const Options& options, Faults& faults)
        : options_(options), random_(options.seed), faults_(faults), answerer_(random_, presenter_, faults_),
          examples_(notationExamples(QStringLiteral(ZELV_SOURCE_CORPUS)))
    {
        qApp->installEventFilter(&answerer_);
        makeProgramDirectory(programWithNad(), true);
        makeProgramDirectory(programWithoutNad(), false);
        elsewhere_.setWindowTitle(QStringLiteral("anderswo"));
        elsewhere_.resize(200, 100);
    }

    ~Soak() { qApp->removeEventFilter(&answerer_); }

    int run();

private:
    using Step = void (Soak::*)();
    struct StepKind {
        const char* name;
        int weight;
        Step step;
        long count = 0;
    };

    QString base() const { return QFileInfo(root_.path()).canonicalFilePath(); }
    QString programWithNad() const { return base() + QStringLiteral("/program"); }
    QString programWithoutNad() const { return base() + QStringLiteral("/bare"); }
    QString settingsDirectory() const { return base() + QStringLiteral("/config"); }

    void makeProgramDirectory(const QString& directory, bool withNad);
    void open(const QString& programDirectory);
    void closeWindow(bool editFileAfterwards, bool startWithoutNad);
    bool settle();
    void check();
    [[noreturn]] void fail();

    void note(const std::string& text) { step_ += text; }
    std::string describe(const QWidget* widget) const;

    // Controls, found by type.
    std::vector<QWidget*> focusableControls() const;
    template <class T>
    std::vector<T*> visibleOf() const;
    QWidget* chooseTarget();
    template <class T>
    T* clickOne(const std::string& what);
    void selectAllSometimes(int percent);
    QPoint somewhereIn(const QWidget* widget);

    // Input as the window system delivers it, or straight to a widget.
    QWindow* handle() const { return window_->windowHandle(); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString());
    void typeCharacter(QChar c);
    void typeText(const QString& text);
    void clickWindow(QWidget* target, Qt::MouseButton button = Qt::LeftButton,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void wheelOver(QWidget* target, bool throughWindow, int delta);
    void setClipboards(const QString& text);

    // The steps.
    void stepClick();
    void stepRightClick();
    void stepDoubleClick();
    void stepWheel();
    void stepType();
    void stepKey();
    void stepClipboard();
    void stepPasteIntoField();
    void stepUnit();
    void stepZone();
    void stepLeaveWithRefusedText();
    void stepInputMethod();
    void stepDrop();
    void stepPresenterMode();
    void stepDeactivate();
    void stepProgramFocus();
    void stepReopen();
    void stepReopenEditedFile();
    void stepReopenWithoutNad();

    Options options_;
    Random random_;
    Faults& faults_;
    SoakPresenter presenter_;
    window_fakes::RecordingClipboard clipboard_;
    PopupAnswerer answerer_;
    QStringList examples_;
    QTemporaryDir root_;
    QWidget elsewhere_;
    std::unique_ptr<TF_Haupt> window_;
    // Converts on its own, to check which position the grid values belong to.
    std::unique_ptr<TCoordinateTranslator> oracle_;
    std::optional<Watchdog> watchdog_;

    long stepNumber_ = 0;
    std::string step_;
    std::deque<std::string> recent_;
    long windowsOpened_ = 0;
    long urlsOpened_ = 0;
    long messagesShown_ = 0;
    long settingsChecked_ = 0;

    std::vector<StepKind> kinds_ = {
        {"click", 16, &Soak::stepClick},
        {"right-click", 5, &Soak::stepRightClick},
        {"double-click", 3, &Soak::stepDoubleClick},
        {"wheel", 3, &Soak::stepWheel},
        {"type", 18, &Soak::stepType},
        {"key", 18, &Soak::stepKey},
        {"clipboard", 7, &Soak::stepClipboard},
        {"paste", 5, &Soak::stepPasteIntoField},
        {"unit", 3, &Soak::stepUnit},
        {"zone", 3, &Soak::stepZone},
        {"refused leave", 6, &Soak::stepLeaveWithRefusedText},
        {"input method", 2, &Soak::stepInputMethod},
        {"drop", 2, &Soak::stepDrop},
        {"presenter mode", 1, &Soak::stepPresenterMode},
        {"deactivate", 2, &Soak::stepDeactivate},
        {"program focus", 1, &Soak::stepProgramFocus},
        {"reopen", 2, &Soak::stepReopen},
        {"reopen edited file", 1, &Soak::stepReopenEditedFile},
        {"reopen without nad", 1, &Soak::stepReopenWithoutNad},
    };
};

void Soak::makeProgramDirectory(const QString& directory, bool withNad)
{
    QDir().mkpath(directory);
    if (!withNad)
        return;
    const QDir source(QStringLiteral(ZELV_SOURCE_NAD));
    QDir().mkpath(directory + QStringLiteral("/nad"));
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), directory + QStringLiteral("/nad/") + name);
    // With the datum grid, so that the ETRS89 choice takes part as well.
    const QString grid = QStringLiteral(ZELV_DATUM_GRID);
    QFile::copy(grid, directory + QStringLiteral("/nad/") + QFileInfo(grid).fileName());
}

void Soak::open(const QString& programDirectory)
{
    const Separators separators = random_.chance(50) ? germanSeparators : pointSeparators;
    note(std::string(" [start in ") + QFileInfo(programDirectory).fileName().toStdString() + ", "
         + (separators.decimal == ',' ? "German" : "point") + " separators]");
    window_ = std::make_unique<TF_Haupt>(MainWindowContext{
        .errorPresenter = presenter_,
        .clipboard = clipboard_,
        .separators = separators,
        .executablePath = programDirectory + QStringLiteral("/ZELV_Derarar"),
        .settingsDirectory = settingsDirectory(),
        .openUrl = [this](const QUrl&) { ++urlsOpened_; return true; },
        // "Liste umrechnen …" as if its file dialog were cancelled: a modal
        // dialog would stop the soak's steps.
        .chooseListFile = [](QWidget*) { return QString(); },
    });
    window_->show();
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_.get()))
        faults_.push_back("the window does not become active after its start");
    ++windowsOpened_;
}

void Soak::closeWindow(bool editFileAfterwards, bool startWithoutNad)
{
    const std::vector<StoredValue> expected = storedValues(*window_);
    const QString path = window_->FormStorage1->iniFilePath();
    const QString section = window_->FormStorage1->sectionName();
    const bool byHandle = random_.chance(50);
    note(byHandle ? "close through the native window" : "close()");
    const bool closed = byHandle ? handle()->close() : window_->close();
    if (!closed || window_->isVisible())
        faults_.push_back("the window did not close");
    checkSettingsFile(path, section, expected, faults_);
    window_.reset();
    // Destroying it must not change what closing wrote.
    checkSettingsFile(path, section, expected, faults_);
    ++settingsChecked_;

    if (editFileAfterwards) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray edited = editedSettings(random_, file.readAll());
            file.close();
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(edited);
            note(", file edited to \"" + printable(QString::fromLatin1(edited), 300) + "\"");
        }
    }
    open(startWithoutNad ? programWithoutNad() : programWithNad());
    if (!editFileAfterwards)
        checkStartShows(*window_, expected, faults_);
}

// Lets queued work run (menus answer here), closes what is still open, and
// brings the window back to the front as the window manager would.
bool Soak::settle()
{
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents();
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
            continue;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            faults_.push_back(std::string("a modal ") + modal->metaObject()->className() + " stayed open");
            modal->close();
            continue;
        }
        break;
    }
    if (elsewhere_.isVisible() && random_.chance(50))
        elsewhere_.hide();
    if (!window_->isActiveWindow()) {
        window_->activateWindow();
        if (!QTest::qWaitForWindowActive(window_.get())) {
            faults_.push_back("the window cannot be activated again");
            return false;
        }
    }
    return true;
}

void Soak::check()
{
    checkMessages(presenter_.shown, fromEngineText(applicationTitle("ZELV_Derarar")), faults_);
    messagesShown_ += static_cast<long>(presenter_.shown.size());
    presenter_.shown.clear();
    checkWindow(*window_, faults_);
    if (!oracle_)
        oracle_ = std::make_unique<TCoordinateTranslator>(
            QFile::encodeName(programWithNad() + QStringLiteral("/nad")).toStdString());
    checkGridMarks(*window_, *oracle_, faults_);
}

void Soak::fail()
{
    std::fprintf(stderr, "window soak FAILED: seed=%llu step=%ld: %s\n",
                 static_cast<unsigned long long>(options_.seed), stepNumber_, step_.c_str());
    for (const std::string& fault : faults_)
        std::fprintf(stderr, "  fault: %s\n", fault.c_str());
    std::fprintf(stderr, "  the steps before it, oldest first:\n");
    for (const std::string& earlier : recent_)
        std::fprintf(stderr, "    %s\n", earlier.c_str());
    std::fprintf(stderr, "  replay: ZELV_SOAK_SEED=%llu ZELV_SOAK_STEPS=%ld window_soak\n",
                 static_cast<unsigned long long>(options_.seed), stepNumber_);
    std::fflush(stderr);
    std::exit(1);
}

int Soak::run()
{
    const std::string bound = options_.steps >= 0 ? std::to_string(options_.steps) + " steps"
                                                  : std::to_string(static_cast<long>(options_.seconds)) + " s";
    std::printf("window soak: seed=%llu, up to %s (replay with ZELV_SOAK_SEED=%llu or --seed %llu)\n",
                static_cast<unsigned long long>(options_.seed), bound.c_str(),
                static_cast<unsigned long long>(options_.seed), static_cast<unsigned long long>(options_.seed));
    std::fflush(stdout);
    watchdog_.emplace(std::chrono::seconds(120), options_.seed);

    step_ = "first start";
    open(programWithNad());
    settle();
    check();
    if (!faults_.empty())
        fail();

    int totalWeight = 0;
    for (const StepKind& kind : kinds_)
        totalWeight += kind.weight;

    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < options_.seconds * 1000 && (options_.steps < 0 || stepNumber_ < options_.steps)) {
        ++stepNumber_;
        int roll = static_cast<int>(random_.below(static_cast<std::uint64_t>(totalWeight)));
        StepKind* kind = &kinds_.front();
        for (StepKind& k : kinds_) {
            if (roll < k.weight) {
                kind = &k;
                break;
            }
            roll -= k.weight;
        }
        ++kind->count;
        step_ = std::string(kind->name) + ": ";
        watchdog_->beat(stepNumber_, step_);
        if (options_.trace)
            std::fprintf(stderr, "step %ld: %s\n", stepNumber_, kind->name);
        try {
            (this->*(kind->step))();
        } catch (const std::exception& e) {
            faults_.push_back(std::string("the soak itself failed: ") + e.what());
        }
        watchdog_->beat(stepNumber_, step_);
        if (options_.trace)
            std::fprintf(stderr, "  %s\n", step_.c_str());
        if (settle())
            check();
        if (!faults_.empty())
            fail();
        recent_.push_back(std::to_string(stepNumber_) + " " + step_);
        if (recent_.size() > 25)
            recent_.pop_front();
    }

    step_ = "final close";
    closeWindow(false, false);
    settle();
    check();
    if (!faults_.empty())
        fail();
    window_->close();
    window_.reset();

    std::printf("window soak passed: seed=%llu steps=%ld in %.1f s; windows opened %ld, settings files checked "
                "%ld, messages %ld, menus answered %ld (entries chosen %ld), links opened %ld\n  steps by kind:",
                static_cast<unsigned long long>(options_.seed), stepNumber_, clock.elapsed() / 1000.0,
                windowsOpened_, settingsChecked_, messagesShown_, answerer_.menusAnswered,
                answerer_.entriesChosen, urlsOpened_);
    for (const StepKind& kind : kinds_)
        std::printf(" %s %ld;", kind.name, kind.count);
    std::printf("\n");
    return 0;
}

// ---- Controls and input -----------------------------------------------------

// The key a character comes on, for a key event that carries it as text.
Qt::Key keyFor(QChar c)
{
    if (c >= u'a' && c <= u'z')
        return Qt::Key(Qt::Key_A + (c.unicode() - u'a'));
    if (c.unicode() < 0x100)
        return Qt::Key(c.toUpper().unicode());
    return Qt::Key_unknown;
}

std::string Soak::describe(const QWidget* widget) const
{
    if (!widget)
        return "nothing";
    if (!widget->objectName().isEmpty())
        return widget->objectName().toStdString();
    std::string text = widget->metaObject()->className();
    if (const QWidget* parent = widget->parentWidget(); parent && parent != window_.get())
        text += " in " + describe(parent);
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget); button && !button->text().isEmpty())
        text += " \"" + printable(button->text(), 20) + "\"";
    return text;
}

std::vector<QWidget*> Soak::focusableControls() const
{
    std::vector<QWidget*> controls;
    for (QWidget* widget : visibleOf<QWidget>()) {
        if (widget->focusPolicy() != Qt::NoFocus && widget->isEnabled())
            controls.push_back(widget);
    }
    return controls;
}

template <class T>
std::vector<T*> Soak::visibleOf() const
{
    std::vector<T*> controls;
    for (T* widget : window_->findChildren<T*>()) {
        if (!widget->isWindow() && widget->isVisibleTo(window_.get()))
            controls.push_back(widget);
    }
    return controls;
}

QWidget* Soak::chooseTarget()
{
    switch (random_.below(5)) {
    case 0:
    case 1: {
        const auto fields = visibleOf<TCurrencyEdit>();
        return random_.pick(std::vector<QWidget*>(fields.begin(), fields.end()));
    }
    case 2: {
        const auto buttons = visibleOf<QAbstractButton>();
        return random_.pick(std::vector<QWidget*>(buttons.begin(), buttons.end()));
    }
    case 3: {
        const auto edits = visibleOf<QLineEdit>();
        return random_.pick(std::vector<QWidget*>(edits.begin(), edits.end()));
    }
    default:
        return random_.pick(visibleOf<QWidget>());
    }
}

// One control of the type, chosen at random, clicked through the window.
template <class T>
T* Soak::clickOne(const std::string& what)
{
    T* control = random_.pick(visibleOf<T>());
    note(what + describe(control));
    clickWindow(control);
    return control;
}

void Soak::selectAllSometimes(int percent)
{
    if (random_.chance(percent)) {
        note(" select all");
        key(Qt::Key_A, Qt::ControlModifier);
    }
}

QPoint Soak::somewhereIn(const QWidget* widget)
{
    // Never (0, 0): QTest reads a null point as the middle.
    return {random_.between(1, std::max(1, widget->width() - 2)), random_.between(1, std::max(1, widget->height() - 2))};
}

void Soak::key(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QTest::sendKeyEvent(QTest::Click, handle(), key, text, modifiers);
}

// One character as a key press through the window.  When a numeric field
// has the focus, its caret must keep its place among the digits: after the
// character when the field took it, where it was when the field refused it.
void Soak::typeCharacter(QChar c)
{
    auto* field = qobject_cast<TCurrencyEdit*>(QApplication::focusWidget());
    if (!field) {
        key(keyFor(c), Qt::NoModifier, QString(c));
        return;
    }
    const Separators separators = field->separators();
    const QChar group = QChar::fromLatin1(separators.group);
    // The digits and signs of a text, without what regrouping may add or drop.
    auto essential = [group](const QString& text) {
        QString kept;
        for (const QChar ch : text) {
            if (ch != group && ch != u' ')
                kept += ch;
        }
        return kept;
    };
    const QString before = field->text();
    const int caret = field->cursorPosition();
    const int selectionStart = field->hasSelectedText() ? static_cast<int>(field->selectionStart()) : caret;
    const int selectionLength = field->hasSelectedText() ? static_cast<int>(field->selectedText().size()) : 0;

    key(keyFor(c), Qt::NoModifier, QString(c));
    if (QApplication::focusWidget() != field)
        return;

    QChar typed = c;
    if ((c == u'.' || c == u',') && c != group)
        typed = QChar::fromLatin1(separators.decimal);
    const QString insert = essential(QString(typed));
    const int left = static_cast<int>(essential(before.left(selectionStart)).size());
    const int selected = static_cast<int>(essential(before.mid(selectionStart, selectionLength)).size());
    QString expected = essential(before).replace(left, selected, insert);
    // Regrouping reads an empty number as "0" and a lone minus as "-0": a
    // separator or blank typed where nothing else stands leaves a zero.
    const QString candidate = QString(before).replace(selectionStart, selectionLength, typed);
    const bool zeroFilled = field->FormatOnEditing() && candidate != QStringLiteral("-") && !candidate.isEmpty()
                         && (expected.isEmpty() || expected == QStringLiteral("-"));
    if (zeroFilled)
        expected += u'0';

    const QString after = field->text();
    const int caretAfter = field->cursorPosition();
    const bool refused = after == before && caretAfter == caret;
    const bool taken = essential(after) == expected && !field->hasSelectedText()
                    && (zeroFilled || essential(after.left(caretAfter)).size() == left + insert.size());
    if (!refused && !taken)
        faults_.push_back(field->objectName().toStdString() + ": typing " + printable(QString(c)) + " into "
                          + printable(before) + " (caret " + std::to_string(caret) + ", selection "
                          + std::to_string(selectionStart) + "+" + std::to_string(selectionLength) + ") gave "
                          + printable(after) + " with the caret at " + std::to_string(caretAfter));
}

void Soak::typeText(const QString& text)
{
    note(" type \"" + printable(text) + "\"");
    for (const QChar c : text) {
        typeCharacter(c);
        if (!faults_.empty())
            return;
    }
}

void Soak::clickWindow(QWidget* target, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const QPoint at = target->mapTo(window_.get(), somewhereIn(target));
    QTest::mouseClick(handle(), button, modifiers, at);
}

void Soak::wheelOver(QWidget* target, bool throughWindow, int delta)
{
    const QPoint local = somewhereIn(target);
    const QPoint inWindow = target->mapTo(window_.get(), local);
    const QPoint pos = throughWindow ? inWindow : local;
    QWheelEvent wheel(pos, window_->mapToGlobal(inWindow), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    if (throughWindow)
        qApp->notify(handle(), &wheel);
    else
        qApp->notify(target, &wheel);
}

void Soak::setClipboards(const QString& text)
{
    // The window's clipboard for its button and links, the desktop's for
    // pasting into fields.
    clipboard_.setText(text);
    QGuiApplication::clipboard()->setText(text);
    note(" clipboard \"" + printable(text) + "\"");
}

// ---- Steps ------------------------------------------------------------------

void Soak::stepClick()
{
    QWidget* target = chooseTarget();
    static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::MiddleButton};
    const Qt::MouseButton button = buttons[random_.below(std::size(buttons))];
    const Qt::KeyboardModifiers modifiers = random_.chance(10) ? Qt::ShiftModifier
                                          : random_.chance(5)  ? Qt::ControlModifier
                                                               : Qt::NoModifier;
    if (random_.chance(70)) {
        note(std::string(button == Qt::MiddleButton ? "middle" : "left") + " click on " + describe(target)
             + " through the window");
        clickWindow(target, button, modifiers);
    } else {
        note(std::string(button == Qt::MiddleButton ? "middle" : "left") + " click straight on "
             + describe(target));
        QTest::mouseClick(target, button, modifiers, somewhereIn(target));
    }
}

void Soak::stepRightClick()
{
    QWidget* target = chooseTarget();
    switch (random_.below(3)) {
    case 0:
        note("right click on " + describe(target) + " through the window");
        clickWindow(target, Qt::RightButton);
        break;
    case 1: {
        note("right click straight on " + describe(target));
        const QPoint at = somewhereIn(target);
        QPointer<QWidget> alive(target);
        QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, at);
        if (alive) {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
            QSpontaneKeyEvent::setSpontaneous(&menu);
            qApp->notify(target, &menu);
        }
        break;
    }
    default:
        note("menu key on " + describe(QApplication::focusWidget()));
        key(Qt::Key_Menu);
        break;
    }
}

void Soak::stepDoubleClick()
{
    QWidget* target = chooseTarget();
    note("double click on " + describe(target) + " through the window");
    QTest::mouseDClick(handle(), Qt::LeftButton, Qt::NoModifier, target->mapTo(window_.get(), somewhereIn(target)));
}

void Soak::stepWheel()
{
    QWidget* target = chooseTarget();
    const int delta = (random_.chance(50) ? 1 : -1) * (random_.chance(70) ? 120 : random_.between(1, 360));
    const bool throughWindow = random_.chance(70);
    note("wheel " + std::to_string(delta) + " over " + describe(target)
         + (throughWindow ? " through the window" : " straight"));
    wheelOver(target, throughWindow, delta);
}

void Soak::stepType()
{
    if (random_.chance(50)) {
        clickOne<TCurrencyEdit>("into ");
        selectAllSometimes(60);
    } else {
        note("into the focus " + describe(QApplication::focusWidget()));
    }
    typeText(typedText(random_));
}

void Soak::stepKey()
{
    static const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    } keys[] = {
        {Qt::Key_Tab, Qt::NoModifier, "Tab"},
        {Qt::Key_Tab, Qt::NoModifier, "Tab"},
        {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
        {Qt::Key_Tab, Qt::ShiftModifier, "Shift+Tab (as Tab)"},
        {Qt::Key_Return, Qt::NoModifier, "Enter"},
        {Qt::Key_Enter, Qt::KeypadModifier, "keypad Enter"},
        {Qt::Key_Escape, Qt::NoModifier, "Escape"},
        {Qt::Key_Left, Qt::NoModifier, "Left"},
        {Qt::Key_Right, Qt::NoModifier, "Right"},
        {Qt::Key_Up, Qt::NoModifier, "Up"},
        {Qt::Key_Down, Qt::NoModifier, "Down"},
        {Qt::Key_Home, Qt::NoModifier, "Home"},
        {Qt::Key_End, Qt::NoModifier, "End"},
        {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
        {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"},
        {Qt::Key_Right, Qt::ControlModifier, "Ctrl+Right"},
        {Qt::Key_PageUp, Qt::NoModifier, "Page Up"},
        {Qt::Key_PageDown, Qt::NoModifier, "Page Down"},
        {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
        {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
        {Qt::Key_Delete, Qt::NoModifier, "Delete"},
        {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
        {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
        {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
        {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
        {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
        {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
        {Qt::Key_Space, Qt::NoModifier, "Space"},
    };
    const auto& k = keys[random_.below(std::size(keys))];
    QWidget* focus = QApplication::focusWidget();
    if (random_.chance(90) || !focus) {
        note(std::string(k.name) + " on " + describe(focus) + " through the window");
        const QString text = k.key == Qt::Key_Space ? QStringLiteral(" ")
                           : k.key == Qt::Key_Return || k.key == Qt::Key_Enter ? QStringLiteral("\r")
                           : k.key == Qt::Key_Escape ? QStringLiteral("\x1b")
                           : k.key == Qt::Key_Tab || k.key == Qt::Key_Backtab ? QStringLiteral("\t")
                           : k.key == Qt::Key_Backspace ? QStringLiteral("\b")
                           : QString();
        key(k.key, k.modifiers, text);
    } else {
        note(std::string(k.name) + " straight to " + describe(focus));
        QTest::keyClick(focus, k.key, k.modifiers);
    }

    // Escape in a numeric field drops what was typed: the edit text stands
    // for the stored value again, all of it selected.
    auto* field = qobject_cast<TCurrencyEdit*>(QApplication::focusWidget());
    if (k.key == Qt::Key_Escape && field && field == focus) {
        Extended edited = 0;
        Extended stored = 0;
        const bool bothNumbers = readNumber(field->Text(), field->separators(), edited)
                              && readNumber(field->ShownText(), field->separators(), stored);
        if (field->selectedText() != field->text()
            || (bothNumbers && std::fabs(edited - stored) > std::pow(10.0L, -static_cast<int>(field->DecimalPlaces()))))
            faults_.push_back(field->objectName().toStdString() + ": after Escape the edit text is "
                              + printable(field->text()) + " (selected " + printable(field->selectedText())
                              + ") for the shown " + printable(field->ShownText()));
    }
}

void Soak::stepClipboard()
{
    setClipboards(clipboardText(random_, examples_, window_->E_ZELV->text()));
    switch (random_.below(10)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        note(", then the clipboard button through the window");
        clickWindow(window_->BitBtn_Koordinaten_aus_Zwischenablage);
        break;
    case 6:
        note(", then Ctrl+V on " + describe(QApplication::focusWidget()));
        key(Qt::Key_V, Qt::ControlModifier);
        break;
    case 7:
        note(", then the clipboard button straight");
        QTest::mouseClick(window_->BitBtn_Koordinaten_aus_Zwischenablage, Qt::LeftButton);
        break;
    default:
        note(", nothing else");
        break;
    }
}

void Soak::stepPasteIntoField()
{
    QLineEdit* field = clickOne<QLineEdit>("into ");
    selectAllSometimes(50);
    setClipboards(random_.chance(60) ? typedText(random_) : clipboardText(random_, examples_, field->text()));
    switch (random_.below(3)) {
    case 0:
        note(" Ctrl+V");
        key(Qt::Key_V, Qt::ControlModifier);
        break;
    case 1:
        note(" Shift+Insert");
        key(Qt::Key_Insert, Qt::ShiftModifier);
        break;
    default:
        // The context menu: the answerer picks an entry, "Paste" among them.
        note(" right click");
        clickWindow(field, Qt::RightButton);
        break;
    }
}

void Soak::stepUnit()
{
    const auto groups = visibleOf<TRadioGroup>();
    TRadioGroup* group = random_.pick(groups);
    QRadioButton* button = group->button(static_cast<int>(random_.below(static_cast<std::uint64_t>(group->count()))));
    if (random_.chance(70)) {
        note("click on " + describe(button) + " of " + describe(group));
        clickWindow(button);
    } else {
        note("arrow key in " + describe(group));
        clickWindow(button);
        key(random_.chance(50) ? Qt::Key_Right : Qt::Key_Left);
    }
}

void Soak::stepZone()
{
    const auto spins = visibleOf<TElSpinEdit>();
    TElSpinEdit* spin = random_.pick(spins);
    switch (random_.below(4)) {
    case 0:
    case 1: {
        QWidget* arrow = random_.chance(50) ? static_cast<QWidget*>(spin->upButton()) : spin->downButton();
        note("click on " + describe(arrow));
        clickWindow(arrow);
        break;
    }
    case 2: {
        static const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
        note("keys in " + describe(spin));
        clickWindow(spin);
        for (int i = random_.between(1, 8); i > 0; --i)
            key(keys[random_.below(std::size(keys))]);
        break;
    }
    default:
        note("type into " + describe(spin));
        clickWindow(spin);
        key(Qt::Key_A, Qt::ControlModifier);
        typeText(random_.chance(70) ? digits(random_, random_.between(1, 3)) : typedText(random_));
        break;
    }
}

// A numeric field with a text its exit check refuses (out of its range, or
// no number) tries to give up the focus by one route; the focus must stay,
// with the text and the stored value, and nothing else may happen in the
// window: no exit handler, no click.
void Soak::stepLeaveWithRefusedText()
{
    TCurrencyEdit* field = clickOne<TCurrencyEdit>("in ");
    if (QApplication::focusWidget() != field) {
        note(" (not entered)");
        return;
    }
    key(Qt::Key_A, Qt::ControlModifier);
    const bool ranged = field->MinValue() < field->MaxValue();
    if (ranged && random_.chance(70)) {
        const Extended beyond = random_.chance(70) || field->MinValue() >= 0
                                    ? field->MaxValue() + random_.between(1, 40)
                                    : field->MinValue() - random_.between(1, 40);
        typeText(fromEngineText(formatFixed(beyond, 0, field->separators())));
    } else {
        // A lone "+" is no number; it can only be left over.
        typeText(QStringLiteral("5"));
        key(Qt::Key_Home);
        typeText(QStringLiteral("+"));
        key(Qt::Key_Delete);
    }
    if (!faults_.empty() || QApplication::focusWidget() != field)
        return;
    const bool refused = field->CheckOnExit() && exitCheckRefuses(*field);
    note(refused ? " (refused)" : " (accepted)");

    auto texts = [this] {
        QStringList all;
        for (const QLineEdit* edit : window_->findChildren<QLineEdit*>())
            all << edit->objectName() + u'=' + edit->text();
        for (const TRadioGroup* group : window_->findChildren<TRadioGroup*>())
            all << group->objectName() + u'=' + QString::number(group->ItemIndex());
        return all;
    };
    const QString text = field->text();
    const QString shown = field->ShownText();
    const QStringList before = texts();
    const long messages = presenter_.total;
    const long urls = urlsOpened_;

    QWidget* target = random_.pick(visibleOf<QWidget>());
    bool mustBeChecked = false;
    bool wheel = false;
    switch (random_.below(7)) {
    case 0:
        note(", Tab");
        key(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        mustBeChecked = true;
        break;
    case 1:
        note(", Shift+Tab");
        key(Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"));
        mustBeChecked = true;
        break;
    case 2:
        note(", click on " + describe(target) + " through the window");
        clickWindow(target);
        break;
    case 3:
        note(", click straight on " + describe(target));
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, somewhereIn(target));
        break;
    case 4:
        note(", double click on " + describe(target) + " through the window");
        QTest::mouseDClick(handle(), Qt::LeftButton, Qt::NoModifier, target->mapTo(window_.get(), somewhereIn(target)));
        break;
    case 5:
        note(", wheel over " + describe(target));
        wheelOver(target, true, 120);
        wheel = true;
        break;
    default: {
        const auto focusable = focusableControls();
        target = random_.pick(focusable);
        note(", setFocus on " + describe(target));
        target->setFocus(Qt::OtherFocusReason);
        mustBeChecked = target != field;
        break;
    }
    }
    settle();
    if (!refused)
        return;

    const std::string who = field->objectName().toStdString();
    if (mustBeChecked && presenter_.total == messages)
        faults_.push_back(who + ": leaving with the refused text " + printable(text) + " showed no message");
    if (window_->focusWidget() != field) {
        faults_.push_back(who + ": the focus left with the refused text " + printable(text) + " for "
                          + describe(window_->focusWidget()));
        return;
    }
    if (field->text() != text || field->ShownText() != shown)
        faults_.push_back(who + ": a refused leave changed the text " + printable(text) + " to "
                          + printable(field->text()) + " or the stored value (shown " + printable(shown) + " then "
                          + printable(field->ShownText()) + ")");
    if (presenter_.total > messages && field->selectedText() != field->text())
        faults_.push_back(who + ": after the message only " + printable(field->selectedText()) + " of "
                          + printable(field->text()) + " is selected");
    // A wheel may turn a control that takes no focus; a click reaches nothing.
    if (!wheel && texts() != before)
        faults_.push_back(who + ": a refused leave changed the window: " + texts().join(u' ').toStdString());
    if (urlsOpened_ != urls && qobject_cast<TElURLLabel*>(target) == nullptr)
        faults_.push_back(who + ": a refused leave opened a link");
}

void Soak::stepInputMethod()
{
    // Only to a focus widget that takes input-method text, as the
    // platform's input method asks before it sends any.
    QWidget* focus = QApplication::focusWidget();
    QInputMethodQueryEvent query(Qt::ImEnabled);
    if (focus)
        QApplication::sendEvent(focus, &query);
    if (!focus || !query.value(Qt::ImEnabled).toBool()) {
        note("no input-method text for " + describe(focus));
        return;
    }
    const QString text = typedText(random_);
    note("commit \"" + printable(text) + "\" to " + describe(focus));
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(focus, &event);
}

void Soak::stepDrop()
{
    const auto edits = visibleOf<QLineEdit>();
    QLineEdit* target = random_.pick(edits);
    const QString text = random_.chance(60) ? typedText(random_) : clipboardText(random_, examples_, QString());
    note("drop \"" + printable(text) + "\" on " + describe(target));
    QMimeData data;
    data.setText(text);
    const QPointF at = somewhereIn(target);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return;
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

void Soak::stepPresenterMode()
{
    presenter_.realBoxes = !presenter_.realBoxes;
    note(presenter_.realBoxes ? "errors in real message boxes" : "errors recorded only");
}

void Soak::stepDeactivate()
{
    note("another window comes to the front");
    elsewhere_.show();
    elsewhere_.activateWindow();
    if (!QTest::qWaitForWindowActive(&elsewhere_))
        note(" (it did not become active)");
    if (random_.chance(40)) {
        QWidget* target = random_.pick(focusableControls());
        note(", meanwhile setFocus on " + describe(target));
        target->setFocus(Qt::OtherFocusReason);
    }
    if (random_.chance(30)) {
        note(", typing there");
        QTest::keyClicks(&elsewhere_, QStringLiteral("12"));
    }
    // settle() checks that the window comes back.
    window_->activateWindow();
}

void Soak::stepProgramFocus()
{
    QWidget* target = random_.pick(focusableControls());
    note("setFocus on " + describe(target));
    target->setFocus(Qt::OtherFocusReason);
}

void Soak::stepReopen()
{
    closeWindow(false, false);
}

void Soak::stepReopenEditedFile()
{
    closeWindow(true, false);
}

void Soak::stepReopenWithoutNad()
{
    closeWindow(false, true);
}

// ---- Options ----------------------------------------------------------------

std::optional<std::string> setting(int argc, char** argv, const char* option, const char* variable)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == option)
            return std::string(argv[i + 1]);
    }
    if (const char* value = std::getenv(variable); value && *value)
        return std::string(value);
    return std::nullopt;
}

Options readOptions(int argc, char** argv)
{
    Options options;
    if (const auto seed = setting(argc, argv, "--seed", "ZELV_SOAK_SEED"))
        options.seed = std::stoull(*seed);
    else
        options.seed = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())
                     % 1000000007ULL;
    if (const auto seconds = setting(argc, argv, "--seconds", "ZELV_SOAK_SECONDS"))
        options.seconds = std::stod(*seconds);
    if (const auto steps = setting(argc, argv, "--steps", "ZELV_SOAK_STEPS")) {
        options.steps = std::stol(*steps);
        // A replay by step number runs to its end however long it takes.
        if (!setting(argc, argv, "--seconds", "ZELV_SOAK_SECONDS"))
            options.seconds = 1e9;
    }
    options.trace = qEnvironmentVariableIsSet("ZELV_SOAK_TRACE");
    return options;
}

} // namespace
} // namespace zelv::soak

namespace {

// The offscreen platform says for every popup that it cannot raise it or
// grab the keyboard; everything else Qt says goes through.
void quietPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support"))
        || message.contains(QLatin1String("OpenType support missing")))
        return;
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatformNotices);
    const zelv::soak::Options options = zelv::soak::readOptions(argc, argv);
    zelv::soak::Faults faults;
    zelv::soak::SoakApplication app(argc, argv, faults);
    zelv::soak::Soak soak(options, faults);
    return soak.run();
}
