// The twelve stage pictures, decoded once from the program's resources into
// device-independent bitmaps that live until exit.
#pragma once

#include <windows.h>

#include <array>

#include "engine/control_ids.h"

namespace quillobar {

class StagePictures {
public:
    StagePictures() = default;
    ~StagePictures();
    StagePictures(const StagePictures&) = delete;
    StagePictures& operator=(const StagePictures&) = delete;

    // Decodes pictures 1 to 12 from the RCDATA resource; a picture that
    // cannot be decoded stays missing.
    void load(HINSTANCE instance);

    // Null for a missing picture or a number outside 1-12.
    HBITMAP bitmap(PictureId picture) const;

private:
    std::array<HBITMAP, 12> bitmaps_{};
};

}  // namespace quillobar
