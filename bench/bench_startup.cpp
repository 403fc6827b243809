// Start-up as whole processes: the program built from its own main(), the reference window with
// the same widgets and pictures, and the empty and one-label windows to read the figures by,
// each timed from its spawn to the end of its first expose.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <string>

extern char** environ;

namespace {

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Seconds from spawn to the first shown window.
double startOnce(const char* program)
{
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program), nullptr};
    pid_t pid = 0;
    const long long start = monotonicNanoseconds();
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        throw std::runtime_error(std::string("cannot start ") + program);
    }
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const auto at = text.find("exposed ");
    if (at == std::string::npos)
        throw std::runtime_error(std::string(program) + " showed no window");
    return (std::stoll(text.substr(at + 8)) - start) / 1e9;
}

void startUp(benchmark::State& state, const char* program)
{
    for (auto _ : state)
        state.SetIterationTime(startOnce(program));
    state.counters["units"] = 1;
}

const bool registered = [] {
    benchmark::RegisterBenchmark("Startup/vantorbel", startUp, VANTORBEL_STARTUP_PROBE)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Startup/empty_window", startUp, EMPTY_WINDOW_PROBE)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Startup/label_window", startUp, LABEL_WINDOW_PROBE)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Startup/reference_window", startUp, REFERENCE_WINDOW_PROBE)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
