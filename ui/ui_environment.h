// The screen resolution, the fonts and the visual-style question, fixed once
// before any window exists. All scaling of window and control geometry goes
// through this one helper.
#pragma once

#include <windows.h>

namespace quillobar {

class UiEnvironment {
public:
    UiEnvironment();
    ~UiEnvironment();
    UiEnvironment(const UiEnvironment&) = delete;
    UiEnvironment& operator=(const UiEnvironment&) = delete;

    // 1/96 inch to device pixels.
    int scaleX(int units) const { return MulDiv(units, dpiX_, 96); }
    int scaleY(int units) const { return MulDiv(units, dpiY_, 96); }
    int dpiX() const { return dpiX_; }
    int dpiY() const { return dpiY_; }

    HFONT defaultControlFont() const { return defaultFont_; }
    // "Arial", 12 points, bold; null until created or when creation failed.
    void createStartButtonFont();
    HFONT startButtonFont() const { return startButtonFont_; }

    // Common controls 6.0 or later, with a theme active.
    bool visualStyles() const { return visualStyles_; }

private:
    int dpiX_ = 96;
    int dpiY_ = 96;
    int fontDpi_ = 96;
    HFONT defaultFont_ = nullptr;
    bool ownsDefaultFont_ = false;
    HFONT startButtonFont_ = nullptr;
    bool visualStyles_ = false;
};

}  // namespace quillobar
