// The real main window under Wine: every control as designed, the
// operations the engine uses, the event rules and the handlers, and one real
// run started by a click on Start.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/reset.h"
#include "tests/window_fixture.h"

#include <commctrl.h>

namespace quillobar::testing {
namespace {

struct ExpectedControl {
    ControlId id;
    const wchar_t* className;
    DWORD style;    // bits that must be set
    DWORD exStyle;  // bits that must be set
    int x, y, w, h;  // 1/96 inch; pictures: w and h in pixels
    const wchar_t* caption;
};

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX | SS_CENTER;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kPicture = WS_CHILD | WS_VISIBLE | SS_NOTIFY;

const ExpectedControl kExpected[] = {
    {ControlId::SizeLabel, L"Static", kLabel, 0, 1, 22, 100, 30, L"内存大小"},
    {ControlId::SizeField, L"Static", kLabel, WS_EX_CLIENTEDGE, 85, 20, 50, 22, L"1"},
    {ControlId::SizeUnitLabel, L"Static", kLabel, 0, 122, 22, 50, 30, L"GB"},
    {ControlId::SizeSlider, L"msctls_trackbar32", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_AUTOTICKS, 0, 8, 55, 622, 25, L""},
    {ControlId::SsdCheckBox, L"Button", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 30, 100, 125,
     25, L"SSD 检查 开/关"},
    {ControlId::CyclesLabel, L"Static", kLabel, 0, 168, 105, 30, 25, L"循环"},
    {ControlId::FillCodeLabel, L"Static", kLabel, 0, 270, 105, 150, 25, L"内存/SSD 填充代码 (0-255)"},
    {ControlId::PassCountLabel, L"Static", kLabel, 0, 490, 105, 60, 25, L"通过测试"},
    {ControlId::PassCountField, L"Static", kLabel, WS_EX_CLIENTEDGE, 560, 102, 40, 22, L"0"},
    {ControlId::LinkButton1, L"Button", kButton, 0, 165, 16, 205, 26, L"Quillobar"},
    {ControlId::ChangeDriveButton, L"Button", kButton, 0, 374, 16, 130, 26, L"更改 SSD/NVME"},
    {ControlId::LinkButton2, L"Button", kButton, 0, 508, 16, 112, 26, L"Quilloba"},
    {ControlId::StartButton, L"Button", kButton, 0, 10, 145, 200, 35, L"开始"},
    {ControlId::MarqueeBar, L"msctls_progress32", WS_CHILD | WS_VISIBLE | PBS_MARQUEE, 0, 239, 158, 360, 10, L""},
    {ControlId::IdleBar, L"msctls_progress32", WS_CHILD, 0, 239, 170, 360, 10, L""},
    {ControlId::FillPicture, L"Static", kPicture, 0, 10, 200, 198, 68, L""},
    {ControlId::WritePicture, L"Static", kPicture, 0, 10, 280, 198, 68, L""},
    {ControlId::ReadPicture, L"Static", kPicture, 0, 220, 200, 198, 68, L""},
    {ControlId::VerifyPicture, L"Static", kPicture, 0, 220, 280, 198, 68, L""},
    {ControlId::ErrorPicture, L"Static", kPicture, 0, 430, 280, 198, 68, L""},
    {ControlId::PassPicture, L"Static", kPicture, 0, 430, 200, 198, 68, L""},
};

bool isPicture(ControlId id) { return static_cast<int>(id) >= 23 && static_cast<int>(id) <= 28; }

int expectedDpi() {
    const char* value = std::getenv("QUILLOBAR_EXPECT_DPI");
    return value != nullptr ? std::atoi(value) : 96;
}

class MainWindow : public WindowFixture {
protected:
    int sx(int v) const { return MulDiv(v, environment_->dpiX(), 96); }
    int sy(int v) const { return MulDiv(v, environment_->dpiY(), 96); }
    void expectRect(HWND child, int x, int y, int w, int h, const char* what) const {
        const RECT r = clientRect(child);
        EXPECT_EQ(r.left, x) << what;
        EXPECT_EQ(r.top, y) << what;
        EXPECT_EQ(r.right - r.left, w) << what;
        EXPECT_EQ(r.bottom - r.top, h) << what;
    }
};

TEST_F(MainWindow, EveryControlAsDesignedAtTheScreenResolution) {
    ASSERT_EQ(environment_->dpiX(), expectedDpi());
    ASSERT_EQ(environment_->dpiY(), expectedDpi());
    RECT client{};
    GetClientRect(window.mainWindow(), &client);
    EXPECT_EQ(client.right, sx(640));
    EXPECT_EQ(client.bottom, sy(385));
    RECT outer{};
    GetWindowRect(window.mainWindow(), &outer);
    EXPECT_EQ(outer.left, 30);
    EXPECT_EQ(outer.top, 30);
    const LONG mainStyle = GetWindowLongW(window.mainWindow(), GWL_STYLE);
    EXPECT_EQ(mainStyle & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(text(window.mainWindow()), L"Quillobar V3.3 - 最大可验证内存约 8589934592 字节");

    for (const ExpectedControl& e : kExpected) {
        const std::string what = "control " + std::to_string(static_cast<int>(e.id));
        HWND c = control(e.id);
        ASSERT_NE(c, nullptr) << what;
        wchar_t className[64] = {};
        GetClassNameW(c, className, 64);
        EXPECT_EQ(_wcsicmp(className, e.className), 0) << what;
        EXPECT_EQ(GetDlgCtrlID(c), static_cast<int>(e.id)) << what;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE)) & e.style, e.style) << what;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(c, GWL_EXSTYLE)) & e.exStyle, e.exStyle) << what;
        if (isPicture(e.id)) {
            expectRect(c, sx(e.x), sy(e.y), e.w, e.h, what.c_str());  // pictures keep their pixel size
        } else {
            expectRect(c, sx(e.x), sy(e.y), sx(e.w), sy(e.h), what.c_str());
            EXPECT_EQ(text(c), e.caption) << what;
        }
    }
    EXPECT_FALSE(IsWindowVisible(control(ControlId::IdleBar)));
    EXPECT_TRUE(IsWindowVisible(control(ControlId::MarqueeBar)));

    // Spins: the arrows max(h/2, 18) pixels wide at the right end, the field reaching under them.
    for (const auto& [id, x, y, w, h, value, maximum] :
         {std::tuple{ControlId::CyclesSpin, 210, 102, 50, 22, 1, 999}, std::tuple{ControlId::FillCodeSpin, 425, 102, 50, 22, 128, 255}}) {
        const int arrows = std::max(sy(h) / 2, 18);
        const int overlap = environment_->visualStyles() ? 1 : 2;
        expectRect(control(id), sx(x), sy(y), sx(w) - arrows + overlap, sy(h), "spin field");
        expectRect(window.spinArrows(id), sx(x) + sx(w) - arrows, sy(y), arrows, sy(h), "spin arrows");
        const DWORD fieldStyle = WS_TABSTOP | ES_RIGHT | ES_READONLY;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control(id), GWL_STYLE)) & fieldStyle, fieldStyle);
        EXPECT_NE(GetWindowLongW(control(id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
        // WS_BORDER is asked for too, but the arrows draw their border themselves
        // and do not keep the bit.
        const DWORD arrowStyle = UDS_NOTHOUSANDS | UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_SETBUDDYINT;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window.spinArrows(id), GWL_STYLE)) & arrowStyle, arrowStyle);
        EXPECT_EQ(window.getControlState(id), value);
        EXPECT_EQ(text(control(id)), std::to_wstring(value));
        int low = -1, high = -1;
        SendMessageW(window.spinArrows(id), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, maximum);
    }

    HWND slider = control(ControlId::SizeSlider);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 8);
    EXPECT_EQ(window.getControlState(ControlId::SizeSlider), 1);
    EXPECT_EQ(window.getControlState(ControlId::SsdCheckBox), 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control(ControlId::StartButton), WM_GETFONT, 0, 0)),
              environment_->startButtonFont());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control(ControlId::LinkButton1), WM_GETFONT, 0, 0)),
              environment_->defaultControlFont());

    for (const IdlePicture& idle : kIdlePictures) {
        EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(control(idle.place.control), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                  pictures_->bitmap(idle.picture));
        EXPECT_NE(pictures_->bitmap(idle.picture), nullptr);
    }

    // The status bar keeps its fields' pixel edges at every resolution.
    HWND bar = GetDlgItem(window.mainWindow(), static_cast<int>(ControlId::StatusBar));
    ASSERT_NE(bar, nullptr);
    int edges[3] = {};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 380);
    EXPECT_EQ(edges[1], 550);
    EXPECT_EQ(edges[2], 670);
    const std::wstring padding = environment_->visualStyles() ? L"    " : L"";
    const std::wstring fields[3] = {L"", L"已用(毫秒): ", L"\t\t0000" + padding};
    for (int field = 0; field < 3; ++field) {
        wchar_t buffer[128] = {};
        const LRESULT info = SendMessageW(bar, SB_GETTEXTW, field, reinterpret_cast<LPARAM>(buffer));
        EXPECT_EQ(buffer, fields[field]) << field;
        EXPECT_EQ(HIWORD(info) & SBT_NOBORDERS, SBT_NOBORDERS) << field;
    }
    window.setStatusText(0, u"x", StatusAppearance::Plain);
    EXPECT_EQ(HIWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0)) & SBT_NOBORDERS, 0);
}

