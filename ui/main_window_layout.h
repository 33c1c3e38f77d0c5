// Every control of the main window: kind, number, place and size in units of
// 1/96 inch (picture sizes in device pixels), caption, in creation order.
#pragma once

#include "engine/control_ids.h"

namespace quillobar {

enum class ControlKind {
    TextLabel,
    ValueDisplay,
    TrackBar,
    CheckBox,
    Spin,
    PushButton,
    MarqueeProgress,
    Progress,
    Picture,
};

struct ControlLayout {
    ControlId id;
    ControlKind kind;
    int x, y, w, h;
    const wchar_t* caption;
};

inline constexpr int kMainClientWidth = 640;
inline constexpr int kMainClientHeight = 385;
inline constexpr int kMainWindowLeft = 30;  // outer corner, screen pixels
inline constexpr int kMainWindowTop = 30;

inline constexpr int kStatusBarMinHeight = 18;            // pixels
inline constexpr int kStatusFieldRightEdges[] = {380, 550, 670};  // pixels
inline constexpr int kSpinArrowsMinWidth = 18;            // pixels
inline constexpr int kPictureWidth = 198;                 // pixels
inline constexpr int kPictureHeight = 68;                 // pixels

// Controls other than the six pictures, which show picture creates.
inline constexpr ControlLayout kMainWindowControls[] = {
    {ControlId::SizeLabel, ControlKind::TextLabel, 1, 22, 100, 30, L"内存大小"},
    {ControlId::SizeField, ControlKind::ValueDisplay, 85, 20, 50, 22, L"1"},
    {ControlId::SizeUnitLabel, ControlKind::TextLabel, 122, 22, 50, 30, L"GB"},
    {ControlId::SizeSlider, ControlKind::TrackBar, 8, 55, 622, 25, L""},
    {ControlId::SsdCheckBox, ControlKind::CheckBox, 30, 100, 125, 25, L"SSD 检查 开/关"},
    {ControlId::CyclesLabel, ControlKind::TextLabel, 168, 105, 30, 25, L"循环"},
    {ControlId::CyclesSpin, ControlKind::Spin, 210, 102, 50, 22, L""},
    {ControlId::FillCodeLabel, ControlKind::TextLabel, 270, 105, 150, 25, L"内存/SSD 填充代码 (0-255)"},
    {ControlId::FillCodeSpin, ControlKind::Spin, 425, 102, 50, 22, L""},
    {ControlId::PassCountLabel, ControlKind::TextLabel, 490, 105, 60, 25, L"通过测试"},
    {ControlId::PassCountField, ControlKind::ValueDisplay, 560, 102, 40, 22, L"0"},
    {ControlId::LinkButton1, ControlKind::PushButton, 165, 16, 205, 26, L"Quillobar"},
    {ControlId::ChangeDriveButton, ControlKind::PushButton, 374, 16, 130, 26, L"更改 SSD/NVME"},
    {ControlId::LinkButton2, ControlKind::PushButton, 508, 16, 112, 26, L"Quilloba"},
    {ControlId::StartButton, ControlKind::PushButton, 10, 145, 200, 35, L"开始"},
    {ControlId::MarqueeBar, ControlKind::MarqueeProgress, 239, 158, 360, 10, L""},
    {ControlId::IdleBar, ControlKind::Progress, 239, 170, 360, 10, L""},
};

}  // namespace quillobar
