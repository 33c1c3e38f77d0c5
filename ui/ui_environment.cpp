#include "ui/ui_environment.h"

#include <shlwapi.h>
#include <uxtheme.h>

namespace quillobar {
namespace {

bool commonControlsSixOrLater() {
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    if (comctl == nullptr) return false;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")));
    if (getVersion == nullptr) return false;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    return SUCCEEDED(getVersion(&info)) && info.dwMajorVersion >= 6;
}

}  // namespace

UiEnvironment::UiEnvironment() {
    if (HDC screen = GetDC(nullptr)) {
        dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    if (HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {
        fontDpi_ = GetDeviceCaps(display, LOGPIXELSY);
        DeleteDC(display);
    }
    // The message font of the non-client metrics; the structure size is the
    // one of the layout with iPaddedBorderWidth.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 500;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0) != 0) {
        defaultFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
        ownsDefaultFont_ = defaultFont_ != nullptr;
    }
    if (defaultFont_ == nullptr) defaultFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    visualStyles_ = commonControlsSixOrLater() && IsAppThemed() != FALSE;
}

UiEnvironment::~UiEnvironment() {
    if (ownsDefaultFont_) DeleteObject(defaultFont_);
    if (startButtonFont_ != nullptr) DeleteObject(startButtonFont_);
}

void UiEnvironment::createStartButtonFont() {
    startButtonFont_ = CreateFontW(-MulDiv(12, fontDpi_, 72), 0, 0, 0, 700, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                   L"Arial");
}

}  // namespace quillobar
