// The search engine's speed and size: filtering synthetic catalogues against
// the memory-bandwidth floor, and scanning a real tree against a bare
// directory listing of the same tree.
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <malloc.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/FindBytes.h"
#include "base/Locale.h"
#include "base/UiDispatcher.h"
#include "folders/NimbraCustomFolders.h"
#include "search/ItemsView.h"
#include "search/NimbraTypes.h"

namespace {

using namespace nimbra;

// ---- synthetic catalogues ------------------------------------------------------

const char* const kWords[] = {
    "Microsoft", "Office",  "Word",      "Excel",       "PowerPoint", "Outlook", "Adobe",
    "Acrobat",   "Reader",  "Photoshop", "Visual",      "Studio",     "Code",    "Google",
    "Chrome",    "Mozilla", "Firefox",   "Thunderbird", "Notepad",    "Paint",   "Calculator",
    "Setup",     "Readme",  "Uninstall", "Help",        "Manual",     "License", "Release",
    "Notes",     "Report",  "Invoice",   "Budget",      "Photo",      "Holiday", "Project",
    "Backup",    "Config",  "Driver",    "Update",      "Tools",      "Games",   "Music",
    "Player",    "Video",   "Editor",    "Viewer",      "Manager",    "Console", "Terminal",
    "Server",    "Client",  "Network",   "Security",    "Antivirus",  "Cleaner", "Archive"};
const char* const kExtensions[] = {".lnk",  ".lnk",  ".lnk", ".url", ".txt", ".pdf",
                                   ".docx", ".xlsx", ".exe", ".dll", ".jpg", ".ini"};

std::string RandomName(std::mt19937& rng, bool withExtension) {
    std::uniform_int_distribution<int> wordCount(1, 3);
    std::uniform_int_distribution<std::size_t> word(0, std::size(kWords) - 1);
    std::uniform_int_distribution<std::size_t> ext(0, std::size(kExtensions) - 1);
    std::uniform_int_distribution<int> number(0, 99);
    std::string name;
    const int n = wordCount(rng);
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            name += ' ';
        name += kWords[word(rng)];
    }
    if (number(rng) < 30)
        name += " " + std::to_string(number(rng));
    if (withExtension)
        name += kExtensions[ext(rng)];
    return name;
}

// A folder of a synthetic tree before it goes into a catalogue.
struct TreeFolder {
    std::string name;
    TDateTime changed = 0;
    std::vector<std::pair<std::string, TDateTime>> files;
    std::vector<std::unique_ptr<TreeFolder>> folders;
};

// Adds a folder's files, then its subfolders, each sorted by name as a scan
// would.
void AddInScanOrder(TProgramMenuItems& items, TProgramMenuItem entry, TreeFolder& folder) {
    const auto byName = [](const auto& a, const auto& b) { return AnsiCompareText(a, b) < 0; };
    std::sort(folder.files.begin(), folder.files.end(),
              [&](const auto& a, const auto& b) { return byName(a.first, b.first); });
    std::sort(folder.folders.begin(), folder.folders.end(),
              [&](const auto& a, const auto& b) { return byName(a->name, b->name); });
    for (const auto& [name, changed] : folder.files)
        items.AddFile(entry, name, changed);
    for (const auto& sub : folder.folders)
        AddInScanOrder(items, items.AddFolder(entry, sub->name, sub->changed), *sub);
}

// About `entries` entries: folders of 5 to 40 files, nested up to 4 deep.
std::unique_ptr<TProgramMenuItems> MakeCatalogue(int entries) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> files(5, 40);
    std::uniform_int_distribution<int> depth(1, 4);
    std::uniform_real_distribution<double> age(0, 3650);
    const TDateTime now = Now();
    TreeFolder root;
    std::vector<TreeFolder*> chain{&root};
    for (int count = 1; count < entries;) {
        chain.resize(
            static_cast<std::size_t>(std::min<int>(depth(rng), static_cast<int>(chain.size()))));
        // The date is drawn before the name: the catalogue stays the one the
        // figures so far were measured on.
        auto folder = std::make_unique<TreeFolder>();
        folder->changed = now - age(rng);
        folder->name = RandomName(rng, false);
        chain.push_back(folder.get());
        chain[chain.size() - 2]->folders.push_back(std::move(folder));
        ++count;
        const int fileCount = files(rng);
        for (int i = 0; i < fileCount && count < entries; ++i, ++count) {
            const TDateTime changed = now - age(rng);
            chain.back()->files.emplace_back(RandomName(rng, true), changed);
        }
    }
    auto items = std::make_unique<TProgramMenuItems>([] { return 0; });
    AddInScanOrder(*items, items->AddRoot("C:\\ProgramData\\Start Menu", "Start Menu", now), root);
    return items;
}

