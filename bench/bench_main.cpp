// quillobar-bench [--size-gb N] [--dir DIR]
//
// Times each stage of a cycle - fill, copy, read-back, compare - through the
// engine's own code and, in the same run, a plain baseline doing the same
// work over the same buffer and work file. Prints one line per stage:
//   <stage> engine_ms=<x> baseline_ms=<y> ratio=<y/x>
// then the time of a byte-at-a-time compare and the engine's speed-up over it.
//
// First touches of fresh memory and the page cache make single runs noisy, so
// after one untimed round the engine and the baseline of a stage take turns,
// three runs each, and the fastest run of each side is printed.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/null_ui.h"
#include "engine/cycle.h"
#include "engine/engine.h"
#include "engine/test_state.h"
#include "location/work_paths.h"
#include "os/os.h"
#include "os/utf8.h"

// The byte-at-a-time compare has to stay a scalar loop: it is the yardstick
// the engine's block search is measured against.
#if defined(__clang__)
#define QUILLOBAR_SCALAR_LOOP __attribute__((noinline))
#elif defined(__GNUC__)
#define QUILLOBAR_SCALAR_LOOP __attribute__((noinline, optimize("no-tree-vectorize")))
#else
#define QUILLOBAR_SCALAR_LOOP
#endif

namespace quillobar {
namespace {

constexpr int kRuns = 3;
constexpr std::int64_t kFillCode = 128;
constexpr std::int64_t kMaxSizeGb = 1'000'000;
constexpr std::int64_t kCompareBlockBytes = 1'000'000;
constexpr std::uint64_t kMaxSystemRead = 4'294'967'295u;

const char kUsage[] =
    "usage: quillobar-bench [--size-gb N] [--dir DIR]\n"
    "  --size-gb N   buffer size in gigabytes of 1,000,000,000 bytes (default 1)\n"
    "  --dir DIR     folder under which the work folder ram_sdd_fold is made (default: current directory)\n";

struct BenchOptions {
    std::int64_t sizeGb = 1;
    std::u16string dir;
    bool help = false;
};

bool parseOptions(const std::vector<std::u16string>& args, BenchOptions& options, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& arg = args[i];
        if (arg == u"--help" || arg == u"-h") {
            options.help = true;
            continue;
        }
        if (arg != u"--size-gb" && arg != u"--dir") {
            error = "unknown option: " + toUtf8(arg);
            return false;
        }
        if (i + 1 >= args.size()) {
            error = toUtf8(arg) + " needs a value";
            return false;
        }
        const std::u16string& value = args[++i];
        if (arg == u"--dir") {
            if (value.empty()) {
                error = "--dir needs a folder";
                return false;
            }
            options.dir = value;
            continue;
        }
        std::int64_t number = 0;
        for (const char16_t c : value) {
            if (c < u'0' || c > u'9' || number > kMaxSizeGb) {
                number = -1;
                break;
            }
            number = number * 10 + (c - u'0');
        }
        if (value.empty() || number < 1 || number > kMaxSizeGb) {
            error = "--size-gb needs a whole number from 1 to " + std::to_string(kMaxSizeGb) + ", not '" +
                    toUtf8(value) + "'";
            return false;
        }
        options.sizeGb = number;
    }
    return true;
}

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

// A block from the Os layer, given back when it goes out of scope.
class OsBlock {
public:
    OsBlock(Os& os, std::int64_t bytes) : os_(os), block_(os.allocateZeroed(bytes)) {}
    ~OsBlock() {
        if (block_ != nullptr) os_.release(block_);
    }
    OsBlock(const OsBlock&) = delete;
    OsBlock& operator=(const OsBlock&) = delete;
    std::uint8_t* get() const { return block_; }

private:
    Os& os_;
    std::uint8_t* block_;
};

void releaseEngineBuffer(Engine& engine) {
    if (engine.state.buffer != nullptr) engine.os.release(engine.state.buffer);
    engine.state.buffer = nullptr;
}

std::string fileFailure(const char* side, const char* stage, const FileOutcome& outcome) {
    const char* step = "read";
    if (outcome.failedStep == FileOutcome::Step::Create) step = "create";
    if (outcome.failedStep == FileOutcome::Step::Write) step = "write";
    return std::string(side) + " " + stage + " failed at " + step + ", error code " +
           std::to_string(outcome.errorCode) + ", bytes read " + std::to_string(outcome.bytesRead);
}

struct BestTimes {
    double engineMs = std::numeric_limits<double>::infinity();
    double baselineMs = std::numeric_limits<double>::infinity();
};

// Runs the two sides in turns, the side going first alternating, so neither
// always meets the memory and page-cache state the other left behind. One
// untimed round comes first: the first run of a stage in the process is
// several times slower than the rest (the first copy takes 1.5-2 s against
// 0.2 s, whichever side makes it), which would leave the side going first
// one timed run short.
template <class EngineRun, class BaselineRun>
BestTimes bestOfRuns(EngineRun&& engineRun, BaselineRun&& baselineRun) {
    engineRun();
    baselineRun();
    BestTimes best;
    for (int run = 0; run < kRuns; ++run) {
        if (run % 2 == 0) {
            best.engineMs = std::min(best.engineMs, engineRun());
            best.baselineMs = std::min(best.baselineMs, baselineRun());
        } else {
            best.baselineMs = std::min(best.baselineMs, baselineRun());
            best.engineMs = std::min(best.engineMs, engineRun());
        }
    }
    return best;
}

void printStage(const char* stage, const BestTimes& times) {
    std::printf("%s engine_ms=%.3f baseline_ms=%.3f ratio=%.3f\n", stage, times.engineMs, times.baselineMs,
                times.baselineMs / times.engineMs);
    std::fflush(stdout);
}

// --- fill: a fresh zero-filled block set to the fill code ---------------------

double engineFill(Engine& engine) {
    releaseEngineBuffer(engine);
    const Clock::time_point start = Clock::now();
    engine.state.buffer = engine.os.allocateZeroed(engine.state.bufferBytes);
    if (engine.state.buffer == nullptr) fail("engine fill: cannot allocate the buffer");
    fillStage(engine);
    return msSince(start);
}

double baselineFill(Os& os, std::int64_t bytes, std::uint8_t value) {
    const Clock::time_point start = Clock::now();
    OsBlock block(os, bytes);
    if (block.get() == nullptr) fail("baseline fill: cannot allocate the block");
    std::memset(block.get(), value, static_cast<std::size_t>(bytes));
    const double ms = msSince(start);
    if (block.get()[0] != value || block.get()[bytes - 1] != value) fail("baseline fill: block not filled");
    return ms;
}

// --- copy: the buffer to the work file in 65,535-byte writes -----------------
//
// Each copy run, of either side, starts with the work file deleted, outside
// the timing. Creating over the previous run's file would truncate a
// gigabyte still in the page cache, wait on its write-back and, on ext4,
// start write-back of the new data at the close: costs set by whichever run
// came before, several times the copy itself, that bury the comparison.

double engineCopy(Engine& engine) {
    engine.os.deleteFile(engine.state.workFile);
    const Clock::time_point start = Clock::now();
    const FileOutcome outcome = copyStage(engine);
    const double ms = msSince(start);
    if (outcome.failedStep != FileOutcome::Step::None) fail(fileFailure("engine", "copy", outcome));
    return ms;
}

double baselineCopy(Os& os, const std::u16string& path, const std::uint8_t* buffer, std::int64_t bytes) {
    os.deleteFile(path);
    const Clock::time_point start = Clock::now();
    const FileHandle file = os.openFile(path, OpenMode::CreateForCopy);
    if (file == kNoFile) fail("baseline copy: cannot create the file, error code " + std::to_string(os.lastError()));
    for (std::int64_t offset = 0; offset < bytes; offset += kCopyRequestBytes) {
        const auto ask = static_cast<std::uint32_t>(std::min(kCopyRequestBytes, bytes - offset));
        std::uint32_t written = 0;
        if (!os.writeFile(file, buffer + offset, ask, written) || written != ask) {
            const std::uint32_t code = os.lastError();
            os.closeFile(file);
            fail("baseline copy: write failed, error code " + std::to_string(code));
        }
    }
    if (!os.closeFile(file)) fail("baseline copy: close failed, error code " + std::to_string(os.lastError()));
    return msSince(start);
}

// --- read-back: the work file into the buffer ---------------------------------

double engineReadBack(Engine& engine) {
    const Clock::time_point start = Clock::now();
    const FileOutcome outcome = readBackStage(engine);
    const double ms = msSince(start);
    if (outcome.failedStep != FileOutcome::Step::None) fail(fileFailure("engine", "readback", outcome));
    return ms;
}

double baselineReadBack(Os& os, const std::u16string& path, std::uint8_t* buffer, std::int64_t bytes) {
    const Clock::time_point start = Clock::now();
    const FileHandle file = os.openFile(path, OpenMode::OpenForReadBack);
    if (file == kNoFile) fail("baseline readback: cannot open the file, error code " + std::to_string(os.lastError()));
    // As few system reads as the largest request allows: one below 4 GiB.
    std::int64_t delivered = 0;
    while (delivered < bytes) {
        const auto ask = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(static_cast<std::uint64_t>(bytes - delivered), kMaxSystemRead));
        std::uint32_t got = 0;
        const bool ok = os.readFile(file, buffer + delivered, ask, got);
        delivered += got;
        if (!ok || got < ask) break;
    }
    const bool closed = os.closeFile(file);
    const double ms = msSince(start);
    if (delivered < bytes || !closed) {
        fail("baseline readback: read " + std::to_string(delivered) + " of " + std::to_string(bytes) +
             " bytes, error code " + std::to_string(os.lastError()));
    }
    return ms;
}

