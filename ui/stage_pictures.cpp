#include "ui/stage_pictures.h"

#include <cstring>

#include "resources/resource_ids.h"
#include "ui/picture_strip.h"

namespace quillobar {
namespace {

std::span<const std::uint8_t> pictureResource(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(QUILLOBAR_PICTURES_ID), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};
    return {static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, found)};
}

// A 24-bit top-down DIB section holding the decoded rows.
HBITMAP toBitmap(const DecodedPicture& picture) {
    if (picture.empty()) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) return bitmap;
    const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
    const std::size_t stride = (row + 3) & ~std::size_t{3};
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(bits) + y * stride, picture.bgrTopDown.data() + y * row, row);
    }
    return bitmap;
}

}  // namespace

StagePictures::~StagePictures() {
    for (HBITMAP bitmap : bitmaps_) {
        if (bitmap != nullptr) DeleteObject(bitmap);
    }
}

void StagePictures::load(HINSTANCE instance) {
    const auto decoded = decodeStagePictures(pictureResource(instance));
    for (std::size_t i = 0; i < bitmaps_.size(); ++i) bitmaps_[i] = toBitmap(decoded[i]);
}

HBITMAP StagePictures::bitmap(PictureId picture) const {
    if (picture < 1 || picture > static_cast<int>(bitmaps_.size())) return nullptr;
    return bitmaps_[static_cast<std::size_t>(picture - 1)];
}

}  // namespace quillobar
