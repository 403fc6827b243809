#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

// One measured piece of work. The same cases run under Google Benchmark (time) and once under
// callgrind (instruction counts), so both report on exactly the same code.
struct Case {
    std::string name;
    // Units of work in one run (values, pages, programs started); ratios compare time per unit.
    std::function<double()> units = [] {
        return 1.0;
    };
    // Untimed, before every run: brings back the state the run starts from.
    std::function<void()> prepare = {};
    std::function<void()> run;
    // Run once more, untimed, before every repetition: for work whose first run after the other
    // cases would pay for what they left cold or took away (glyph caches, a bitmap's pages).
    bool warmUp = false;
    // Another case, by name, timed in the same iterations as this one, run just before it each
    // time, instead of in repetitions of its own; both are timed by the thread's CPU clock. The
    // machine's speed at work that waits on memory can halve from one second to the next,
    // and two cases timed seconds apart would be compared at different speeds.
    std::string timedWith = {};
};

std::vector<Case>& Cases();

struct Register {
    explicit Register(Case c) { Cases().push_back(std::move(c)); }
};

} // namespace bench
