#pragma once

#include <benchmark/benchmark.h>

// main() of a benchmark that needs a Qt application object of the given kind.
#define LEXICANT_BENCHMARK_MAIN(Application)                                                       \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        Application app(argc, argv);                                                               \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
