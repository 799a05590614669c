#pragma once
// The one place that decides what the clipboard reader answers: a table of
// rules (Resolver.cpp), tried in order; the first that applies gives the
// reading or the refusal.
//
// Readings of one position that repeat each other (the same place in
// degrees and minutes, in decimals and as Wikipedia's hidden decimals) agree
// where the intervals of half their last written places share a point; the
// finest of them is taken.  Two readings that do not agree are refused,
// naming both.

#include "ClipboardReader.h"
#include "Readings.h"

#include <optional>
#include <string_view>
#include <vector>

namespace zelv {

// Everything the readers found in a text.
struct Findings {
    std::string_view text; // UTF-8
    std::optional<Reading> fixed;
    // A fixed notation entered, whose number did not convert.
    std::optional<Refusal> fixedFailure;
    std::optional<Reading> wholeText;
    std::optional<Refusal> wholeTextRefusal;
    Evidence evidence;
};

ReaderResult resolve(const Findings& findings);

// The rules in their order, by name, for the tests that hold one row per
// rule; resolve() reports which rule gave its answer through `ruleUsed`.
std::vector<std::string_view> precedenceRules();
ReaderResult resolve(const Findings& findings, std::string_view* ruleUsed);

} // namespace zelv
