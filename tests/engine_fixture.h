// An engine on the fake system and the recording user interface, with the
// work folder in place on C:\ and a small test size.
#pragma once

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "location/work_paths.h"
#include "tests/fake_os.h"
#include "tests/recording_ui.h"

namespace quillobar::testing {

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