TEST_F(MainWindow, ControlStateOfEachKindAndSpinsMoveTogether) {
    window.setControlState(ControlId::SizeSlider, 5);
    EXPECT_EQ(window.getControlState(ControlId::SizeSlider), 5);
    window.setControlState(ControlId::SizeSlider, 50);  // beyond the range of 1 to 8
    EXPECT_EQ(window.getControlState(ControlId::SizeSlider), 8);
    window.setControlState(ControlId::SsdCheckBox, 0);
    EXPECT_EQ(window.getControlState(ControlId::SsdCheckBox), 0);
    window.setControlState(ControlId::SsdCheckBox, 7);
    EXPECT_EQ(window.getControlState(ControlId::SsdCheckBox), 1);
    window.setControlState(ControlId::FillCodeSpin, 77);
    EXPECT_EQ(window.getControlState(ControlId::FillCodeSpin), 77);
    EXPECT_EQ(text(control(ControlId::FillCodeSpin)), L"77");
    window.setControlState(ControlId::CyclesSpin, 1234);
    EXPECT_EQ(window.getControlState(ControlId::CyclesSpin), 999);
    EXPECT_EQ(text(control(ControlId::CyclesSpin)), L"999");  // no thousands separator
    EXPECT_EQ(window.getControlState(ControlId::StartButton), 0);
    EXPECT_EQ(window.getControlState(ControlId::SizeField), 0);
    EXPECT_EQ(window.getControlState(static_cast<ControlId>(4242)), 0);
    window.setControlText(ControlId::PassCountField, u"42");
    EXPECT_EQ(text(control(ControlId::PassCountField)), L"42");

    window.disableControl(ControlId::CyclesSpin, 1);
    EXPECT_FALSE(IsWindowEnabled(control(ControlId::CyclesSpin)));
    EXPECT_FALSE(IsWindowEnabled(window.spinArrows(ControlId::CyclesSpin)));
    window.disableControl(ControlId::CyclesSpin, 0);
    EXPECT_TRUE(IsWindowEnabled(window.spinArrows(ControlId::CyclesSpin)));
    window.hideControl(ControlId::FillCodeSpin, 1);
    EXPECT_FALSE(IsWindowVisible(control(ControlId::FillCodeSpin)));
    EXPECT_FALSE(IsWindowVisible(window.spinArrows(ControlId::FillCodeSpin)));
    window.hideControl(ControlId::FillCodeSpin, 0);
    EXPECT_TRUE(IsWindowVisible(window.spinArrows(ControlId::FillCodeSpin)));

    // show picture makes a hidden picture control visible again, at its new place.
    window.hideControl(ControlId::ReadPicture, 1);
    window.showPicture(5, ControlId::ReadPicture, 220, 200);
    EXPECT_TRUE(IsWindowVisible(control(ControlId::ReadPicture)));
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(control(ControlId::ReadPicture), STM_GETIMAGE, IMAGE_BITMAP, 0)),
              pictures_->bitmap(5));
}

