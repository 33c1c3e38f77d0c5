#include "cli/cli_run.h"

#include "cli/cli_options.h"
#include "cli/console_ui.h"
#include "engine/integer_text.h"
#include "engine/run_driver.h"
#include "location/capacity.h"
#include "location/work_paths.h"
#include "os/utf8.h"

namespace quillobar {
namespace {

int badInput(std::FILE* err, const std::string& message) {
    std::fprintf(err, "quillobar-cli: %s\n", message.c_str());
    return 2;
}

}  // namespace

int runCli(const std::vector<std::u16string>& args, Os& os, std::FILE* out, std::FILE* err) {
    std::string error;
    const std::optional<CliOptions> parsed = parseCliOptions(args, error);
    if (!parsed) return badInput(err, error + " (see --help)");
    CliOptions options = *parsed;
    if (options.help) {
        std::fputs(kCliUsage, out);
        return 0;
    }

    if (options.drive.empty()) options.drive = os.currentDirectory();
    if (options.drive.back() != u'/' && options.drive.back() != u'\\') options.drive += os.pathSeparator();
    if (!os.isDirectory(options.drive)) return badInput(err, "--drive folder does not exist: " + toUtf8(options.drive));

    TestState state;
    setStartupValues(state);
    state.freeRamBytes = readFreeMemory(os);
    const std::int64_t maxSizeGb = state.freeRamBytes / kBytesPerGb;
    if (options.sizeGb > maxSizeGb) {
        return badInput(err, "--size-gb " + toUtf8(integerText(options.sizeGb)) +
                                 " is more than the free memory allows (at most " +
                                 toUtf8(integerText(maxSizeGb)) + ")");
    }

    // The same start-up steps as the window: paths, folder, stale work file.
    state.driveRoot = options.drive;
    state.freeDiskBytes = readFreeDiskSpace(os, state.driveRoot);
    deriveWorkPaths(state, os.pathSeparator());
    createFolder(os, state.workFolder);
    state.fillCode = options.fillCode;
    state.sizeGb = options.sizeGb;
    state.bufferBytes = state.sizeGb * kBytesPerGb;
    state.ssdCheckOff = options.noSsd ? 1 : 0;

    ConsoleUi ui(out, options);
    Engine engine{state, ui, os};
    deleteWorkFile(engine);
    showSelectedPath(engine);

    if (options.reportResources) ui.printResources();
    std::int64_t cyclesRun = 0;
    runDriver(engine, [&] {
        ++cyclesRun;
        // The reset ticks the check box again; the command line holds for every cycle.
        state.ssdCheckOff = options.noSsd ? 1 : 0;
    });

    // The window's shutdown: work file, then the emptied work folder.
    deleteWorkFile(engine);
    emptyFolder(os, state.cleanFolder);

    std::fprintf(out, "result: %lld of %lld cycles passed\n", static_cast<long long>(state.passCount),
                 static_cast<long long>(cyclesRun));
    return state.passCount == cyclesRun ? 0 : 1;
}

}  // namespace quillobar
