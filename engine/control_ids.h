// Numbers of the windows, controls and stage pictures. A control's number
// is also its Win32 control identifier.
#pragma once

#include <cstdint>

namespace quillobar {

enum class ControlId : int {
    MainWindow = 13,
    SizeLabel = 14,
    SizeUnitLabel = 15,
    SizeField = 16,
    SizeSlider = 17,
    FillCodeLabel = 18,
    FillCodeSpin = 19,
    StartButton = 20,
    MarqueeBar = 22,
    FillPicture = 23,
    WritePicture = 24,
    ReadPicture = 25,
    VerifyPicture = 26,
    ErrorPicture = 27,
    PassPicture = 28,
    StatusBar = 81,
    IdleBar = 1035,
    LinkButton1 = 1036,
    LinkButton2 = 1037,
    CyclesLabel = 1038,
    CyclesSpin = 1039,
    PassCountField = 1040,
    PassCountLabel = 1041,
    SsdCheckBox = 1044,
    DriveCombo = 1045,
    DriveDialog = 1046,
    DriveOkButton = 1047,
    ChangeDriveButton = 1048,
};

// Stage pictures 1-12: odd numbers lit, even numbers idle.
using PictureId = int;

struct PicturePlace {
    ControlId control;
    int x;
    int y;
};

// Home places and idle pictures, in the order the reset shows them.
struct IdlePicture {
    PicturePlace place;
    PictureId picture;
};
inline constexpr IdlePicture kIdlePictures[] = {
    {{ControlId::FillPicture, 10, 200}, 2},  {{ControlId::WritePicture, 10, 280}, 4},
    {{ControlId::ReadPicture, 220, 200}, 6}, {{ControlId::VerifyPicture, 220, 280}, 8},
    {{ControlId::ErrorPicture, 430, 280}, 12}, {{ControlId::PassPicture, 430, 200}, 10},
};

}  // namespace quillobar
