// Random user actions over both main windows and the column/row settings
// window, with a faked spreadsheet whose user acts too and which fails and
// stalls at random, from a seed: after every action the program keeps its
// rules (see Monkey.cpp). A failure prints the seed and a short sequence of
// actions that reproduces it.
//
// LUMITAG_MONKEY_SEED=<n> plays one seed; LUMITAG_MONKEY_EVENTS=<n> sets the
// number of actions per seed (long runs: 200000); LUMITAG_MONKEY_STATS=1
// prints what each run went through, LUMITAG_MONKEY_TRACE=1 every action.
#include "hardening/Monkey.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace lumitag::hardening {
namespace {

std::size_t fromEnvironment(const char* name, std::size_t fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::stoull(value) : fallback;
}

TEST(Monkey, SeededRunsKeepTheRules) {
    const std::size_t events = fromEnvironment("LUMITAG_MONKEY_EVENTS", 2500);
    std::vector<std::uint64_t> seeds{20261210, 7};
    if (std::getenv("LUMITAG_MONKEY_SEED") != nullptr)
        seeds = {fromEnvironment("LUMITAG_MONKEY_SEED", 0)};
    for (const std::uint64_t seed : seeds) {
        // Odd seeds start without the table file, even ones with it.
        const WithTable table = seed % 2 == 0 ? WithTable::Yes : WithTable::No;
        MonkeyStats stats;
        const auto started = std::chrono::steady_clock::now();
        const std::optional<MonkeyFailure> failure = runMonkey(seed, events, table, &stats);
        if (std::getenv("LUMITAG_MONKEY_STATS") != nullptr) {
            const auto seconds =
                std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
            std::printf("seed %llu: %zu actions in %lld s, %zu spreadsheet calls (at most %zu in one step)\n",
                        static_cast<unsigned long long>(seed), events,
                        static_cast<long long>(seconds.count()), stats.hostCalls, stats.mostCallsInAStep);
            for (const auto& [name, n] : stats.counts)
                std::printf("  %8zu  %s\n", n, name.c_str());
        }
        if (!failure)
            continue;
        std::string steps;
        for (const MonkeyEvent& event : minimise(failure->events, table))
            steps += "\n  " + event.describe();
        ADD_FAILURE() << "seed " << seed << " (" << (table == WithTable::Yes ? "with" : "without")
                      << " the table file), after " << failure->events.size() << " actions: " << failure->what
                      << "\nreplay:" << steps;
    }
}

} // namespace
} // namespace lumitag::hardening