TEST_F(MainWindow, ProgramChangesRaiseNoEvent) {
    window.drainPendingEvents();
    window.setControlState(ControlId::CyclesSpin, 5);
    window.setControlState(ControlId::FillCodeSpin, 9);
    window.setControlState(ControlId::SizeSlider, 3);
    window.setControlState(ControlId::SsdCheckBox, 0);
    window.setControlText(ControlId::SizeField, u"3");
    EXPECT_TRUE(window.queue().empty());
    state.cyclesLeft = 1;
    runQueuedHandlers();
    EXPECT_EQ(state.cyclesLeft, 1);
    EXPECT_EQ(state.fillCode, 128);
    EXPECT_EQ(state.ssdCheckOff, 0);
}

TEST_F(MainWindow, DestroyedControlsEventsLeaveAndDrainsDiscardEverything) {
    window.drainPendingEvents();
    // A click on a picture queues its event; re-creating the picture removes it.
    SendMessageW(window.mainWindow(), WM_COMMAND, MAKEWPARAM(static_cast<int>(ControlId::VerifyPicture), STN_CLICKED),
                 reinterpret_cast<LPARAM>(control(ControlId::VerifyPicture)));
    EXPECT_EQ(window.queue().size(), 1u);
    window.showPicture(7, ControlId::VerifyPicture, 220, 280);
    EXPECT_TRUE(window.queue().empty());

    // The same click twice in a row is one event.
    SendMessageW(control(ControlId::SsdCheckBox), BM_CLICK, 0, 0);
    SendMessageW(window.mainWindow(), WM_COMMAND, MAKEWPARAM(static_cast<int>(ControlId::SsdCheckBox), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(ControlId::SsdCheckBox)));
    EXPECT_EQ(window.queue().size(), 1u);

    // A drain takes control and close events without running a handler.
    PostMessageW(window.mainWindow(), WM_CLOSE, 0, 0);
    window.drainPendingEvents();
    EXPECT_TRUE(window.queue().empty());
    EXPECT_EQ(state.ssdCheckOff, 0);
    EXPECT_TRUE(IsWindow(window.mainWindow()));
    EXPECT_TRUE(IsWindowVisible(control(ControlId::WritePicture)));
}

