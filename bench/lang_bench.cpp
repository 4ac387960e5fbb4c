// The cost of a translated text against the built-in one, of reading a large
// language file once per switch, and of showing a help topic.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "help/CommonAppHelp.h"
#include "help/HelpUtilsEx.h"
#include "utils/NewLangUtils.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSections = 200;
constexpr int kIdents = 50;

// A folder with a large "Big.lng" (10,000 texts) whose template "Base.lng"
// holds one more text, and a global localizer switched to "Big".
class LanguageFixture {
  public:
    LanguageFixture() : folder_(fs::temp_directory_path() / "nimbra-lang-bench") {
        fs::create_directories(folder_);
        std::ofstream big(folder_ / "Big.lng", std::ios::binary);
        big << "[Template section]\r\nTemplate=Base\r\n";
        for (int s = 0; s < kSections; ++s) {
            big << "[Window" << s << "]\r\n";
            for (int i = 0; i < kIdents; ++i)
                big << "Label" << i << ".Caption=\"Text number " << i << " of " << s << "\"\r\n";
        }
        big.close();
        std::ofstream(folder_ / "Base.lng", std::ios::binary) << "[Window7]\r\nOnlyHere=Base\r\n";
        std::ofstream(folder_ / "Default.lng", std::ios::binary) << "";
        nimbra::SetLanguageFolder(folder_.string());
        global_ = std::make_unique<nimbra::TGlobalLocalizer>(nullptr);
    }
    ~LanguageFixture() {
        global_.reset();
        nimbra::SetLanguageFolder({});
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    nimbra::TGlobalLocalizer& Global() { return *global_; }
    std::string Folder() const { return folder_.string(); }

  private:
    fs::path folder_;
    std::unique_ptr<nimbra::TGlobalLocalizer> global_;
};

// The built-in language is the baseline: it never looks at a file.
void BM_LocalizedString(benchmark::State& state, const char* language, const char* section,
                        const char* ident) {
    LanguageFixture fixture;
    fixture.Global().SetActiveLanguage(language);
    for (auto _ : state)
        benchmark::DoNotOptimize(nimbra::GetLocalizedString(section, ident, "x"));
}
BENCHMARK_CAPTURE(BM_LocalizedString, BuiltIn, "Default", "Window150", "Label25.Caption");
BENCHMARK_CAPTURE(BM_LocalizedString, Translated, "Big", "Window150", "Label25.Caption");
BENCHMARK_CAPTURE(BM_LocalizedString, FromTheTemplate, "Big", "Window7", "OnlyHere");

// What a switch costs before the first text: reading and sorting the file.
void BM_LanguageFileFirstLookup(benchmark::State& state) {
    LanguageFixture fixture;
    nimbra::TLanguageFile file(fixture.Folder());
    file.SetLanguage("Big");
    for (auto _ : state) {
        nimbra::ClearCache();
        benchmark::DoNotOptimize(file.ReadText("Window150", "Label25.Caption", "x"));
    }
}
BENCHMARK(BM_LanguageFileFirstLookup)->Unit(benchmark::kMillisecond);

void BM_HelpTopicAsRichText(benchmark::State& state) {
    nimbra::TComponent program(nullptr);
    nimbra::CreateHelpModules(&program);
    const nimbra::THelpStore& store = nimbra::HelpStore();
    const std::string id = "App.Dialogs.Nimbra";
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.ToRichText(id, store.Expand(id, store.TopicText(id)), {}));
    }
}
BENCHMARK(BM_HelpTopicAsRichText)->Unit(benchmark::kMicrosecond);

// The largest text a topic can expand to, in a language whose every letter
// needs escaping (accents of the code page, and Cyrillic beyond it): it must
// stay linear and cheap per character.
void BM_HelpAccentedTextAsRichText(benchmark::State& state) {
    nimbra::THelpStore store;
    std::string text;
    while (text.size() < static_cast<std::size_t>(state.range(0)))
        text += "Caf\xC3\xA9 \xC3\xBC\xC3\x9F \xD0\x96\xD0\xB8 ";
    for (auto _ : state)
        benchmark::DoNotOptimize(store.ToRichText("App", text, {}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_HelpAccentedTextAsRichText)
    ->Arg(2 << 10)
    ->Arg(32 << 10)
    ->Arg(256 << 10)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
