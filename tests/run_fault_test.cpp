// A fault in one cycle of a run of two: that cycle ends with the error
// outcome and the reset back to the idle state, nothing leaks, and the other
// cycle of the same run, without the fault, passes.
#include "engine/run_driver.h"
#include "tests/engine_fixture.h"

namespace quillobar::testing {
namespace {

using Strings = std::vector<std::string>;

constexpr std::int64_t kBytes = 300'000;  // 4 system writes of 65,535 and one of 37,860
constexpr char kWorkFile[] = "C:\\ram_sdd_fold\\memory_to_file.dat";

struct RunFaultCase {
    const char* name;
    int faultyCycle;  // 1 or 2; the hook before it injects the fault, the hook before the other clears it
    void (*inject)(FakeOs&);
    const char* box;  // after "box 内存/SSD 错误! | "; {file} stands for the work file
    bool fileOutlivesReset;  // the reset after the faulty cycle cannot delete the work file
};

void PrintTo(const RunFaultCase& c, std::ostream* out) { *out << c.name; }

const RunFaultCase kRunFaultCases[] = {
    {"AllocationFails", 1, [](FakeOs& os) { os.faults.allocationFails = true; },
     "无法分配内存: 300000 字节", false},
    {"CreateFails", 1, [](FakeOs& os) { os.faults.createFails = kErrorAccessDenied; },
     "无法创建 SSD 文件: {file}\r错误代码=5", false},
    {"FirstWriteFails", 1, [](FakeOs& os) { os.faults.writeFailsAtCall = 0; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", false},
    {"MiddleWriteFails", 1, [](FakeOs& os) { os.faults.writeFailsAtCall = 2; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", false},
    {"LastWriteFails", 1, [](FakeOs& os) { os.faults.writeFailsAtCall = 4; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", false},
    {"ShortWrite", 1, [](FakeOs& os) { os.faults.shortWriteAtCall = 1; },
     "写入 SSD 文件失败: {file}\r错误代码=112", false},
    {"DiskFull", 1, [](FakeOs& os) { os.faults.diskFreeBytes = 200'000; },
     "写入 SSD 文件失败: {file}\r错误代码=112", false},
    {"CloseFails", 1, [](FakeOs& os) { os.faults.closeFails = true; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", false},
    {"ReadOpenFails", 1, [](FakeOs& os) { os.faults.readOpenFails = kErrorAccessDenied; },
     "读取 SSD 文件失败: {file}\r已读字节=0\r期望字节=300000", false},
    {"ShortRead", 1, [](FakeOs& os) { os.faults.readDeliversAtMost = 123'456; },
     "读取 SSD 文件失败: {file}\r已读字节=123456\r期望字节=300000", false},
    {"ReadFails", 1, [](FakeOs& os) { os.faults.readFails = true; },
     "读取 SSD 文件失败: {file}\r已读字节=0\r期望字节=300000", false},
    {"ByteDiffers", 1,
     [](FakeOs& os) { os.faults.corruptOnRead = std::make_pair(std::int64_t{250'000}, std::uint8_t{9}); },
     "期望值=128\r正在读数值=9", false},
    // A read-only work file: the create fails with access denied as
    // CREATE_ALWAYS does on Windows, the reset cannot delete the file, so it
    // and the folder stay. The next cycle passes only once the attribute is
    // cleared; ReadOnlyWorkFileLeftInPlaceFailsEveryCycle shows the other way.
    {"DeleteFails", 1, [](FakeOs& os) { os.plantFile(u"C:\\ram_sdd_fold\\memory_to_file.dat", 10, true); },
     "无法创建 SSD 文件: {file}\r错误代码=5", true},
    // Gone after the run driver re-created it between the two cycles.
    {"FolderVanishes", 2, [](FakeOs& os) { os.directories.erase(u"C:\\ram_sdd_fold"); },
     "无法创建 SSD 文件: {file}\r错误代码=3", false},
};

// What the hook saw right before a cycle: the outcome of the one before it.
struct BeforeCycle {
    std::int64_t passCount;
    int unreleased;
    std::size_t openHandles;
    bool workFile;
    bool workFolder;
    bool bufferCleared;
    std::int64_t errorFound;
};

// A run of two cycles, each of kBytes, from a pass count of 3.
class TwoCycleRun : public EngineFixture {
protected:
    TwoCycleRun() {
        ui.states[ControlId::CyclesSpin] = 2;
        ui.states[ControlId::SizeSlider] = 0;
        state.passCount = 3;
    }

    // The lines of cycle n (1-based): from its mark to the next one or to the
    // box that ends the run, so each ends with the reset after the cycle.
    void cycleLog(int n, RecordingUi& part) const {
        const std::string mark = "-- cycle " + std::to_string(n);
        auto line = std::find(ui.log.begin(), ui.log.end(), mark);
        if (line == ui.log.end()) return;
        for (++line; line != ui.log.end(); ++line) {
            if (line->rfind("-- cycle ", 0) == 0 || line->rfind("box Quillobar | ", 0) == 0) break;
            part.log.push_back(*line);
        }
    }
};

class RunFault : public TwoCycleRun, public ::testing::WithParamInterface<RunFaultCase> {};

TEST_P(RunFault, TheFaultyCycleFailsAndResetsAndTheOtherPasses) {
    const RunFaultCase& c = GetParam();
    std::vector<BeforeCycle> seen;
    runDriver(engine, [&] {
        seen.push_back({state.passCount, os.allocations - os.releases, os.handles.size(), workFileExists(),
                        workFolderExists(), state.buffer == nullptr, state.errorFound});
        const int cycle = static_cast<int>(seen.size());
        ui.log.push_back("-- cycle " + std::to_string(cycle));
        state.bufferBytes = kBytes;
        if (cycle == c.faultyCycle) {
            c.inject(os);
        } else {
            os.faults = FakeFaults{};
            for (auto& [path, file] : os.files) file.readOnly = false;
        }
    });
    ASSERT_EQ(seen.size(), 2u);
    // Where the run stands after each cycle and its reset.
    const BeforeCycle atEnd{state.passCount, os.allocations - os.releases, os.handles.size(), workFileExists(),
                            workFolderExists(), true, state.errorFound};
    const BeforeCycle& afterFaulty = c.faultyCycle == 1 ? seen[1] : atEnd;
    const BeforeCycle& beforeFaulty = seen[static_cast<std::size_t>(c.faultyCycle - 1)];
    const BeforeCycle& afterOther = c.faultyCycle == 1 ? atEnd : seen[1];
    const BeforeCycle& beforeOther = c.faultyCycle == 1 ? seen[1] : seen[0];

    // The faulty cycle: one error box naming the fault, the error picture, no pass.
    std::string box = std::string("box 内存/SSD 错误! | ") + c.box;
    if (const auto at = box.find("{file}"); at != std::string::npos) box.replace(at, 6, kWorkFile);
    RecordingUi faulty;
    cycleLog(c.faultyCycle, faulty);
    EXPECT_EQ(faulty.boxes(), Strings{box});
    EXPECT_EQ(faulty.startingWith("picture 11"), Strings{"picture 11 in 27 at 430,280"});
    EXPECT_TRUE(faulty.startingWith("picture 9").empty());
    EXPECT_TRUE(faulty.startingWith("text 1040").empty());
    EXPECT_EQ(afterFaulty.passCount, beforeFaulty.passCount);

    // Then the reset, whole, after the box: the idle pictures, controls and status.
    const Strings lines = faulty.folded();
    ASSERT_GE(lines.size(), kResetOperations.size());
    EXPECT_EQ(Strings(lines.end() - static_cast<std::ptrdiff_t>(kResetOperations.size()), lines.end()), kResetOperations);
    const auto boxAt = std::find(lines.begin(), lines.end(), box);
    EXPECT_LT(boxAt - lines.begin(), static_cast<std::ptrdiff_t>(lines.size() - kResetOperations.size()));
    EXPECT_EQ(afterFaulty.unreleased, 0);
    EXPECT_EQ(afterFaulty.openHandles, 0u);
    EXPECT_TRUE(afterFaulty.bufferCleared);
    EXPECT_EQ(afterFaulty.errorFound, 0);
    EXPECT_EQ(afterFaulty.workFile, c.fileOutlivesReset);
    EXPECT_TRUE(afterFaulty.workFolder);  // re-created by the run, or kept by the file left in it

    // The other cycle of the same run, without the fault, passes.
    RecordingUi other;
    cycleLog(3 - c.faultyCycle, other);
    EXPECT_TRUE(other.boxes().empty());
    EXPECT_EQ(other.startingWith("picture 9"), Strings{"picture 9 in 28 at 430,200"});
    EXPECT_EQ(afterOther.passCount, beforeOther.passCount + 1);
    EXPECT_EQ(state.passCount, 4);
    EXPECT_EQ(atEnd.unreleased, 0);
    EXPECT_EQ(atEnd.openHandles, 0u);
    EXPECT_FALSE(atEnd.workFile);
}

INSTANTIATE_TEST_SUITE_P(Faults, RunFault, ::testing::ValuesIn(kRunFaultCases),
                         [](const auto& test) { return std::string(test.param.name); });

// Nobody clears the read-only attribute: every cycle fails at the create,
// and the file and its folder outlast the run.
TEST_F(TwoCycleRun, ReadOnlyWorkFileLeftInPlaceFailsEveryCycle) {
    os.plantFile(state.workFile, 10, true);
    runDriver(engine, [&] { state.bufferBytes = kBytes; });
    const std::string box = std::string("box 内存/SSD 错误! | 无法创建 SSD 文件: ") + kWorkFile + "\r错误代码=5";
    EXPECT_EQ(ui.boxes(), (Strings{box, box, "box Quillobar | 重置. 释放内存和 SSD 文件"}));
    EXPECT_EQ(state.passCount, 3);
    EXPECT_TRUE(os.writes.empty());
    EXPECT_TRUE(workFileExists());
    EXPECT_TRUE(workFolderExists());
    EXPECT_EQ(os.allocations, os.releases);
}

}  // namespace
}  // namespace quillobar::testing