// --- compare: every byte against the fill code ---------------------------------

double engineCompare(Engine& engine) {
    engine.state.verifyCounter = 0;
    engine.state.errorFound = 0;
    const Clock::time_point start = Clock::now();
    compareStage(engine);
    const double ms = msSince(start);
    if (engine.state.errorFound != 0) {
        fail("engine compare: byte " + std::to_string(engine.state.verifyCursor - engine.state.buffer) + " is " +
             std::to_string(engine.state.readValue) + ", expected " + std::to_string(engine.state.fillCode));
    }
    return ms;
}

double baselineCompare(const std::uint8_t* buffer, std::int64_t bytes, const std::vector<std::uint8_t>& reference) {
    const Clock::time_point start = Clock::now();
    std::int64_t differingBlock = -1;
    for (std::int64_t offset = 0; offset < bytes; offset += kCompareBlockBytes) {
        const auto length = static_cast<std::size_t>(std::min(kCompareBlockBytes, bytes - offset));
        if (std::memcmp(buffer + offset, reference.data(), length) != 0) {
            differingBlock = offset;
            break;
        }
    }
    const double ms = msSince(start);
    if (differingBlock >= 0) fail("baseline compare: the block at byte " + std::to_string(differingBlock) + " differs");
    return ms;
}

// Reads a byte, steps the counter, drains the interface after every
// 1,000,000th byte read, compares. Returns the index of the first byte that
// differs, or `bytes`.
QUILLOBAR_SCALAR_LOOP std::int64_t naiveCompare(EngineUi& ui, const std::uint8_t* buffer, std::int64_t bytes,
                                                std::uint8_t expected) {
    std::int64_t counter = 0;
    for (std::int64_t i = 0; i < bytes; ++i) {
        const std::uint8_t value = buffer[i];
        counter += 1;
        if (counter > kCompareDrainInterval - 1) {
            ui.drainPendingEvents();
            counter = 0;
        }
        if (value != expected) return i;
    }
    return bytes;
}

