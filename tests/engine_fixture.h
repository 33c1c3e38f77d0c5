// An engine on the fake system and the recording user interface, with the
// work folder in place on C:\ and a small test size.
#pragma once

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "location/work_paths.h"
#include "tests/fake_os.h"
#include "tests/recording_ui.h"

namespace quillobar::testing {

// The reset in the folded log, from its first control change to its last drain.
inline const std::vector<std::string> kResetOperations = {
    "set 1039 1",
    "set 1044 1",
    "show 22",
    "hide 1035",
    "marquee 0 0",
    "drain x1",
    "picture 2 in 23 at 10,200",
    "picture 4 in 24 at 10,280",
    "picture 6 in 25 at 220,200",
    "picture 8 in 26 at 220,280",
    "picture 12 in 27 at 430,280",
    "picture 10 in 28 at 430,200",
    "drain x1",
    "enable 17",
    "enable 20",
    "enable 19",
    "enable 1039",
    "status 0 plain: Quillobar V3.3",
    "drain x1",
};

class EngineFixture : public ::testing::Test {
protected:
    static constexpr std::int64_t kSmallBytes = 2'500'000;

    EngineFixture() {
        setStartupValues(state);
        state.driveRoot = u"C:\\";
        deriveWorkPaths(state, u'\\');
        createFolder(os, state.workFolder);
        state.bufferBytes = kSmallBytes;
        ui.states[ControlId::SizeSlider] = 1;
        ui.states[ControlId::CyclesSpin] = 1;
        ui.states[ControlId::FillCodeSpin] = 128;
        ui.states[ControlId::SsdCheckBox] = 1;
    }

    bool workFolderExists() const { return os.directories.count(u"C:\\ram_sdd_fold") != 0; }
    bool workFileExists() const { return os.files.count(u"C:\\ram_sdd_fold\\memory_to_file.dat") != 0; }

    FakeOs os;
    RecordingUi ui;
    TestState state;
    Engine engine{state, ui, os};
};

}  // namespace quillobar::testing
