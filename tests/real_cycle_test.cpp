// One real 1 GB cycle on the platform's own system layer (POSIX natively,
// Win32 under Wine), followed by the reset.
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/cycle.h"
#include "engine/reset.h"
#include "location/work_paths.h"
#include "tests/recording_ui.h"

namespace quillobar::testing {
namespace {

// Watches the work file while the cycle runs: after the read-back starts it
// must hold every byte of the buffer.
class WatchingUi final : public EngineUi {
public:
    explicit WatchingUi(const std::filesystem::path& file) : file_(file) {}
    RecordingUi recorder;
    std::uintmax_t sizeAtReadBack = 0;

    void drainPendingEvents() override { recorder.drainPendingEvents(); }
    void setStatusText(int field, const std::u16string& text, StatusAppearance look) override {
        recorder.setStatusText(field, text, look);
    }
    void showPicture(PictureId picture, ControlId control, int x, int y) override {
        if (picture == 5) sizeAtReadBack = std::filesystem::file_size(file_);
        recorder.showPicture(picture, control, x, y);
    }
    void setMarquee(int on, int periodMs) override { recorder.setMarquee(on, periodMs); }
    void hideControl(ControlId control, int hide) override { recorder.hideControl(control, hide); }
    void disableControl(ControlId control, int disable) override { recorder.disableControl(control, disable); }
    std::int64_t getControlState(ControlId control) override { return recorder.getControlState(control); }
    void setControlState(ControlId control, std::int64_t value) override { recorder.setControlState(control, value); }
    void setControlText(ControlId control, const std::u16string& text) override {
        recorder.setControlText(control, text);
    }
    void messageBox(const std::u16string& title, const std::u16string& text) override {
        recorder.messageBox(title, text);
    }

private:
    std::filesystem::path file_;
};

TEST(RealCycle, OneGigabyteWrittenReadBackComparedAndCleanedUp) {
    Os& os = systemOs();
    const auto root = std::filesystem::temp_directory_path() / "quillobar-real-cycle";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);

    TestState state;
    setStartupValues(state);
    state.driveRoot = root.u16string() + os.pathSeparator();
    deriveWorkPaths(state, os.pathSeparator());
    createFolder(os, state.workFolder);
    state.fillCode = 0xA5;
    state.sizeGb = 1;
    state.bufferBytes = kBytesPerGb;

    WatchingUi ui(root / "ram_sdd_fold" / "memory_to_file.dat");
    ui.recorder.states[ControlId::SizeSlider] = 1;
    Engine engine{state, ui, os};
    runOneCycle(engine);

    EXPECT_TRUE(ui.recorder.boxes().empty());
    EXPECT_EQ(state.passCount, 1);
    EXPECT_EQ(ui.sizeAtReadBack, 1'000'000'000u);
    EXPECT_EQ(ui.recorder.startingWith("text 1040"), std::vector<std::string>{"text 1040 1"});

    resetBetweenCycles(engine);
    EXPECT_FALSE(std::filesystem::exists(root / "ram_sdd_fold"));
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace quillobar::testing
