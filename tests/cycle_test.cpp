// One verification cycle on the fake system: the user-visible sequence, the
// copy's write requests, the read-back's split, the compare's drains and
// outcomes.
#include <memory>

#include "engine/cycle.h"
#include "tests/engine_fixture.h"

namespace quillobar::testing {
namespace {

using Strings = std::vector<std::string>;

class CycleTest : public EngineFixture {};

TEST_F(CycleTest, PassingCycleWithCopyShowsEveryStageInOrder) {
    runOneCycle(engine);
    const Strings expected = {
        "status 0 plain: 内存填充 - 等待...",
        "drain x1",
        "picture 1 in 23 at 10,200",
        "drain x1",
        "status 0 plain: 将内存大小复制到 SSD 文件: C:\\ram_sdd_fold\\ - 等待...",
        "drain x1",
        "picture 3 in 24 at 10,280",
        "drain x39",  // one before each of the 38 full requests, one after the loop
        "status 0 plain: 打开并从 SSD 读取文件 - 等待...C:\\ram_sdd_fold\\",
        "picture 5 in 25 at 220,200",
        "marquee 1 60",
        "picture 7 in 26 at 220,280",
        "drain x1",
        "status 0 plain: 验证 SSD 文件的内容是否与存储到内存中的数据相同 - 等待... C:\\ram_sdd_fold\\",
        "drain x2",  // the drain before the compare, then the one after the 1,000,000th byte
        "marquee 1 60",
        "drain x2",
        "marquee 1 60",
        "drain x2",  // after the 2,000,000th byte, then after the compare
        "hide 22",
        "show 1035",
        "picture 9 in 28 at 430,200",
        "drain x2",
        "text 1040 1",
        "drain x1",
    };
    EXPECT_EQ(ui.folded(), expected);
    EXPECT_EQ(state.passCount, 1);
    EXPECT_EQ(state.errorFound, 0);
    EXPECT_EQ(state.readValue, 128);

    // 38 full requests, then the 9,670 that remain, written at once.
    ASSERT_EQ(os.writes.size(), 39u);
    EXPECT_EQ(os.writes.back(), 9'670u);
    EXPECT_EQ(os.opens, (std::vector<OpenMode>{OpenMode::CreateForCopy, OpenMode::OpenForReadBack}));
    EXPECT_EQ(os.reads, (std::vector<std::uint32_t>{2'500'000}));
    const auto& file = os.files.at(state.workFile);
    ASSERT_EQ(file.size, kSmallBytes);
    EXPECT_EQ(std::count(file.content.begin(), file.content.end(), 128), kSmallBytes);
    EXPECT_EQ(os.allocations, 1);
    EXPECT_EQ(os.releases, 1);
    EXPECT_TRUE(os.handles.empty());
}

TEST_F(CycleTest, SsdCheckOffTouchesNoFileAndVerifiesInTheUpperRow) {
    state.ssdCheckOff = 1;
    runOneCycle(engine);
    EXPECT_TRUE(os.calls.empty());
    EXPECT_EQ(ui.startingWith("picture 7"), Strings{"picture 7 in 26 at 220,200"});
    EXPECT_EQ(ui.startingWith("status 0 plain: 验证").size(), 1u);
    EXPECT_TRUE(ui.startingWith("picture 3").empty());
    EXPECT_EQ(state.passCount, 1);
}

TEST_F(CycleTest, CreateFallsBackToTruncatingTheExistingFile) {
    os.plantFile(state.workFile, 7);
    os.faults.createAlwaysFails = kErrorAccessDenied;
    runOneCycle(engine);
    EXPECT_EQ(os.opens, (std::vector<OpenMode>{OpenMode::CreateForCopy, OpenMode::TruncateForCopy,
                                               OpenMode::OpenForReadBack}));
    EXPECT_EQ(os.files.at(state.workFile).size, kSmallBytes);
    EXPECT_EQ(state.passCount, 1);
    EXPECT_TRUE(ui.boxes().empty());
}

// The copy alone, over a buffer the fake never reads: only the final request
// below 4,096 bytes is copied through the file layer's own buffer.
struct CopyCase {
    std::int64_t bytes;
    std::size_t fullRequests;
    std::uint32_t lastWrite;
};

void PrintTo(const CopyCase& c, std::ostream* out) { *out << c.bytes << " bytes"; }

class CopyRequests : public EngineFixture, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyRequests, SplitIntoFullRequestsAndOneRemainder) {
    const CopyCase c = GetParam();
    os.keepContent = false;
    // Untouched memory: only the tail is ever read, by the file layer's buffer.
    std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[static_cast<std::size_t>(c.bytes)]);
    state.buffer = block.get();
    state.bufferBytes = c.bytes;

