// The per-character helpers every scan and search leans on, and the INI
// parser that loads language files, against the floor of reading and
// sorting the same lines.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/CommaText.h"
#include "base/Locale.h"
#include "base/Unicode.h"
#include "utils/FastIniUtils.h"
#include "utils/FileUtils.h"

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

// ---- INI loading ----------------------------------------------------------------

// A language file of `keys` keys in one section (the string constants of a
// large program), in random order, as files edited by hand or merged by
// tools are; written once per size to a temporary file.
const std::string& IniFile(int keys) {
    static std::map<int, std::string> files;
    auto [it, inserted] = files.try_emplace(keys);
    if (!inserted)
        return it->second;
    std::mt19937 rng(4711);
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(keys));
    for (int i = 0; i < keys; ++i)
        lines.push_back("fmForm" + std::to_string(i % 97) + ".Component" + std::to_string(i) +
                        ".Caption=Text number " + std::to_string(i));
    std::shuffle(lines.begin(), lines.end(), rng);
    std::string text = "[String constants section]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    it->second =
        (std::filesystem::temp_directory_path() / ("nimbra-bench-" + std::to_string(keys) + ".lng"))
            .string();
    nimbra::WriteFileReplacing(it->second, text);
    return it->second;
}

void IniSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(200'000)->Unit(benchmark::kMillisecond);
}

void BM_IniLoad(benchmark::State& state) {
    const std::string& file = IniFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        nimbra::TFastIniFile ini(file);
        benchmark::DoNotOptimize(ini.ReadString("String constants section", "x", ""));
    }
}
BENCHMARK(BM_IniLoad)->Apply(IniSizes);

// The floor: reading and decoding the same file, cutting it into lines and
// sorting them once.
void BM_IniLoadBaseline(benchmark::State& state) {
    const std::string& file = IniFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::string text = nimbra::DecodeTextFile(nimbra::ReadFileBytes(file, 1 << 30));
        std::vector<std::string_view> lines;
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t end = std::min(text.find("\r\n", pos), text.size());
            lines.push_back(std::string_view(text).substr(pos, end - pos));
            pos = end + 2;
        }
        std::sort(lines.begin(), lines.end());
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_IniLoadBaseline)->Apply(IniSizes);

}  // namespace
