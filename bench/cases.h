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
    std::function<void()> prepare;
    std::function<void()> run;
};

std::vector<Case>& Cases();

struct Register {
    explicit Register(Case c) { Cases().push_back(std::move(c)); }
};

} // namespace bench