    const FileOutcome outcome = copyStage(engine);
    EXPECT_EQ(outcome.failedStep, FileOutcome::Step::None);
    ASSERT_EQ(os.writes.size(), c.fullRequests + 1);
    EXPECT_EQ(std::count(os.writes.begin(), os.writes.end(), 65'535u), static_cast<long>(c.fullRequests));
    EXPECT_EQ(os.writes.back(), c.lastWrite);
    // Written when closing: the last system write comes right before the close.
    const auto close = std::find(os.calls.begin(), os.calls.end(), "close");
    ASSERT_NE(close, os.calls.end());
    EXPECT_EQ(*(close - 1), "write");
    EXPECT_EQ(os.files.at(state.workFile).size, c.bytes);
    // A drain before every full request, one after the status text, one after the loop.
    EXPECT_EQ(ui.drains, static_cast<int>(c.fullRequests) + 2);
    EXPECT_EQ(state.verifyCounter, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CopyRequests,
                         ::testing::Values(CopyCase{1'000'000'000, 15'259, 1'435},
                                           CopyCase{2'000'000'000, 30'518, 2'870}));

TEST_F(CycleTest, ThreeGigabyteCopyEndsWithOneDirectWriteOf4305Bytes) {
    os.keepContent = false;
    // No byte is read: every request is 4,096 bytes or more and goes straight to the system.
    static std::uint8_t never;
    state.buffer = &never;
    state.bufferBytes = 3'000'000'000;

    copyStage(engine);
    ASSERT_EQ(os.writes.size(), 45'777u + 1);
    EXPECT_EQ(os.writes.back(), 4'305u);
    // The 4,305 bytes go out with the write request itself; closing writes nothing more.
    EXPECT_EQ(os.calls[os.calls.size() - 2], "write");
    EXPECT_EQ(os.calls.back(), "close");
    EXPECT_EQ(os.files.at(state.workFile).size, 3'000'000'000);
}

TEST_F(CycleTest, FiveGigabyteReadBackIsSplitAtTheLargestSystemRead) {
    os.keepContent = false;
    os.plantFile(state.workFile, 5'000'000'000);
    static std::uint8_t never;
    state.buffer = &never;
    state.bufferBytes = 5'000'000'000;

    const FileOutcome outcome = readBackStage(engine);
    EXPECT_EQ(outcome.failedStep, FileOutcome::Step::None);
    EXPECT_EQ(outcome.bytesRead, 5'000'000'000);
    EXPECT_EQ(os.reads, (std::vector<std::uint32_t>{4'294'967'295u, 705'032'705u}));
}

TEST_F(CycleTest, ReadBackStopsAtTheFirstShortRead) {
    os.keepContent = false;
    os.plantFile(state.workFile, 4'294'967'295 + 10);
    static std::uint8_t never;
    state.buffer = &never;
    state.bufferBytes = 5'000'000'000;

    const FileOutcome outcome = readBackStage(engine);
    EXPECT_EQ(outcome.failedStep, FileOutcome::Step::Read);
    EXPECT_EQ(outcome.bytesRead, 4'294'967'305);
    EXPECT_EQ(os.reads.size(), 2u);
}

// The compare alone, over a buffer the test prepares.
struct MismatchCase {
    const char* name;
    std::int64_t bytes;
    std::int64_t at;  // -1: no mismatch
    std::uint8_t value;
    int periodicDrains;  // drain, marquee, drain groups
    std::int64_t counterAfter;
};

void PrintTo(const MismatchCase& c, std::ostream* out) { *out << c.name; }

class Compare : public EngineFixture, public ::testing::WithParamInterface<MismatchCase> {};

TEST_P(Compare, MatchesTheByteByByteLoop) {
    const MismatchCase c = GetParam();
    std::vector<std::uint8_t> block(static_cast<std::size_t>(c.bytes), 128);
    if (c.at >= 0) block[static_cast<std::size_t>(c.at)] = c.value;
    state.buffer = block.data();
    state.bufferBytes = c.bytes;

    compareStage(engine);
    EXPECT_EQ(ui.startingWith("marquee").size(), static_cast<std::size_t>(c.periodicDrains));
    EXPECT_EQ(ui.drains, 2 * c.periodicDrains);
    EXPECT_EQ(state.verifyCounter, c.counterAfter);
    if (c.at >= 0) {
        EXPECT_EQ(state.errorFound, 1);
        EXPECT_EQ(state.readValue, c.value);
        EXPECT_EQ(state.verifyCursor, block.data() + c.at);
    } else {
        EXPECT_EQ(state.errorFound, 0);
        EXPECT_EQ(state.readValue, 128);
        EXPECT_EQ(state.verifyCursor, block.data() + c.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Compare,
    ::testing::Values(MismatchCase{"FirstByte", 3'000'000, 0, 0, 0, 1},
                      MismatchCase{"ByteBeforeTheMillionth", 3'000'000, 999'998, 7, 0, 999'999},
                      MismatchCase{"MillionthByteDrainsFirst", 3'000'000, 999'999, 7, 1, 0},
                      MismatchCase{"ByteAfterTheMillionth", 3'000'000, 1'000'000, 255, 1, 1},
                      MismatchCase{"LastByte", 2'500'001, 2'500'000, 1, 2, 500'001},
                      MismatchCase{"NoneExactMillions", 2'000'000, -1, 0, 2, 0},
                      MismatchCase{"NoneWithTail", 2'000'017, -1, 0, 2, 17},
                      MismatchCase{"NoneTiny", 5, -1, 0, 0, 5}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(CycleTest, MismatchShowsExpectedAndReadValueAndKeepsThePassCount) {
    os.faults.corruptOnRead = std::make_pair(std::int64_t{1'234'567}, std::uint8_t{0});
    state.passCount = 4;
    runOneCycle(engine);
    EXPECT_EQ(ui.boxes(), Strings{"box 内存/SSD 错误! | 期望值=128\r正在读数值=0"});
    EXPECT_EQ(ui.startingWith("picture 11"), Strings{"picture 11 in 27 at 430,280"});
    EXPECT_TRUE(ui.startingWith("picture 9").empty());
    EXPECT_TRUE(ui.startingWith("text 1040").empty());
    EXPECT_EQ(state.passCount, 4);
    EXPECT_EQ(state.errorFound, 1);
    EXPECT_EQ(os.releases, 1);
}

TEST_F(CycleTest, ZeroBytesAllocatesNothingAndWritesAnEmptyFile) {
    state.bufferBytes = 0;
    runOneCycle(engine);
    EXPECT_EQ(os.allocations, 0);
    EXPECT_EQ(os.releases, 0);
    EXPECT_TRUE(os.writes.empty());
    EXPECT_EQ(os.files.at(state.workFile).size, 0);
    EXPECT_EQ(state.passCount, 1);
}

}  // namespace
}  // namespace quillobar::testing
