#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property stops the run with a message, so libFuzzer keeps the input as a crash and a
// replay without libFuzzer fails the same way.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
