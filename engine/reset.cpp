#include "engine/reset.h"

#include "location/work_paths.h"

namespace quillobar {

void resetBetweenCycles(Engine& engine) {
    TestState& state = engine.state;
    EngineUi& ui = engine.ui;

    ui.drainPendingEvents();
    pause(engine, kResetPauseMs);
    deleteWorkFile(engine);
    emptyFolder(engine.os, state.cleanFolder);
    pause(engine, kResetPauseMs);

    state.writeCursor = nullptr;
    state.buffer = nullptr;
    ui.setControlState(ControlId::CyclesSpin, 1);
    ui.setControlState(ControlId::SsdCheckBox, 1);
    state.ssdCheckOff = 0;
    state.bufferBytes = 0;
    state.sizeGb = 0;
    state.writeEnd = nullptr;
    state.chunkBytes = 0;
    state.verifyCounter = 0;
    state.verifyCursor = nullptr;
    state.errorFound = 0;
    state.readValue = 0;
    state.sizeGb = ui.getControlState(ControlId::SizeSlider);
    state.bufferBytes = state.sizeGb * kBytesPerGb;

    ui.hideControl(ControlId::MarqueeBar, 0);
    ui.hideControl(ControlId::IdleBar, 1);
    ui.setMarquee(0, 0);
    ui.drainPendingEvents();
    for (const IdlePicture& idle : kIdlePictures) {
        ui.showPicture(idle.picture, idle.place.control, idle.place.x, idle.place.y);
    }
    ui.drainPendingEvents();
    ui.disableControl(ControlId::SizeSlider, 0);
    ui.disableControl(ControlId::StartButton, 0);
    ui.disableControl(ControlId::FillCodeSpin, 0);
    ui.disableControl(ControlId::CyclesSpin, 0);
    ui.setStatusText(0, u"Quillobar V3.3", StatusAppearance::Plain);
    ui.drainPendingEvents();
}

}  // namespace quillobar
