// Entry point of quillobar-cli: hands the arguments, as UTF-16, to runCli.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_run.h"

#ifdef _WIN32
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    return quillobar::runCli(args, quillobar::systemOs(), stdout, stderr);
}
#else
#include "os/utf8.h"

int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.push_back(quillobar::fromUtf8(argv[i]));
    return quillobar::runCli(args, quillobar::systemOs(), stdout, stderr);
}
#endif