TProgramMenuItems& Catalogue(int entries) {
    static std::map<int, std::unique_ptr<TProgramMenuItems>> cache;
    auto& slot = cache[entries];
    if (!slot)
        slot = MakeCatalogue(entries);
    return *slot;
}

class NullList : public TResultList {
  public:
    void SetRowCount(int count) override { rows = count; }
    int SelectedRow() const override { return selected; }
    void SelectRow(int row) override { selected = row; }
    void RedrawRow(int) override {}
    void Invalidate() override {}
    int rows = 0;
    int selected = -1;
};

const char* const kRequests[] = {"", "acrobat", "acrobat rea", "acro read 2"};
const char* const kBroadRequests[] = {"", "e", "e o", "e o a"};

// A view over a catalogue, feeding a list that keeps nothing.
struct BenchView {
    explicit BenchView(TProgramMenuItems& items) {
        view.SetItems(&items);
        view.SetListView(&list);
    }
    ~BenchView() { view.SetItems(nullptr); }
    void Filter(const std::string& request) {
        view.ApplyFilter(request, false, 1, rpDay, false, true, true);
        benchmark::DoNotOptimize(list.rows);
    }

    ManualDispatcher dispatcher;
    NullList list;
    TItemsView view{dispatcher, nullptr};
};

void RunFilter(benchmark::State& state, const char* const* requests) {
    TProgramMenuItems& items = Catalogue(static_cast<int>(state.range(0)));
    const std::string request = requests[state.range(1)];
    BenchView bench(items);
    for (auto _ : state) {
        // Each round is a full pass, not the answer kept from the last one.
        items.DropMatchSets();
        bench.Filter(request);
    }
    state.counters["rows"] = bench.list.rows;
}

void BM_ApplyFilter(benchmark::State& state) {
    RunFilter(state, kRequests);
}
void BM_ApplyFilterBroad(benchmark::State& state) {
    RunFilter(state, kBroadRequests);
}

void FilterArgs(benchmark::internal::Benchmark* b) {
    for (int entries : {10'000, 100'000, 1'000'000})
        for (int words : {1, 2, 3})
            b->Args({entries, words});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ApplyFilter)->Apply(FilterArgs);
BENCHMARK(BM_ApplyFilterBroad)->Apply(FilterArgs);

