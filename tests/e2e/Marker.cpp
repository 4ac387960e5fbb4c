// A program for the end-to-end tests to launch: it writes its first
// argument into the file named by its second, so the test sees which
// shortcut was opened.
#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3)
        return 2;
    FILE* file = _wfopen(argv[2], L"wb");
    if (file == nullptr)
        return 1;
    std::fprintf(file, "%ls", argv[1]);
    std::fclose(file);
    return 0;
}
