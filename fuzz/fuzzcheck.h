#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property aborts, so libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char *what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}
