#pragma once
// The surroundings of the window under the soak: a seeded random source, an
// application that catches whatever escapes an event handler, an error
// presenter that may answer with a real modal box, something that answers
// every menu and dialog that opens (so nothing blocks), and a watchdog that
// names the step that hangs.

#include "ErrorPresenter.h"

#include <QApplication>
#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace zelv::soak {

// Every choice of the soak comes from here, so one seed replays a run.
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    // 0..n-1; 0 for n == 0.
    std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : engine_() % n; }
    int between(int low, int high) { return low + static_cast<int>(below(static_cast<std::uint64_t>(high - low + 1))); }
    bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }

    // Throws std::out_of_range for an empty list (a soak fault, reported
    // with the seed).
    template <class T>
    T pick(const std::vector<T>& items) { return items.at(below(items.size())); }

private:
    std::mt19937_64 engine_;
};

// What went wrong during a step; the runner reports the first and stops.
using Faults = std::vector<std::string>;

// A printable, bounded form of a text for step descriptions and reports.
std::string printable(const QString& text, int limit = 80);

// An exception that leaves an event handler ends here instead of crossing
// Qt's event loop, and is recorded as a fault.
class SoakApplication final : public QApplication {
public:
    SoakApplication(int& argc, char** argv, Faults& faults) : QApplication(argc, argv), faults_(faults) {}
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Faults& faults_;
};

// Records every error the window shows.  With real boxes on, it also runs
// the program's own modal message box, which takes the activation away from
// the window while it is open, as on the desktop.
class SoakPresenter final : public ErrorPresenter {
public:
    struct Shown {
        QString caption;
        QString text;
    };

    void showError(const QString& caption, const QString& text) override;
    // Counted as shown; without real boxes the answer is "Nein", which
    // leaves the window as it was.
    bool askYesNo(const QString& caption, const QString& question) override;

    std::vector<Shown> shown; // since the runner last cleared it
    long total = 0;
    bool realBoxes = false;
    bool boxOpen = false;
};

// Answers every menu and dialog as soon as it shows, from inside its own
// event loop when it runs one: a menu gets Escape or one of its enabled
// entries by arrow keys and Return; the presenter's message box gets Return,
// Escape or Space.  Any other box or dialog is a fault (the window shows its
// errors through the presenter only) and is rejected.
class PopupAnswerer final : public QObject {
public:
    PopupAnswerer(Random& random, SoakPresenter& presenter, Faults& faults)
        : random_(random), presenter_(presenter), faults_(faults) {}

    long menusAnswered = 0;
    long entriesChosen = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answer(QWidget* popup);

    Random& random_;
    SoakPresenter& presenter_;
    Faults& faults_;
};

// Ends the process with a report when no step has finished for `limit`:
// a modal loop that nobody closes would otherwise hang the test command.
class Watchdog {
public:
    Watchdog(std::chrono::seconds limit, std::uint64_t seed);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void beat(long step, const std::string& description);

private:
    void watch();

    std::chrono::seconds limit_;
    std::uint64_t seed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    long step_ = 0;
    std::string description_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    std::thread thread_;
};

} // namespace zelv::soak
