// Table generation against a plain copy of as many bytes as the table's text: the ratio shows
// how far the generator is from the cost of merely writing its output.

#include "tablegenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

TableSettings Settings(int rows, int cols, std::size_t textLength) {
    // Width and spacing present, so the opening tag takes its longer path.
    TableSettings s;
    s.rows = rows;
    s.cols = cols;
    s.width = std::string("100");
    s.spacing = std::string("0");
    if (textLength > 0) {
        s.cellText = std::string(textLength, 'x');
    }
    return s;
}

double MinOf(const std::vector<double> &v) {
    return *std::min_element(v.begin(), v.end());
}
double MaxOf(const std::vector<double> &v) {
    return *std::max_element(v.begin(), v.end());
}

// Into a reused result, as the window regenerates on every change.
void Generate(benchmark::State &state, int rows, int cols, std::size_t textLength) {
    const TableSettings s = Settings(rows, cols, textLength);
    GeneratedTable out;
    GenerateTable(s, out);
    for (auto _ : state) {
        GenerateTable(s, out);
        benchmark::DoNotOptimize(out.html.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.html.size()));
    state.counters["bytes"] = static_cast<double>(out.html.size());
}

// Into a fresh result each time, allocations included.
void GenerateFresh(benchmark::State &state, int rows, int cols, std::size_t textLength) {
    const TableSettings s = Settings(rows, cols, textLength);
    std::size_t size = 0;
    for (auto _ : state) {
        GeneratedTable out = GenerateTable(s);
        benchmark::DoNotOptimize(out.html.data());
        size = out.html.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void Memcpy(benchmark::State &state, int rows, int cols, std::size_t textLength) {
    const std::size_t size = GenerateTable(Settings(rows, cols, textLength)).html.size();
    std::vector<char> from(size, 'x');
    std::vector<char> to(size);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["bytes"] = static_cast<double>(size);
}

} // namespace

// Each generation beside a copy of as many bytes; min and max join the repetition aggregates.
#define TABLE_CASE(name, rows, cols, text)                                                         \
    BENCHMARK_CAPTURE(Generate, name, rows, cols, text)                                            \
        ->ComputeStatistics("min", MinOf)                                                          \
        ->ComputeStatistics("max", MaxOf);                                                         \
    BENCHMARK_CAPTURE(Memcpy, name, rows, cols, text)                                              \
        ->ComputeStatistics("min", MinOf)                                                          \
        ->ComputeStatistics("max", MaxOf)

TABLE_CASE(5x5, 5, 5, 0);
TABLE_CASE(30x30, 30, 30, 0);
TABLE_CASE(99x99, 99, 99, 0);
TABLE_CASE(30x30_text1000, 30, 30, 1000);
BENCHMARK_CAPTURE(GenerateFresh, 30x30, 30, 30, 0)
    ->ComputeStatistics("min", MinOf)
    ->ComputeStatistics("max", MaxOf);

BENCHMARK_MAIN();
