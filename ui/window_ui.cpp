#include "ui/window_ui.h"

#include <commctrl.h>

#include "ui/message_box.h"

namespace quillobar {
namespace {

constexpr int kMainWindowNumber = static_cast<int>(ControlId::MainWindow);
constexpr WORD kNextControlCommand = 0x7001;
constexpr WORD kPreviousControlCommand = 0x7002;
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU;

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

HMENU childId(ControlId id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<int>(id))); }

}  // namespace

WindowUi::WindowUi(HINSTANCE instance, UiEnvironment& environment, StagePictures& pictures)
    : instance_(instance), environment_(environment), pictures_(pictures) {
    white_ = CreateSolidBrush(RGB(255, 255, 255));
    ACCEL keys[] = {
        {FVIRTKEY, VK_TAB, kNextControlCommand},
        {FVIRTKEY | FSHIFT, VK_TAB, kPreviousControlCommand},
    };
    keyboard_ = CreateAcceleratorTableW(keys, 2);
}

WindowUi::~WindowUi() {
    destroyMainWindow();
    if (keyboard_ != nullptr) DestroyAcceleratorTable(keyboard_);
    if (white_ != nullptr) DeleteObject(white_);
}

// ---------------------------------------------------------------- creation

void WindowUi::createMainWindow(const std::wstring& title, std::int64_t sliderMaximum, std::int64_t cyclesLeft,
                                std::int64_t fillCode) {
    RECT outer{0, 0, environment_.scaleX(kMainClientWidth), environment_.scaleY(kMainClientHeight)};
    AdjustWindowRectEx(&outer, kMainWindowStyle, FALSE, 0);
    main_ = CreateWindowExW(0, kWindowClass, title.c_str(), kMainWindowStyle, kMainWindowLeft, kMainWindowTop,
                            outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance_, this);
    if (main_ == nullptr) return;
    ShowWindow(main_, SW_SHOWNORMAL);

    statusBar_ = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", main_, static_cast<UINT>(ControlId::StatusBar));
    SendMessageW(statusBar_, SB_SETMINHEIGHT, kStatusBarMinHeight, 0);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    int edges[3] = {kStatusFieldRightEdges[0], kStatusFieldRightEdges[1], kStatusFieldRightEdges[2]};
    SendMessageW(statusBar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    setStatusText(0, u"", StatusAppearance::Borderless);
    setStatusText(1, u"已用(毫秒): ", StatusAppearance::Borderless);
    setStatusText(2, u"0000", StatusAppearance::RightAligned);

    for (const ControlLayout& c : kMainWindowControls) {
        createControl(c.kind, c.id, c.x, c.y, c.w, c.h, c.caption);
        switch (c.id) {
            case ControlId::SizeUnitLabel:
                drainPendingEvents();
                setWhiteBackground(ControlId::SizeField);
                setControlText(ControlId::SizeField, u"1");
                break;
            case ControlId::SizeSlider: {
                HWND slider = control(c.id);
                SendMessageW(slider, TBM_SETRANGEMIN, FALSE, 1);
                SendMessageW(slider, TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(sliderMaximum));
                setControlState(c.id, 1);
                break;
            }
            case ControlId::SsdCheckBox: setControlState(c.id, 1); break;
            case ControlId::CyclesSpin: setControlState(c.id, cyclesLeft); break;
            case ControlId::FillCodeSpin: setControlState(c.id, fillCode); break;
            case ControlId::PassCountField: setWhiteBackground(c.id); break;
            case ControlId::StartButton:
                if (environment_.startButtonFont() != nullptr) {
                    SendMessageW(control(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(environment_.startButtonFont()),
                                 TRUE);
                }
                break;
            case ControlId::MarqueeBar: hideControl(c.id, 0); break;
            case ControlId::IdleBar: hideControl(c.id, 1); break;
            default: break;
        }
    }
    for (const IdlePicture& idle : kIdlePictures) {
        showPicture(idle.picture, idle.place.control, idle.place.x, idle.place.y);
    }
    drainPendingEvents();
}

void WindowUi::destroyMainWindow() {
    if (main_ == nullptr) return;
    DestroyWindow(main_);
    main_ = nullptr;
    statusBar_ = nullptr;
    controls_.clear();
    spins_.clear();
    kinds_.clear();
    whiteControls_.clear();
}

HWND WindowUi::createChild(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
                           int w, int h, ControlId id) {
    HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, main_,
                                 childId(id), instance_, nullptr);
    if (child != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(environment_.defaultControlFont()), FALSE);
    return child;
}

void WindowUi::createControl(ControlKind kind, ControlId id, int x, int y, int w, int h, const wchar_t* caption) {
    destroyControl(id);
    const int px = environment_.scaleX(x);
    const int py = environment_.scaleY(y);
    const int pw = environment_.scaleX(w);
    const int ph = environment_.scaleY(h);
    HWND created = nullptr;
    switch (kind) {
        case ControlKind::TextLabel:
            created = createChild(L"Static", caption, WS_GROUP | SS_NOPREFIX | SS_CENTER, 0, px, py, pw, ph, id);
            break;
        case ControlKind::ValueDisplay:
            created = createChild(L"Static", caption, WS_GROUP | SS_NOPREFIX | SS_CENTER, WS_EX_CLIENTEDGE, px, py, pw,
                                  ph, id);
            break;
        case ControlKind::TrackBar:
            created = createChild(L"msctls_trackbar32", caption, WS_TABSTOP | TBS_AUTOTICKS, 0, px, py, pw, ph, id);
            break;
        case ControlKind::CheckBox:
            created = createChild(L"Button", caption, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0, px, py, pw, ph, id);
            break;
        case ControlKind::PushButton:
            created = createChild(L"Button", caption, WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0, px, py, pw, ph, id);
            break;
        case ControlKind::MarqueeProgress:
        case ControlKind::Progress:
            created = createChild(L"msctls_progress32", caption, kind == ControlKind::MarqueeProgress ? PBS_MARQUEE : 0,
                                  0, px, py, pw, ph, id);
            if (created != nullptr) SendMessageW(created, PBM_SETRANGE32, 0, 100);
            break;
        case ControlKind::Spin:
            createSpin(id, px, py, pw, ph, 0, id == ControlId::FillCodeSpin ? 255 : 999);
            kinds_[id] = kind;
            return;
        case ControlKind::Picture:
            created = createChild(L"STATIC", caption, SS_NOTIFY | SS_BITMAP, 0, px, py, kPictureWidth, kPictureHeight, id);
            break;
    }
    if (created == nullptr) return;
    controls_[id] = created;
    kinds_[id] = kind;
}

void WindowUi::createSpin(ControlId id, int x, int y, int w, int h, int minimum, int maximum) {
    const int arrowsWidth = std::max(h / 2, kSpinArrowsMinWidth);
    const int fieldWidth = w - arrowsWidth + (environment_.visualStyles() ? 1 : 2);
    Spin spin;
    spin.field = createChild(L"EDIT", L"", WS_TABSTOP | ES_RIGHT | ES_READONLY, WS_EX_CLIENTEDGE, x, y, fieldWidth, h, id);
    spin.arrows = createChild(UPDOWN_CLASSW, L"", WS_BORDER | UDS_NOTHOUSANDS | UDS_ARROWKEYS | UDS_ALIGNRIGHT | UDS_SETBUDDYINT,
                              0, x + w - arrowsWidth, y, arrowsWidth, h, id);
    if (spin.field == nullptr || spin.arrows == nullptr) {
        if (spin.field != nullptr) DestroyWindow(spin.field);
        if (spin.arrows != nullptr) DestroyWindow(spin.arrows);
        return;
    }
    {
        EventQueue::ProgramChange quiet(queue_);
        SendMessageW(spin.arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(spin.field), 0);
        SendMessageW(spin.arrows, UDM_SETRANGE32, minimum, maximum);
    }
    // Taking the buddy moves both windows; put them back where they belong.
    SetWindowPos(spin.field, nullptr, x, y, fieldWidth, h, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(spin.arrows, nullptr, x + w - arrowsWidth, y, arrowsWidth, h, SWP_NOZORDER | SWP_NOACTIVATE);
    spins_[id] = spin;
    controls_[id] = spin.field;
}

void WindowUi::setWhiteBackground(ControlId id) {
    whiteControls_.push_back(id);
    if (HWND c = control(id)) RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void WindowUi::destroyControl(ControlId id) {
    if (const auto spin = spins_.find(id); spin != spins_.end()) {
        DestroyWindow(spin->second.arrows);
        spins_.erase(spin);
    }
    if (const auto found = controls_.find(id); found != controls_.end()) {
        DestroyWindow(found->second);
        controls_.erase(found);
    }
    kinds_.erase(id);
    queue_.removeControl(static_cast<int>(id));
}

HWND WindowUi::control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

HWND WindowUi::spinArrows(ControlId id) const {
    const auto found = spins_.find(id);
    return found == spins_.end() ? nullptr : found->second.arrows;
}

// ---------------------------------------------------------------- operations

void WindowUi::setStatusText(int field, const std::u16string& text, StatusAppearance look) {
    if (statusBar_ == nullptr) return;
    std::wstring shown(wide(text));
    WPARAM part = static_cast<WPARAM>(field);
    if (look != StatusAppearance::Plain) part |= SBT_NOBORDERS;
    if (look == StatusAppearance::RightAligned) {
        shown = L"\t\t" + shown;
        if (environment_.visualStyles()) shown += L"    ";
    }
    SendMessageW(statusBar_, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(shown.c_str()));
    if (look != StatusAppearance::Plain) {
        RECT rect{};
        if (SendMessageW(statusBar_, SB_GETRECT, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(&rect)) != 0) {
            InvalidateRect(statusBar_, &rect, TRUE);
        }
    }
}

void WindowUi::showPicture(PictureId picture, ControlId id, int x, int y) {
    if (main_ == nullptr) return;
    createControl(ControlKind::Picture, id, x, y, kPictureWidth, kPictureHeight, L"");
    if (HWND c = control(id)) {
        if (HBITMAP bitmap = pictures_.bitmap(picture)) {
            SendMessageW(c, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
            SetWindowPos(c, nullptr, 0, 0, kPictureWidth, kPictureHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        // Paint it now: the stage it marks may keep the thread busy for seconds.
        UpdateWindow(c);
    }
}

void WindowUi::setMarquee(int on, int periodMs) {
    if (HWND bar = control(ControlId::MarqueeBar)) SendMessageW(bar, PBM_SETMARQUEE, static_cast<WPARAM>(on), periodMs);
}

void WindowUi::hideControl(ControlId id, int hide) {
    const int show = hide != 0 ? SW_HIDE : SW_SHOW;
    if (HWND c = control(id)) ShowWindow(c, show);
    if (HWND arrows = spinArrows(id)) ShowWindow(arrows, show);
}

void WindowUi::disableControl(ControlId id, int disable) {
    if (HWND c = control(id)) EnableWindow(c, disable == 0);
    if (HWND arrows = spinArrows(id)) EnableWindow(arrows, disable == 0);
}

std::int64_t WindowUi::getControlState(ControlId id) {
    const auto kind = kinds_.find(id);
    if (kind == kinds_.end()) return 0;
    switch (kind->second) {
        case ControlKind::TrackBar: return SendMessageW(control(id), TBM_GETPOS, 0, 0);
        case ControlKind::Spin: {
            BOOL failed = FALSE;
            return static_cast<int>(SendMessageW(spinArrows(id), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        }
        case ControlKind::CheckBox: return SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        default: return 0;
    }
}

void WindowUi::setControlState(ControlId id, std::int64_t value) {
    const auto kind = kinds_.find(id);
    if (kind == kinds_.end()) return;
    EventQueue::ProgramChange quiet(queue_);
    switch (kind->second) {
        case ControlKind::TrackBar: SendMessageW(control(id), TBM_SETPOS, TRUE, static_cast<LPARAM>(value)); break;
        case ControlKind::Spin: SendMessageW(spinArrows(id), UDM_SETPOS32, 0, static_cast<LPARAM>(value)); break;
        case ControlKind::CheckBox:
            SendMessageW(control(id), BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        default: break;
    }
}

void WindowUi::setControlText(ControlId id, const std::u16string& text) {
    EventQueue::ProgramChange quiet(queue_);
    if (HWND c = control(id)) SetWindowTextW(c, wide(text));
}

void WindowUi::messageBox(const std::u16string& title, const std::u16string& text) {
    showMessageBox(wide(title), wide(text));
}

// ---------------------------------------------------------------- events

WindowUi::Poll WindowUi::pollForEvent(Event& event) {
    if (queue_.take(event)) return Poll::Event;
    MSG message{};
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD) == 0) return Poll::Nothing;
    handleWindowMessage(message);
    return Poll::NoEvent;
}

bool WindowUi::waitForEvent(Event& event) {
    if (queue_.take(event)) return true;
    MSG message{};
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
        // Someone asked the thread to quit: treat it as a close request.
        queue_.add({EventKind::CloseWindow, kMainWindowNumber, kMainWindowNumber, WM_QUIT});
        return false;
    }
    if (got > 0) handleWindowMessage(message);
    return false;
}

void WindowUi::drainPendingEvents() {
    Event ignored;
    while (pollForEvent(ignored) != Poll::Nothing) {
    }
}

void WindowUi::handleWindowMessage(MSG& message) {
    if (main_ != nullptr && keyboard_ != nullptr && GetActiveWindow() == main_ &&
        TranslateAcceleratorW(main_, keyboard_, &message) != 0) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool WindowUi::registerWindowClass(HINSTANCE instance, HICON icon) {
    return registerProgramWindowClass(instance, icon, kWindowClass, &ownedWindowProc<WindowUi>);
}

LRESULT WindowUi::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            if (lParam == 0) {
                if (code == 1 && (id == kNextControlCommand || id == kPreviousControlCommand)) {
                    moveFocus(id == kNextControlCommand);
                }
                return 0;
            }
            const auto controlId = static_cast<ControlId>(id);
            const auto kind = kinds_.find(controlId);
            if (kind == kinds_.end()) return 0;
            // A spin's field reports only that its text is about to change.
            if (kind->second == ControlKind::Spin && code != EN_UPDATE) return 0;
            queue_.add({EventKind::Control, id, kMainWindowNumber, code});
            return 0;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) != nullptr && reinterpret_cast<HWND>(lParam) == control(ControlId::SizeSlider)) {
                queue_.add({EventKind::Control, static_cast<int>(ControlId::SizeSlider), kMainWindowNumber, LOWORD(wParam)});
            }
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (onNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
            break;
        }
        case WM_CTLCOLORSTATIC:
            if (HBRUSH brush = onControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_CLOSE:
            queue_.add({EventKind::CloseWindow, kMainWindowNumber, kMainWindowNumber, WM_CLOSE});
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window, focus)) focusBeforeDeactivation_ = focus;
            } else if (focusBeforeDeactivation_ != nullptr && IsWindow(focusBeforeDeactivation_)) {
                SetFocus(focusBeforeDeactivation_);
                queue_.add({EventKind::OtherWindow, kMainWindowNumber, kMainWindowNumber, message});
                return 0;
            }
            queue_.add({EventKind::OtherWindow, kMainWindowNumber, kMainWindowNumber, message});
            break;
        case WM_MOVE:
        case WM_SIZE:
        case WM_LBUTTONDOWN:
            queue_.add({EventKind::OtherWindow, kMainWindowNumber, kMainWindowNumber, message});
            break;
        case WM_DESTROY:
            if (window == main_) main_ = nullptr;
            break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool WindowUi::onNotify(const NMHDR& header, LRESULT& result) {
    if (header.code != static_cast<UINT>(UDN_DELTAPOS)) return false;
    const auto id = static_cast<ControlId>(header.idFrom);
    HWND arrows = spinArrows(id);
    if (arrows == nullptr || arrows != header.hwndFrom) return false;
    // Apply the proposed step ourselves (the arrows hold it within the range)
    // and cancel the arrows' own change.
    const auto& step = reinterpret_cast<const NMUPDOWN&>(header);
    SendMessageW(arrows, UDM_SETPOS32, 0, static_cast<LPARAM>(step.iPos + step.iDelta));
    if (step.iDelta != 0) {
        queue_.add({EventKind::Control, static_cast<int>(id), kMainWindowNumber, static_cast<std::uint32_t>(UDN_DELTAPOS)});
    }
    result = 1;
    return true;
}

HBRUSH WindowUi::onControlColour(HDC dc, HWND child) {
    for (ControlId id : whiteControls_) {
        if (control(id) == child) {
            SetBkColor(dc, RGB(255, 255, 255));
            return white_;
        }
    }
    for (const auto& [id, spin] : spins_) {
        if (spin.field == child && IsWindowEnabled(child)) {
            // The read-only field looks like an editable one while enabled.
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            return GetSysColorBrush(COLOR_BTNHIGHLIGHT);
        }
    }
    return nullptr;
}

void WindowUi::moveFocus(bool forward) {
    // Children in creation order, among those that take the focus now.
    std::vector<HWND> stops;
    for (HWND child = GetWindow(main_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & WS_TABSTOP) != 0 && IsWindowVisible(child) && IsWindowEnabled(child)) stops.push_back(child);
    }
    if (stops.empty()) return;
    HWND focus = GetFocus();
    std::size_t at = stops.size();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == focus) at = i;
    }
    std::size_t next = 0;
    if (at == stops.size()) {
        next = forward ? 0 : stops.size() - 1;
    } else {
        next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    }
    SetFocus(stops[next]);
}

}  // namespace quillobar
