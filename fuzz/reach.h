#pragma once

// What every fuzz target shares: a check that turns a broken promise into a finding, and
// a record of the stages its inputs reached. With ORVANE_FUZZ_REACH set, a target lists
// the stages at exit and fails when one it expects was never reached, so a run over the
// seed corpus proves that the seeds get through to the code that matters.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <unistd.h>
#include <utility>
#include <vector>

#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, __FILE__, __LINE__);   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace Reach {

inline std::vector<std::pair<const char *, long>> &stages()
{
    static std::vector<std::pair<const char *, long>> s;
    return s;
}

inline void report()
{
    bool missing = false;
    for (const auto &[stage, count] : stages()) {
        std::printf("reach: %-48s %ld\n", stage, count);
        missing = missing || count == 0;
    }
    std::fflush(stdout);
    if (missing) {
        std::fprintf(stderr, "reach: the seeds miss a stage\n");
        _exit(3);
    }
}

// Called once, from LLVMFuzzerInitialize.
inline void expect(std::initializer_list<const char *> names)
{
    for (const char *name : names)
        stages().emplace_back(name, 0);
    if (std::getenv("ORVANE_FUZZ_REACH"))
        std::atexit(report);
}

inline void hit(const char *name)
{
    for (auto &stage : stages()) {
        if (std::strcmp(stage.first, name) == 0) {
            ++stage.second;
            return;
        }
    }
    FUZZ_CHECK(false, "a stage nobody expects");
}

} // namespace Reach
