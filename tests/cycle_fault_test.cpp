// A cycle whose memory or work file fails never passes: it lights the error
// picture, names the first failed step in one box, leaks nothing, and the
// next cycle without the fault passes.
#include "engine/cycle.h"
#include "tests/engine_fixture.h"

namespace quillobar::testing {
namespace {

constexpr std::int64_t kBytes = 300'000;  // 4 full requests of 65,535 and one of 37,860

struct FaultCase {
    const char* name;
    void (*inject)(FakeFaults&);
    const char* box;  // after "box 内存/SSD 错误! | "; {file} stands for the work file
    bool writesAttempted;
    bool readAttempted;
};

const FaultCase kFaultCases[] = {
    {"CreateFails", [](FakeFaults& f) { f.createFails = kErrorAccessDenied; },
     "无法创建 SSD 文件: {file}\r错误代码=5", false, false},
    {"FirstWriteFails", [](FakeFaults& f) { f.writeFailsAtCall = 0; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", true, false},
    {"MiddleWriteFails", [](FakeFaults& f) { f.writeFailsAtCall = 2; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", true, false},
    {"LastWriteFails", [](FakeFaults& f) { f.writeFailsAtCall = 4; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", true, false},
    {"ShortWrite", [](FakeFaults& f) { f.shortWriteAtCall = 1; },
     "写入 SSD 文件失败: {file}\r错误代码=112", true, false},
    {"DiskFull", [](FakeFaults& f) { f.diskFreeBytes = 200'000; },
     "写入 SSD 文件失败: {file}\r错误代码=112", true, false},
    {"CloseFails", [](FakeFaults& f) { f.closeFails = true; },
     "写入 SSD 文件失败: {file}\r错误代码=1117", true, false},
    {"ReadOpenFails", [](FakeFaults& f) { f.readOpenFails = kErrorAccessDenied; },
     "读取 SSD 文件失败: {file}\r已读字节=0\r期望字节=300000", true, false},
    {"ShortRead", [](FakeFaults& f) { f.readDeliversAtMost = 123'456; },
     "读取 SSD 文件失败: {file}\r已读字节=123456\r期望字节=300000", true, true},
    {"ReadFails", [](FakeFaults& f) { f.readFails = true; },
     "读取 SSD 文件失败: {file}\r已读字节=0\r期望字节=300000", true, true},
    {"AllocationFails", [](FakeFaults& f) { f.allocationFails = true; },
     "无法分配内存: 300000 字节", false, false},
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class CycleFault : public EngineFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CycleFault, EndsWithTheErrorOutcomeAndTheNextCyclePasses) {
    const FaultCase& c = GetParam();
    state.bufferBytes = kBytes;
    state.passCount = 3;
    c.inject(os.faults);

    runOneCycle(engine);

    std::string expected = std::string("box 内存/SSD 错误! | ") + c.box;
    const std::string file = toUtf8(state.workFile);
    if (const auto at = expected.find("{file}"); at != std::string::npos) expected.replace(at, 6, file);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{expected});
    EXPECT_EQ(ui.startingWith("picture 11"), std::vector<std::string>{"picture 11 in 27 at 430,280"});
    EXPECT_TRUE(ui.startingWith("picture 9").empty());
    EXPECT_EQ(state.passCount, 3);
    EXPECT_EQ(os.allocations, os.releases);
    EXPECT_TRUE(os.handles.empty());
    EXPECT_EQ(!os.writes.empty(), c.writesAttempted);
    EXPECT_EQ(!os.reads.empty(), c.readAttempted);
    // Nothing is written after the first failure.
    if (os.faults.writeFailsAtCall >= 0) {
        EXPECT_EQ(static_cast<std::int64_t>(os.writes.size()), os.faults.writeFailsAtCall + 1);
    }

    // The fault is gone: the next cycle of the same process passes.
    os.faults = FakeFaults{};
    os.files.clear();
    ui.clear();
    state.buffer = nullptr;
    runOneCycle(engine);
    EXPECT_TRUE(ui.boxes().empty());
    EXPECT_EQ(state.passCount, 4);
    EXPECT_EQ(os.allocations, os.releases);
}

INSTANTIATE_TEST_SUITE_P(Faults, CycleFault, ::testing::ValuesIn(kFaultCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(EngineFixture, AllocationFailureRunsNoFillNoFileAndNoCompare) {
    state.bufferBytes = kBytes;
    os.faults.allocationFails = true;
    runOneCycle(engine);
    const std::vector<std::string> expected = {
        "status 0 plain: 内存填充 - 等待...",
        "drain x1",
        "picture 11 in 27 at 430,280",
        "box 内存/SSD 错误! | 无法分配内存: 300000 字节",
        "drain x1",
    };
    EXPECT_EQ(ui.folded(), expected);
    EXPECT_TRUE(os.calls.empty());
    EXPECT_EQ(state.buffer, nullptr);
    EXPECT_EQ(os.releases, 0);
}

TEST_F(EngineFixture, MismatchTakesTheOneBoxWhenTheFileAlsoFailed) {
    state.bufferBytes = kBytes;
    os.faults.readDeliversAtMost = 100;
    os.faults.corruptOnRead = std::make_pair(std::int64_t{50}, std::uint8_t{9});
    runOneCycle(engine);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"box 内存/SSD 错误! | 期望值=128\r正在读数值=9"});
}

TEST_F(EngineFixture, MissingWorkFolderFailsTheCreateInsteadOfPassing) {
    state.bufferBytes = kBytes;
    os.directories.erase(u"C:\\ram_sdd_fold");
    runOneCycle(engine);
    EXPECT_EQ(ui.boxes(), std::vector<std::string>{"box 内存/SSD 错误! | 无法创建 SSD 文件: " + toUtf8(state.workFile) +
                                                   "\r错误代码=3"});
    EXPECT_EQ(state.passCount, 0);
}

}  // namespace
}  // namespace quillobar::testing