double timeNaiveCompare(EngineUi& ui, const std::uint8_t* buffer, std::int64_t bytes, std::uint8_t expected) {
    const Clock::time_point start = Clock::now();
    const std::int64_t differs = naiveCompare(ui, buffer, bytes, expected);
    const double ms = msSince(start);
    if (differs != bytes) fail("naive compare: byte " + std::to_string(differs) + " differs");
    return ms;
}

void runStages(Engine& engine) {
    TestState& state = engine.state;
    Os& os = engine.os;
    const std::int64_t bytes = state.bufferBytes;
    const auto fill = static_cast<std::uint8_t>(state.fillCode);

    // Each engine run meets a fresh zero-filled block, as the baseline does;
    // the last one stays as the buffer of the stages that follow.
    printStage("fill", bestOfRuns([&] { return engineFill(engine); }, [&] { return baselineFill(os, bytes, fill); }));

    printStage("copy", bestOfRuns([&] { return engineCopy(engine); },
                                  [&] { return baselineCopy(os, state.workFile, state.buffer, bytes); }));

    printStage("readback", bestOfRuns([&] { return engineReadBack(engine); },
                                      [&] { return baselineReadBack(os, state.workFile, state.buffer, bytes); }));

    const std::vector<std::uint8_t> reference(static_cast<std::size_t>(kCompareBlockBytes), fill);
    const BestTimes compare = bestOfRuns([&] { return engineCompare(engine); },
                                         [&] { return baselineCompare(state.buffer, bytes, reference); });
    printStage("compare", compare);

    double naiveMs = std::numeric_limits<double>::infinity();
    for (int run = 0; run < kRuns; ++run) {
        naiveMs = std::min(naiveMs, timeNaiveCompare(engine.ui, state.buffer, bytes, fill));
    }
    std::printf("naive_compare_ms=%.3f\n", naiveMs);
    std::printf("compare_speedup_vs_naive=%.3f\n", naiveMs / compare.engineMs);
    std::fflush(stdout);
}