TEST_F(MainWindow, CheckBoxHandlerMovesVerifyAndHidesWriteAndRead) {
    window.drainPendingEvents();
    SendMessageW(control(ControlId::SsdCheckBox), BM_CLICK, 0, 0);
    runQueuedHandlers();
    EXPECT_EQ(state.ssdCheckOff, 1);
    EXPECT_FALSE(IsWindowVisible(control(ControlId::WritePicture)));
    EXPECT_FALSE(IsWindowVisible(control(ControlId::ReadPicture)));
    EXPECT_EQ(clientRect(control(ControlId::VerifyPicture)).top, MulDiv(200, environment_->dpiY(), 96));
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(control(ControlId::VerifyPicture), STM_GETIMAGE, IMAGE_BITMAP, 0)),
              pictures_->bitmap(8));

    SendMessageW(control(ControlId::SsdCheckBox), BM_CLICK, 0, 0);
    runQueuedHandlers();
    EXPECT_EQ(state.ssdCheckOff, 0);
    EXPECT_TRUE(IsWindowVisible(control(ControlId::WritePicture)));
    EXPECT_TRUE(IsWindowVisible(control(ControlId::ReadPicture)));
    EXPECT_EQ(clientRect(control(ControlId::VerifyPicture)).top, MulDiv(280, environment_->dpiY(), 96));
}

