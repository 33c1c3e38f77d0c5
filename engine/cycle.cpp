#include "engine/cycle.h"

#include <algorithm>
#include <cstddef>

#include "engine/compare.h"
#include "engine/integer_text.h"
#include "engine/work_file.h"
#include "location/work_paths.h"

namespace quillobar {
namespace {

constexpr char16_t kErrorTitle[] = u"内存/SSD 错误!";

void showAllocationFailure(Engine& engine) {
    engine.ui.showPicture(11, ControlId::ErrorPicture, 430, 280);
    engine.ui.messageBox(kErrorTitle,
                         u"无法分配内存: " + integerText(engine.state.bufferBytes) + u" 字节");
    engine.ui.drainPendingEvents();
}

std::u16string fileFailureText(const TestState& state, const FileOutcome& outcome) {
    switch (outcome.failedStep) {
        case FileOutcome::Step::Create:
            return u"无法创建 SSD 文件: " + state.workFile + u"\r错误代码=" + integerText(outcome.errorCode);
        case FileOutcome::Step::Write:
            return u"写入 SSD 文件失败: " + state.workFile + u"\r错误代码=" + integerText(outcome.errorCode);
        case FileOutcome::Step::Read:
        case FileOutcome::Step::None:
            break;
    }
    return u"读取 SSD 文件失败: " + state.workFile + u"\r已读字节=" + integerText(outcome.bytesRead) +
           u"\r期望字节=" + integerText(state.bufferBytes);
}

void releaseBuffer(Engine& engine) {
    if (engine.state.buffer != nullptr) engine.os.release(engine.state.buffer);
}

void showOutcome(Engine& engine, const FileOutcome& file) {
    TestState& state = engine.state;
    EngineUi& ui = engine.ui;
    if (state.errorFound == 1 || file.failedStep != FileOutcome::Step::None) {
        ui.showPicture(11, ControlId::ErrorPicture, 430, 280);
        releaseBuffer(engine);
        // A differing byte is the stronger finding; it takes the one box.
        if (state.errorFound == 1) {
            ui.messageBox(kErrorTitle, u"期望值=" + integerText(state.fillCode) + u"\r正在读数值=" +
                                           integerText(state.readValue));
        } else {
            ui.messageBox(kErrorTitle, fileFailureText(state, file));
        }
        ui.drainPendingEvents();
        return;
    }
    ui.showPicture(9, ControlId::PassPicture, 430, 200);
    releaseBuffer(engine);
    ui.drainPendingEvents();
    state.passCount += 1;
    ui.drainPendingEvents();
    ui.setControlText(ControlId::PassCountField, integerText(state.passCount));
    ui.drainPendingEvents();
}

}  // namespace

void fillStage(Engine& engine) {
    TestState& state = engine.state;
    if (state.buffer == nullptr) return;
    fillBytes(state.buffer, static_cast<std::size_t>(state.bufferBytes), static_cast<std::uint8_t>(state.fillCode));
}

FileOutcome copyStage(Engine& engine) {
    TestState& state = engine.state;
    EngineUi& ui = engine.ui;
    FileOutcome outcome;
    if (workPathIsLink(engine)) {
        // A planted link (see workPathIsLink) is refused like a file that
        // cannot be created: no open, so nothing reaches what it points at.
        outcome.failedStep = FileOutcome::Step::Create;
        outcome.errorCode = engine.os.linkErrorCode();
        return outcome;
    }
    WorkFile file(engine.os);
    if (!file.open(state.workFile, OpenMode::CreateForCopy) &&
        !file.open(state.workFile, OpenMode::TruncateForCopy)) {
        // Nothing can be written: the copy and the read-back do not start.
        outcome.failedStep = FileOutcome::Step::Create;
        outcome.errorCode = file.errorCode();
        return outcome;
    }
    ui.setStatusText(0, u"将内存大小复制到 SSD 文件: " + state.workFolder + u" - 等待...", StatusAppearance::Plain);
    ui.drainPendingEvents();
    state.writeCursor = state.buffer;
    state.writeEnd = state.buffer + state.bufferBytes;
    ui.showPicture(3, ControlId::WritePicture, 10, 280);

    while (state.writeCursor < state.writeEnd) {
        if (state.writeEnd - state.writeCursor < kCopyRequestBytes) {
            state.chunkBytes = state.writeEnd - state.writeCursor;
        } else {
            state.chunkBytes = kCopyRequestBytes;
            ui.drainPendingEvents();
        }
        if (!file.write(state.writeCursor, static_cast<std::uint32_t>(state.chunkBytes))) {
            outcome.failedStep = FileOutcome::Step::Write;
            outcome.errorCode = file.errorCode();
            break;
        }
        state.writeCursor += state.chunkBytes;
    }
    ui.drainPendingEvents();
    if (!file.close() && outcome.failedStep == FileOutcome::Step::None) {
        outcome.failedStep = FileOutcome::Step::Write;
        outcome.errorCode = file.errorCode();
    }
    state.verifyCounter = 0;
    return outcome;
}

FileOutcome readBackStage(Engine& engine) {
    TestState& state = engine.state;
    FileOutcome outcome;
    if (workPathIsLink(engine)) {
        // A link planted since the copy: refused like a work file that cannot be opened.
        outcome.failedStep = FileOutcome::Step::Read;
        outcome.errorCode = engine.os.linkErrorCode();
        return outcome;
    }
    WorkFile file(engine.os);
    if (!file.open(state.workFile, OpenMode::OpenForReadBack)) {
        outcome.failedStep = FileOutcome::Step::Read;
        outcome.errorCode = file.errorCode();
        return outcome;
    }
    engine.ui.setStatusText(0, u"打开并从 SSD 读取文件 - 等待..." + state.workFolder, StatusAppearance::Plain);
    engine.ui.showPicture(5, ControlId::ReadPicture, 220, 200);
    outcome.bytesRead = file.read(state.buffer, state.bufferBytes);
    const bool closed = file.close();
    if (outcome.bytesRead < state.bufferBytes || !closed) {
        outcome.failedStep = FileOutcome::Step::Read;
        outcome.errorCode = file.errorCode();
    }
    return outcome;
}

void compareStage(Engine& engine) {
    // Equivalent to comparing one byte at a time with a drain after every
    // 1,000,000th byte read, but each block between two drains is searched
    // in one vectorised pass.
    TestState& state = engine.state;
    const auto expected = static_cast<std::uint8_t>(state.fillCode);
    std::uint8_t* const end = state.buffer + state.bufferBytes;
    state.verifyCursor = state.buffer;
    while (state.verifyCursor < end) {
        // Bytes until the counter passes 999,999: the drain comes after reading that byte.
        const std::int64_t untilDrain = kCompareDrainInterval - state.verifyCounter;
        const std::int64_t span = std::min<std::int64_t>(untilDrain, end - state.verifyCursor);
        const std::size_t differs =
            findFirstDifferent(state.verifyCursor, static_cast<std::size_t>(span), expected);
        const std::int64_t readBytes = differs < static_cast<std::size_t>(span)
                                           ? static_cast<std::int64_t>(differs) + 1
                                           : span;
        state.verifyCursor += readBytes - 1;
        state.readValue = *state.verifyCursor;
        state.verifyCounter += readBytes;
        if (state.verifyCounter > kCompareDrainInterval - 1) {
            engine.ui.drainPendingEvents();
            engine.ui.setMarquee(1, 60);
            engine.ui.drainPendingEvents();
            state.verifyCounter = 0;
        }
        if (state.readValue != state.fillCode) {
            state.errorFound = 1;
            return;
        }
        state.verifyCursor += 1;
    }
}

void runOneCycle(Engine& engine) {
    TestState& state = engine.state;
    EngineUi& ui = engine.ui;

    ui.setStatusText(0, u"内存填充 - 等待...", StatusAppearance::Plain);
    state.buffer = state.bufferBytes > 0 ? engine.os.allocateZeroed(state.bufferBytes) : nullptr;
    ui.drainPendingEvents();
    if (state.bufferBytes > 0 && state.buffer == nullptr) {
        showAllocationFailure(engine);
        return;
    }
    ui.showPicture(1, ControlId::FillPicture, 10, 200);
    fillStage(engine);
    ui.drainPendingEvents();

    FileOutcome file;
    if (state.ssdCheckOff == 0) {
        file = copyStage(engine);
        if (file.failedStep == FileOutcome::Step::None) file = readBackStage(engine);
    }

    ui.setMarquee(1, 60);
    ui.showPicture(7, ControlId::VerifyPicture, 220, state.ssdCheckOff == 0 ? 280 : 200);
    ui.drainPendingEvents();
    ui.setStatusText(0, u"验证 SSD 文件的内容是否与存储到内存中的数据相同 - 等待... " + state.workFolder,
                     StatusAppearance::Plain);
    ui.drainPendingEvents();
    compareStage(engine);
    ui.drainPendingEvents();
    ui.hideControl(ControlId::MarqueeBar, 1);
    ui.hideControl(ControlId::IdleBar, 0);
    showOutcome(engine, file);
}

}  // namespace quillobar
