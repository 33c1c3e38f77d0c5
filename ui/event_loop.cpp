#include "ui/event_loop.h"

#include "engine/integer_text.h"
#include "engine/run_driver.h"
#include "location/drive_dialog.h"
#include "ui/run_target.h"

namespace quillobar {
namespace {

void onSizeSlider(Program& p) {
    TestState& state = p.engine.state;
    state.sizeGb = p.window.getControlState(ControlId::SizeSlider);
    p.window.setControlText(ControlId::SizeField, integerText(state.sizeGb));
    state.bufferBytes = state.sizeGb * kBytesPerGb;
    p.window.drainPendingEvents();
}

void onFillCodeSpin(Program& p) {
    p.engine.state.fillCode = p.window.getControlState(ControlId::FillCodeSpin);
    p.window.drainPendingEvents();
}

void onCyclesSpin(Program& p) {
    TestState& state = p.engine.state;
    state.cyclesLeft = p.window.getControlState(ControlId::CyclesSpin);
    p.window.drainPendingEvents();
    if (state.cyclesLeft < 1) {
        state.cyclesLeft = 1;
        p.window.setControlState(ControlId::CyclesSpin, 1);
    }
}

void onSsdCheckBox(Program& p) {
    const std::int64_t ticked = p.window.getControlState(ControlId::SsdCheckBox);
    p.window.hideControl(ControlId::WritePicture, static_cast<int>(1 - ticked));
    p.window.hideControl(ControlId::ReadPicture, static_cast<int>(1 - ticked));
    p.window.showPicture(8, ControlId::VerifyPicture, 220, ticked == 1 ? 280 : 200);
    p.engine.state.ssdCheckOff = 1 - ticked;
}

void onStartButton(Program& p) { runDriver(p.engine); }

void onLinkButton1(Program& p) {
    runTarget(kLinkTargetA);
    runTarget(kLinkTargetC);
    p.window.drainPendingEvents();
}

void onLinkButton2(Program& p) {
    p.window.drainPendingEvents();
    runTarget(kLinkTargetB);
    runTarget(kLinkTargetC);
    p.window.drainPendingEvents();
}

void onChangeDriveButton(Program& p) {
    if (p.driveDialog != nullptr) changeDrive(p.engine, *p.driveDialog);
}

struct HandlerEntry {
    ControlId id;
    ControlHandler handler;
};

constexpr HandlerEntry kHandlers[] = {
    {ControlId::SizeSlider, &onSizeSlider},
    {ControlId::FillCodeSpin, &onFillCodeSpin},
    {ControlId::StartButton, &onStartButton},
    {ControlId::LinkButton1, &onLinkButton1},
    {ControlId::LinkButton2, &onLinkButton2},
    {ControlId::CyclesSpin, &onCyclesSpin},
    {ControlId::SsdCheckBox, &onSsdCheckBox},
    {ControlId::ChangeDriveButton, &onChangeDriveButton},
};

}  // namespace

ControlHandler handlerFor(int controlId) {
    for (const HandlerEntry& entry : kHandlers) {
        if (static_cast<int>(entry.id) == controlId) return entry.handler;
    }
    return nullptr;
}

void runEventLoop(Program& program) {
    for (;;) {
        Event event;
        if (!program.window.waitForEvent(event)) continue;
        program.engine.state.lastEvent = static_cast<std::int64_t>(event.kind);
        if (event.kind == EventKind::Control) {
            if (ControlHandler handler = handlerFor(event.id)) handler(program);
        }
        if (event.kind == EventKind::CloseWindow) return;
    }
}

void startupBlink(Program& program) {
    for (int i = 0; i < 3; ++i) {
        program.window.disableControl(ControlId::LinkButton1, 1);
        program.window.drainPendingEvents();
        pause(program.engine, 50);
        program.window.disableControl(ControlId::LinkButton1, 0);
        program.window.drainPendingEvents();
        pause(program.engine, 50);
    }
}

}  // namespace quillobar
