// The twelve stage pictures: one blob holding twelve BMP files back to
// back, split into the files and decoded to plain pixel rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quillobar {

inline constexpr int kStagePictureCount = 12;

// Where the parts of an uncompressed 24-bit BMP file lie. The info header
// starts at byte 14 of the file; the pixel rows at pixelOffset, each row
// `stride` bytes (padded to 4), bottom row first unless topDown.
struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    std::size_t pixelOffset = 0;
    std::size_t stride = 0;
};

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;

// The layout of one whole BMP file, or nothing unless it is an uncompressed
// 24-bit BMP whose headers and every pixel row lie inside `file` and whose
// recorded file size is the size of `file`.
std::optional<BmpLayout> bmpLayout(std::span<const std::uint8_t> file);

// Splits a blob of BMP files by the file size each file header records.
// Entry i is picture i + 1; it is empty when that file is not a usable
// uncompressed 24-bit BMP (see bmpLayout). A header that is cut off, lacks
// the 'BM' mark or records a size past the end leaves that picture and every
// later one empty, as the next file can no longer be found.
std::array<std::span<const std::uint8_t>, kStagePictureCount> splitPictureFiles(std::span<const std::uint8_t> blob);

struct DecodedPicture {
    int width = 0;
    int height = 0;
    // Rows top first, 3 bytes per pixel in the order blue, green, red, no padding.
    std::vector<std::uint8_t> bgrTopDown;

    bool empty() const { return bgrTopDown.empty(); }
};

// The pixels of one BMP file; empty when bmpLayout rejects it.
DecodedPicture decodeBmp(std::span<const std::uint8_t> file);

// Every picture of a blob; a picture splitPictureFiles leaves empty is empty here.
std::array<DecodedPicture, kStagePictureCount> decodeStagePictures(std::span<const std::uint8_t> blob);

}  // namespace quillobar
