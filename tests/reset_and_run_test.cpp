// The reset after a cycle and the run of cycles behind the Start button.
#include "engine/reset.h"
#include "engine/run_driver.h"
#include "tests/engine_fixture.h"

namespace quillobar::testing {
namespace {

using Strings = std::vector<std::string>;

class ResetTest : public EngineFixture {};

TEST_F(ResetTest, RemovesTheWorkFileAndFolderAndRestoresTheIdleControls) {
    os.plantFile(state.workFile, 10);
    state.ssdCheckOff = 1;
    state.errorFound = 1;
    state.readValue = 9;
    state.verifyCounter = 77;
    ui.states[ControlId::SizeSlider] = 3;

    resetBetweenCycles(engine);

    Strings expected = {"drain x1"};  // before the first pause
    expected.insert(expected.end(), kResetOperations.begin(), kResetOperations.end());
    EXPECT_EQ(ui.folded(), expected);
    EXPECT_EQ(os.sleeps, (std::vector<std::int64_t>{800, 800}));
    EXPECT_EQ(os.timerRaises, 1);
    EXPECT_FALSE(workFileExists());
    EXPECT_FALSE(workFolderExists());
    EXPECT_EQ(state.ssdCheckOff, 0);
    EXPECT_EQ(state.errorFound, 0);
    EXPECT_EQ(state.readValue, 0);
    EXPECT_EQ(state.verifyCounter, 0);
    EXPECT_EQ(state.sizeGb, 3);
    EXPECT_EQ(state.bufferBytes, 3'000'000'000);
}

TEST_F(ResetTest, LeavesReadOnlyFilesAndSubFoldersAndTheFolderWithThem) {
    os.plantFile(state.workFile, 10);
    os.plantFile(u"C:\\ram_sdd_fold\\other.txt", 1);
    os.plantFile(u"C:\\ram_sdd_fold\\locked.txt", 1, true);
    os.directories.insert(u"C:\\ram_sdd_fold\\sub");
    os.plantFile(u"C:\\ram_sdd_fold\\sub\\inner.txt", 1);

    resetBetweenCycles(engine);
    EXPECT_FALSE(workFileExists());
    EXPECT_EQ(os.files.count(u"C:\\ram_sdd_fold\\other.txt"), 0u);
    EXPECT_EQ(os.files.count(u"C:\\ram_sdd_fold\\locked.txt"), 1u);
    EXPECT_EQ(os.files.count(u"C:\\ram_sdd_fold\\sub\\inner.txt"), 1u);
    EXPECT_TRUE(workFolderExists());
}

TEST_F(ResetTest, OnlyTheFirstPauseOfTheProcessRaisesTheTimerResolution) {
    pause(engine, 50);
    pause(engine, 50);
    resetBetweenCycles(engine);
    EXPECT_EQ(os.timerRaises, 1);
    EXPECT_EQ(os.sleeps.size(), 4u);
}

// The first cycle runs kSmallBytes; the reset then takes the size from the
// slider, which stands at 0 here so that later cycles stay empty and quick.
class RunDriverTest : public EngineFixture {
protected:
    RunDriverTest() { ui.states[ControlId::SizeSlider] = 0; }
};

TEST_F(RunDriverTest, ThreeCyclesCountDownAndEndIdle) {
    ui.states[ControlId::CyclesSpin] = 3;
    runDriver(engine);

    EXPECT_EQ(state.passCount, 3);
    EXPECT_EQ(ui.startingWith("text 1040"), (Strings{"text 1040 1", "text 1040 2", "text 1040 3"}));
    // The tail shows the cycles left, the reset puts the spin back to 1.
    const Strings spin = ui.startingWith("set 1039");
    Strings expectedSpin = {"set 1039 2"};
    expectedSpin.insert(expectedSpin.end(), 6, "set 1039 1");
    EXPECT_EQ(spin, expectedSpin);
    EXPECT_EQ(ui.boxes(), Strings{"box Quillobar | 重置. 释放内存和 SSD 文件"});
    EXPECT_EQ(state.cyclesLeft, 1);
    EXPECT_EQ(state.sizeGb, 1);
    EXPECT_EQ(state.bufferBytes, 1'000'000'000);
    // Every cycle found the work folder and wrote the whole file.
    EXPECT_EQ(std::count(os.opens.begin(), os.opens.end(), OpenMode::CreateForCopy), 3);
    EXPECT_TRUE(workFolderExists());
    EXPECT_FALSE(workFileExists());
    EXPECT_EQ(ui.log.back(), "drain");
    EXPECT_EQ(ui.startingWith("status 0").back(), "status 0 plain: 已选路径: C:\\ram_sdd_fold\\memory_to_file.dat");
}

TEST_F(RunDriverTest, StartLocksTheParameterControlsAndTheEndRestoresThem) {
    state.fillCode = 77;
    runDriver(engine);
    const Strings head(ui.log.begin(), ui.log.begin() + 6);
    EXPECT_EQ(head, (Strings{"status 0 plain: 已选驱动器: C:\\ram_sdd_fold\\memory_to_file.dat", "disable 17",
                             "disable 20", "disable 19", "disable 1039", "drain"}));
    // End of the run, from its message box to the re-created work folder.
    const auto box = std::find(ui.log.begin(), ui.log.end(), "box Quillobar | 重置. 释放内存和 SSD 文件");
    ASSERT_NE(box, ui.log.end());
    const Strings tail(box, box + 8);
    EXPECT_EQ(tail, (Strings{"box Quillobar | 重置. 释放内存和 SSD 文件", "status 0 plain: 正在释放内存/SSD...", "drain",
                             "set 1039 1", "drain", "set 19 77", "text 16 1", "set 17 1"}));
}

TEST_F(RunDriverTest, ElapsedTimeIncludesTheResetsOfEarlierCycles) {
    ui.states[ControlId::CyclesSpin] = 2;
    runDriver(engine);
    // The fake clock moves only in the pauses: 1,600 ms per reset.
    EXPECT_EQ(ui.startingWith("status 2"), (Strings{"status 2 right: -25", "status 2 right: 1575"}));
}

TEST_F(RunDriverTest, ZeroCyclesStillRunsOneCycle) {
    ui.states[ControlId::CyclesSpin] = 0;
    runDriver(engine);
    EXPECT_EQ(state.passCount, 1);
    EXPECT_EQ(state.cyclesLeft, 1);
    EXPECT_EQ(ui.startingWith("set 1039"), (Strings{"set 1039 1", "set 1039 1", "set 1039 1"}));
}

TEST_F(RunDriverTest, ResetSwitchesTheCopyBackOnFromTheSecondCycle) {
    state.ssdCheckOff = 1;
    ui.states[ControlId::CyclesSpin] = 2;
    runDriver(engine);
    EXPECT_EQ(ui.startingWith("picture 7"), (Strings{"picture 7 in 26 at 220,200", "picture 7 in 26 at 220,280"}));
    EXPECT_EQ(std::count(os.opens.begin(), os.opens.end(), OpenMode::CreateForCopy), 1);
    EXPECT_EQ(state.ssdCheckOff, 0);
}

TEST_F(RunDriverTest, AHookBeforeEachCycleCanHoldTheCopyOff) {
    ui.states[ControlId::CyclesSpin] = 2;
    int cycles = 0;
    runDriver(engine, [&] {
        ++cycles;
        state.ssdCheckOff = 1;
    });
    EXPECT_EQ(cycles, 2);
    EXPECT_TRUE(os.opens.empty());
}

TEST_F(RunDriverTest, TwoRunsOfThreeCountSixPasses) {
    for (int run = 0; run < 2; ++run) {
        ui.states[ControlId::CyclesSpin] = 3;
        ui.states[ControlId::SizeSlider] = 0;
        runDriver(engine);
    }
    EXPECT_EQ(state.passCount, 6);
    EXPECT_EQ(ui.startingWith("text 1040").back(), "text 1040 6");
}

TEST_F(RunDriverTest, FailedCycleInTheMiddleDoesNotStopTheRun) {
    ui.states[ControlId::CyclesSpin] = 3;
    os.faults.writeFailsAtCall = 5;  // in the first cycle
    runDriver(engine);
    EXPECT_EQ(state.passCount, 2);
    ASSERT_EQ(ui.boxes().size(), 2u);  // the write failure, then the end of the run
    EXPECT_EQ(ui.boxes()[0].rfind("box 内存/SSD 错误! | 写入 SSD 文件失败", 0), 0u);
    EXPECT_EQ(std::count(os.opens.begin(), os.opens.end(), OpenMode::CreateForCopy), 3);
    EXPECT_EQ(os.allocations, os.releases);
}

}  // namespace
}  // namespace quillobar::testing
