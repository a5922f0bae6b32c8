#pragma once

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input; abort so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                  \
    do {                                                                       \
        if (!(condition)) {                                                    \
            std::fprintf(stderr, "FUZZ_CHECK failed: %s\n", #condition);       \
            std::abort();                                                      \
        }                                                                      \
    } while (0)