TEST_F(MainWindow, SpinStepsAreClampedAndCyclesNeverStayBelowOne) {
    window.drainPendingEvents();
    // The Down key in the field steps the arrows.
    SendMessageW(control(ControlId::CyclesSpin), WM_KEYDOWN, VK_DOWN, 0);
    runQueuedHandlers();
    EXPECT_EQ(state.cyclesLeft, 1);
    EXPECT_EQ(window.getControlState(ControlId::CyclesSpin), 1);

    window.setControlState(ControlId::FillCodeSpin, 255);
    SendMessageW(control(ControlId::FillCodeSpin), WM_KEYDOWN, VK_UP, 0);
    runQueuedHandlers();
    EXPECT_EQ(window.getControlState(ControlId::FillCodeSpin), 255);
    EXPECT_EQ(state.fillCode, 255);
    SendMessageW(control(ControlId::FillCodeSpin), WM_KEYDOWN, VK_DOWN, 0);
    runQueuedHandlers();
    EXPECT_EQ(state.fillCode, 254);

    window.setControlState(ControlId::CyclesSpin, 999);
    SendMessageW(control(ControlId::CyclesSpin), WM_KEYDOWN, VK_UP, 0);
    runQueuedHandlers();
    EXPECT_EQ(state.cyclesLeft, 999);
}