int benchMain(const std::vector<std::u16string>& args) {
    BenchOptions options;
    std::string error;
    if (!parseOptions(args, options, error)) {
        std::fprintf(stderr, "quillobar-bench: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    Os& os = systemOs();
    NullUi ui;
    TestState state;
    state.sizeGb = options.sizeGb;
    state.bufferBytes = options.sizeGb * kBytesPerGb;
    state.fillCode = kFillCode;
    state.driveRoot = options.dir.empty() ? os.currentDirectory() : options.dir;
    if (state.driveRoot.empty()) {
        std::fprintf(stderr, "quillobar-bench: cannot read the current directory\n");
        return 2;
    }
    const char16_t separator = os.pathSeparator();
    const char16_t last = state.driveRoot.back();
    if (last != separator && !(separator == u'\\' && last == u'/')) state.driveRoot += separator;
    deriveWorkPaths(state, separator);
    createFolder(os, state.workFolder);
    if (!os.isDirectory(state.workFolder)) {
        std::fprintf(stderr, "quillobar-bench: cannot create the work folder %s\n", toUtf8(state.workFolder).c_str());
        return 1;
    }

    Engine engine{state, ui, os};
    int exitCode = 0;
    try {
        runStages(engine);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quillobar-bench: %s\n", failure.what());
        exitCode = 1;
    }
    releaseEngineBuffer(engine);
    deleteWorkFile(engine);
    emptyFolder(os, state.workFolder);
    return exitCode;
}

}  // namespace
}  // namespace quillobar

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    return quillobar::benchMain(args);
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) args.push_back(quillobar::fromUtf8(argv[i]));
    return quillobar::benchMain(args);
}
#endif