// The floor: one memmem pass for the one-word request over all keys laid end
// to end in one buffer, counting the hits.
// The same pass with the program's own search, to see which is faster here.
void BM_FindBytesPass(benchmark::State& state) {
    TProgramMenuItems& items = Catalogue(static_cast<int>(state.range(0)));
    std::string buffer;
    for (int i = 0; i < items.Count(); ++i) {
        buffer += items.Items(i).SearchKey();
        buffer += '\0';
    }
    const std::string needle = AnsiUpperCase(kRequests[1]);
    for (auto _ : state) {
        std::size_t hits = 0;
        const char* p = buffer.data();
        const char* end = buffer.data() + buffer.size();
        while (const char* found =
                   FindBytes(p, static_cast<std::size_t>(end - p), needle.data(), needle.size())) {
            ++hits;
            p = found + 1;
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_FindBytesPass)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void SubstringFloor(benchmark::State& state, const char* word) {
    TProgramMenuItems& items = Catalogue(static_cast<int>(state.range(0)));
    std::string buffer;
    for (int i = 0; i < items.Count(); ++i) {
        buffer += items.Items(i).SearchKey();
        buffer += '\0';
    }
    const std::string needle = AnsiUpperCase(word);
    for (auto _ : state) {
        std::size_t hits = 0;
        const char* p = buffer.data();
        const char* end = buffer.data() + buffer.size();
        while (const void* found =
                   memmem(p, static_cast<std::size_t>(end - p), needle.data(), needle.size())) {
            ++hits;
            p = static_cast<const char*>(found) + 1;
        }
        benchmark::DoNotOptimize(hits);
        state.counters["hits"] = static_cast<double>(hits);
    }
}
void BM_SubstringFloor(benchmark::State& state) {
    SubstringFloor(state, kRequests[1]);
}
void BM_SubstringFloorBroad(benchmark::State& state) {
    SubstringFloor(state, kBroadRequests[1]);
}
BENCHMARK(BM_SubstringFloor)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubstringFloorBroad)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// A request typed one character at a time into an empty box: each keystroke
// is one filter.
void BM_TypeRequest(benchmark::State& state) {
    TProgramMenuItems& items = Catalogue(static_cast<int>(state.range(0)));
    const std::string typed = "quartz";
    BenchView bench(items);
    for (auto _ : state) {
        items.DropMatchSets();
        for (std::size_t length = 1; length <= typed.size(); ++length)
            bench.Filter(typed.substr(0, length));
    }
}
BENCHMARK(BM_TypeRequest)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// One loaded icon finds its entries by path: a folder of `files` files (in
// scan order, sorted by name) beside a few subfolders.
void BM_FindByPath(benchmark::State& state) {
    const auto files = static_cast<int>(state.range(0));
    std::mt19937 rng(99);
    std::vector<std::pair<std::string, std::string>> names;  // sort key, name
    for (int i = 0; i < files; ++i) {
        std::string name = RandomName(rng, true) + " " + std::to_string(i);
        names.emplace_back(AnsiSortKey(name), std::move(name));
    }
    std::sort(names.begin(), names.end());
    TProgramMenuItems items{[] { return 0; }};
    const TProgramMenuItem root = items.AddRoot("C:\\Users\\Me\\Documents", "Documents", 0);
    const TProgramMenuItem folder = items.AddFolder(root, "Downloads", 0);
    for (const auto& [key, name] : names)
        items.AddFile(folder, name, 0);
    for (const char* sub : {"Archive", "Music", "Pictures"})
        items.AddFile(items.AddFolder(folder, sub, 0), "inside.txt", 0);
    std::vector<std::string> paths;
    for (int i = 0; i < 256; ++i)
        paths.push_back("c:\\users\\me\\documents\\DOWNLOADS\\" +
                        names[rng() % names.size()].second);
    std::size_t next = 0;
    for (auto _ : state) {
        int cursor = -1;
        benchmark::DoNotOptimize(items.FindByPath(paths[next++ % paths.size()], cursor));
    }
}
BENCHMARK(BM_FindByPath)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// ---- scanning a real tree ------------------------------------------------------

// About 200,000 files in 2,000 folders three levels deep, made once and kept
// in the temporary folder for later runs.
std::string BenchTree() {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "nimbra-bench-tree-200k";
    const fs::path marker = root / ".complete";
    if (fs::exists(marker))
        return root.string();
    fs::remove_all(root);
    std::mt19937 rng(777);
    for (int a = 0; a < 20; ++a) {
        for (int b = 0; b < 10; ++b) {
            for (int c = 0; c < 10; ++c) {
                const fs::path dir = root / ("Group " + std::to_string(a)) /
                                     ("Vendor " + std::to_string(b)) /
                                     ("Product " + std::to_string(c));
                fs::create_directories(dir);
                for (int f = 0; f < 100; ++f) {
                    const fs::path file = dir / (RandomName(rng, true) + " " + std::to_string(f));
                    std::ofstream(file).put('x');
                }
            }
        }
    }
    std::ofstream(marker).put('x');
    return root.string();
}

std::size_t BareList(const std::string& folder) {
    std::size_t count = 0;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return 0;
    while (dirent* e = readdir(dir)) {
        if (strcmp(e->d_name, ".") == 0 || strcmp(e->d_name, "..") == 0)
            continue;
        const std::string path = folder + "/" + e->d_name;
        struct stat st {};
        if (stat(path.c_str(), &st) != 0)
            continue;
        ++count;
        if (S_ISDIR(st.st_mode))
            count += BareList(path);
    }
    closedir(dir);
    return count;
}

void BM_BareListing(benchmark::State& state) {
    const std::string tree = BenchTree();
    std::size_t entries = 0;
    for (auto _ : state)
        entries = BareList(tree);
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["entries_per_second"] = benchmark::Counter(
        static_cast<double>(entries), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BareListing)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Rescan(benchmark::State& state) {
    const std::string tree = BenchTree();
    TCustomFolders folders;
    folders.Add()->Paths()->AddDisk(tree);
    int entries = 0;
    double bytesPerEntry = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        TProgramMenuItems items{[] { return 0; }};
        items.Rescan(folders);
        const std::size_t after = mallinfo2().uordblks;
        entries = items.Count();
        bytesPerEntry = static_cast<double>(after - before) / entries;
    }
    state.counters["entries"] = entries;
    state.counters["entries_per_second"] =
        benchmark::Counter(entries, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes_per_entry"] = bytesPerEntry;
}
BENCHMARK(BM_Rescan)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

namespace {

// The two passes of a filter on their own, to see where its time goes.
void BM_FilterPasses(benchmark::State& state) {
    TProgramMenuItems& items = Catalogue(1'000'000);
    const TMatchRequest request{SplitRequest(kRequests[1])};
    std::vector<std::uint32_t> rows;
    rows.reserve(1'000'000);
    for (auto _ : state) {
        if (state.range(0) == 0) {
            items.MarkMatches(request);
        } else {
            rows.clear();
            benchmark::DoNotOptimize(items.CollectShown(rows));
        }
    }
}
BENCHMARK(BM_FilterPasses)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