TEST_F(MainWindow, SliderHandlerShowsTheSize) {
    window.drainPendingEvents();
    SendMessageW(control(ControlId::SizeSlider), TBM_SETPOS, TRUE, 4);
    SendMessageW(window.mainWindow(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 4),
                 reinterpret_cast<LPARAM>(control(ControlId::SizeSlider)));
    runQueuedHandlers();
    EXPECT_EQ(state.sizeGb, 4);
    EXPECT_EQ(state.bufferBytes, 4'000'000'000);
    EXPECT_EQ(text(control(ControlId::SizeField)), L"4");
}

// Presses Tab (or Shift+Tab) in the focused control, as the pump sees it.
void pressTab(WindowUi& window, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    window.drainPendingEvents();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST_F(MainWindow, TabVisitsTheEnabledStopsInCreationOrder) {
    SetForegroundWindow(window.mainWindow());
    SetActiveWindow(window.mainWindow());
    window.drainPendingEvents();
    if (GetActiveWindow() != window.mainWindow()) GTEST_SKIP() << "the window could not be activated";
    const ControlId order[] = {ControlId::SizeSlider, ControlId::SsdCheckBox, ControlId::CyclesSpin,
                               ControlId::FillCodeSpin, ControlId::LinkButton1, ControlId::ChangeDriveButton,
                               ControlId::LinkButton2, ControlId::StartButton, ControlId::SizeSlider};
    SetFocus(control(ControlId::SizeSlider));
    for (std::size_t i = 1; i < std::size(order); ++i) {
        pressTab(window, false);
        EXPECT_EQ(GetFocus(), control(order[i])) << "Tab " << i;
    }
    for (std::size_t i = std::size(order) - 1; i > 0; --i) {
        pressTab(window, true);
        EXPECT_EQ(GetFocus(), control(order[i - 1])) << "Shift+Tab " << i;
    }

    // While a run keeps the parameter controls disabled, Tab passes them over.
    for (ControlId id : {ControlId::SizeSlider, ControlId::StartButton, ControlId::FillCodeSpin, ControlId::CyclesSpin}) {
        window.disableControl(id, 1);
    }
    SetFocus(control(ControlId::SsdCheckBox));
    const ControlId running[] = {ControlId::LinkButton1, ControlId::ChangeDriveButton, ControlId::LinkButton2,
                                 ControlId::SsdCheckBox};
    for (ControlId expected : running) {
        pressTab(window, false);
        EXPECT_EQ(GetFocus(), control(expected));
    }
}

TEST_F(MainWindow, FocusComesBackAfterDeactivation) {
    SetForegroundWindow(window.mainWindow());
    window.drainPendingEvents();
    if (GetActiveWindow() != window.mainWindow()) GTEST_SKIP() << "the window could not be activated";
    SetFocus(control(ControlId::LinkButton2));
    HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 700, 500, 100, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    window.drainPendingEvents();
    EXPECT_NE(GetFocus(), control(ControlId::LinkButton2));
    SetActiveWindow(window.mainWindow());
    window.drainPendingEvents();
    EXPECT_EQ(GetFocus(), control(ControlId::LinkButton2));
    DestroyWindow(other);
}

int childWindows(HWND parent) {
    int count = 0;
    EnumChildWindows(parent, [](HWND, LPARAM counter) noexcept -> BOOL {
        ++*reinterpret_cast<int*>(counter);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(MainWindow, TenResetsLeaveTheWindowAndGdiObjectsWhereTheyWere) {
    window.drainPendingEvents();
    resetBetweenCycles(engine);  // anything made once on first use is made now
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const int children = childWindows(window.mainWindow());
    for (int i = 0; i < 10; ++i) resetBetweenCycles(engine);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user);
    EXPECT_EQ(childWindows(window.mainWindow()), children);
    std::printf("gui objects after ten resets: gdi=%lu user=%lu children=%d\n", static_cast<unsigned long>(gdi),
                static_cast<unsigned long>(user), children);
}

// Presses OK on every message box of this thread, noting its title and text.
struct BoxCloser {
    static inline std::vector<std::wstring> seen;
    static BOOL CALLBACK closeBox(HWND box, LPARAM) noexcept {
        wchar_t className[32] = {};
        GetClassNameW(box, className, 32);
        if (std::wstring(className) != L"#32770" || !IsWindowVisible(box)) return TRUE;
        wchar_t title[128] = {};
        GetWindowTextW(box, title, 128);
        wchar_t body[512] = {};
        GetDlgItemTextW(box, 0xFFFF, body, 512);
        seen.push_back(std::wstring(title) + L" | " + body);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
        EnumThreadWindows(GetCurrentThreadId(), &closeBox, 0);
    }
};

TEST_F(MainWindow, OneRealGigabyteRunStartedByAClick) {
    window.drainPendingEvents();
    BoxCloser::seen.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 250, &BoxCloser::onTimer);
    SendMessageW(control(ControlId::StartButton), BM_CLICK, 0, 0);
    runQueuedHandlers();
    KillTimer(nullptr, timer);

    ASSERT_EQ(BoxCloser::seen.size(), 1u);
    EXPECT_EQ(BoxCloser::seen[0], L"Quillobar | 重置. 释放内存和 SSD 文件");
    EXPECT_EQ(state.passCount, 1);
    EXPECT_EQ(text(control(ControlId::PassCountField)), L"1");
    EXPECT_EQ(text(control(ControlId::SizeField)), L"1");
    for (const IdlePicture& idle : kIdlePictures) {
        EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageW(control(idle.place.control), STM_GETIMAGE, IMAGE_BITMAP, 0)),
                  pictures_->bitmap(idle.picture));
        EXPECT_TRUE(IsWindowVisible(control(idle.place.control)));
    }
    EXPECT_TRUE(IsWindowEnabled(control(ControlId::StartButton)));
    EXPECT_TRUE(IsWindowVisible(control(ControlId::MarqueeBar)));
    EXPECT_FALSE(IsWindowVisible(control(ControlId::IdleBar)));
    HWND bar = GetDlgItem(window.mainWindow(), static_cast<int>(ControlId::StatusBar));
    wchar_t status[256] = {};
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
    EXPECT_EQ(std::wstring(status), L"已选路径: " + (root_ / L"ram_sdd_fold" / L"memory_to_file.dat").wstring());
    wchar_t elapsed[64] = {};
    SendMessageW(bar, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(elapsed));
    EXPECT_GT(_wtoi(elapsed + 2), 1000);  // after the two tabs: at least the reset's 1,600 ms pauses... less 25
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "ram_sdd_fold"));
    EXPECT_FALSE(std::filesystem::exists(root_ / "ram_sdd_fold" / "memory_to_file.dat"));
}

}  // namespace
}  // namespace quillobar::testing
