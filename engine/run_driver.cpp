#include "engine/run_driver.h"

#include "engine/cycle.h"
#include "engine/integer_text.h"
#include "engine/reset.h"
#include "location/work_paths.h"

namespace quillobar {

void runDriver(Engine& engine, const std::function<void()>& beforeEachCycle) {
    TestState& state = engine.state;
    EngineUi& ui = engine.ui;

    ui.setStatusText(0, u"已选驱动器: " + state.workFile, StatusAppearance::Plain);
    state.cyclesLeft = ui.getControlState(ControlId::CyclesSpin);
    ui.disableControl(ControlId::SizeSlider, 1);
    ui.disableControl(ControlId::StartButton, 1);
    ui.disableControl(ControlId::FillCodeSpin, 1);
    ui.disableControl(ControlId::CyclesSpin, 1);
    ui.drainPendingEvents();
    state.runStartMs = readClockMs(engine);

    // The first cycle runs in every case; the count is tested after it.
    for (;;) {
        if (beforeEachCycle) beforeEachCycle();
        runOneCycle(engine);

        state.cyclesLeft -= 1;
        if (state.cyclesLeft >= 1) ui.setControlState(ControlId::CyclesSpin, state.cyclesLeft);
        state.elapsedMs = readClockMs(engine) - state.runStartMs;
        state.elapsedMs -= kElapsedAdjustMs;
        ui.setStatusText(2, integerText(state.elapsedMs), StatusAppearance::RightAligned);
        ui.drainPendingEvents();
        resetBetweenCycles(engine);
        if (state.cyclesLeft <= 0) break;
        createFolder(engine.os, state.workFolder);
    }

    ui.messageBox(u"Quillobar", u"重置. 释放内存和 SSD 文件");
    ui.setStatusText(0, u"正在释放内存/SSD...", StatusAppearance::Plain);
    ui.drainPendingEvents();
    state.cyclesLeft = 1;
    ui.setControlState(ControlId::CyclesSpin, 1);
    ui.drainPendingEvents();
    ui.setControlState(ControlId::FillCodeSpin, state.fillCode);
    ui.setControlText(ControlId::SizeField, u"1");
    ui.setControlState(ControlId::SizeSlider, 1);
    resetBetweenCycles(engine);
    recreateWorkFolder(engine);
}

}  // namespace quillobar
