// The main window and its controls, and the engine's user-interface
// operations on them. Window messages become program events in one queue;
// the event pump takes them (poll, wait, drain).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "engine/engine_ui.h"
#include "ui/event_queue.h"
#include "ui/main_window_layout.h"
#include "ui/stage_pictures.h"
#include "ui/ui_environment.h"
#include "ui/window_class.h"

namespace quillobar {

class WindowUi final : public EngineUi {
public:
    WindowUi(HINSTANCE instance, UiEnvironment& environment, StagePictures& pictures);
    ~WindowUi() override;

    // Registers the program's window class (double-clicks, icon, arrow, button face).
    static bool registerWindowClass(HINSTANCE instance, HICON icon);

    // Opens the main window with its status bar and controls in their initial state.
    void createMainWindow(const std::wstring& title, std::int64_t sliderMaximum, std::int64_t cyclesLeft,
                          std::int64_t fillCode);
    void destroyMainWindow();
    HWND mainWindow() const { return main_; }
    HWND control(ControlId id) const;   // the field of a spin
    HWND spinArrows(ControlId id) const;

    // Taking events: one event, no event (a message was handled), or nothing pending.
    enum class Poll { Event, NoEvent, Nothing };
    Poll pollForEvent(Event& event);
    bool waitForEvent(Event& event);  // false: a message was handled instead
    EventQueue& queue() { return queue_; }

    // EngineUi
    void drainPendingEvents() override;
    void setStatusText(int field, const std::u16string& text, StatusAppearance look) override;
    void showPicture(PictureId picture, ControlId control, int x, int y) override;
    void setMarquee(int on, int periodMs) override;
    void hideControl(ControlId control, int hide) override;
    void disableControl(ControlId control, int disable) override;
    std::int64_t getControlState(ControlId control) override;
    void setControlState(ControlId control, std::int64_t value) override;
    void setControlText(ControlId control, const std::u16string& text) override;
    void messageBox(const std::u16string& title, const std::u16string& text) override;

    static constexpr wchar_t kWindowClass[] = L"QuillobarWindow";

private:
    struct Spin {
        HWND field = nullptr;
        HWND arrows = nullptr;
    };

    template <class T>
    friend LRESULT CALLBACK ownedWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void handleWindowMessage(MSG& message);
    bool onNotify(const NMHDR& header, LRESULT& result);
    HBRUSH onControlColour(HDC dc, HWND control);
    void moveFocus(bool forward);

    HWND createChild(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y, int w,
                     int h, ControlId id);
    void createControl(ControlKind kind, ControlId id, int x, int y, int w, int h, const wchar_t* caption);
    void createSpin(ControlId id, int x, int y, int w, int h, int minimum, int maximum);
    void setWhiteBackground(ControlId id);
    void destroyControl(ControlId id);
    HWND anyWindow(ControlId id) const;

    HINSTANCE instance_;
    UiEnvironment& environment_;
    StagePictures& pictures_;
    HWND main_ = nullptr;
    HWND statusBar_ = nullptr;
    HACCEL keyboard_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
    HBRUSH white_ = nullptr;
    std::map<ControlId, HWND> controls_;
    std::map<ControlId, ControlKind> kinds_;
    std::map<ControlId, Spin> spins_;
    std::vector<ControlId> whiteControls_;
    EventQueue queue_;
};

}  // namespace quillobar
