// Benchmarks measured beside a Python peer: the peer is a script that times its own work and
// prints its processor time and wall time per run, in seconds, on one line.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace platform::testing {

// Runs the peer's command once an iteration: the manual time is the peer's processor time per
// run, the counter wall_ms its wall time. False, with the benchmark skipped, when the peer does
// not run or prints no times.
inline bool RunPythonPeer(benchmark::State& state, const std::string& command) {
    double wallTotal = 0;
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        double cpu = 0;
        double wall = 0;
        if (pipe == nullptr || std::fscanf(pipe, "%lf %lf", &cpu, &wall) != 2) {
            if (pipe != nullptr) {
                pclose(pipe);
            }
            state.SkipWithError("python3 is not available");
            return false;
        }
        pclose(pipe);
        state.SetIterationTime(cpu);
        wallTotal += wall;
    }
    state.counters["wall_ms"] = 1000 * wallTotal / static_cast<double>(state.iterations());
    return true;
}

}  // namespace platform::testing
