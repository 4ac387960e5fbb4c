// The per-character helpers every scan and search leans on.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/CommaText.h"
#include "base/Locale.h"

namespace {

void BM_AnsiUpperCaseAscii(benchmark::State& state) {
    const std::string title = "Microsoft Visual Studio Code - Insiders";
    for (auto _ : state)
        benchmark::DoNotOptimize(nimbra::AnsiUpperCase(title));
}
BENCHMARK(BM_AnsiUpperCaseAscii);

void BM_AnsiUpperCaseUnicode(benchmark::State& state) {
    const std::string title = "Übersicht der Änderungen – Größe";
    for (auto _ : state)
        benchmark::DoNotOptimize(nimbra::AnsiUpperCase(title));
}
BENCHMARK(BM_AnsiUpperCaseUnicode);

void BM_CommaTextRoundTrip(benchmark::State& state) {
    const std::vector<std::string> items = {"Start Menu", "C:\\Users\\Public\\Desktop", "plain",
                                            "with \"quotes\"", ""};
    for (auto _ : state)
        benchmark::DoNotOptimize(nimbra::DecodeCommaText(nimbra::EncodeCommaText(items)));
}
BENCHMARK(BM_CommaTextRoundTrip);

}  // namespace
