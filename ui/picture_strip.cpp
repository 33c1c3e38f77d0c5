#include "ui/picture_strip.h"

#include <cstring>

namespace quillobar {
namespace {

constexpr std::uint32_t kBiRgb = 0;
// Larger than any picture this program draws; keeps every size sum far from overflow.
constexpr std::int64_t kMaxSide = 1 << 15;

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::int32_t readI32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(readU32(bytes, at));
}

// The file size a BMP file header at the start of `bytes` records, or 0 when
// there is no whole file header with the 'BM' mark there.
std::uint32_t recordedFileSize(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kBmpFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return 0;
    return readU32(bytes, 2);
}

}  // namespace

std::optional<BmpLayout> bmpLayout(std::span<const std::uint8_t> file) {
    if (file.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize) return std::nullopt;
    if (recordedFileSize(file) != file.size()) return std::nullopt;

    const std::uint32_t pixelOffset = readU32(file, 10);
    const std::uint32_t infoSize = readU32(file, 14);
    const std::int64_t width = readI32(file, 18);
    const std::int64_t signedHeight = readI32(file, 22);
    const std::uint16_t planes = readU16(file, 26);
    const std::uint16_t bitCount = readU16(file, 28);
    const std::uint32_t compression = readU32(file, 30);

    // Later header versions (108 and 124 bytes) start with the same fields.
    if (infoSize < kBmpInfoHeaderSize) return std::nullopt;
    if (planes != 1 || bitCount != 24 || compression != kBiRgb) return std::nullopt;
    const std::int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (width <= 0 || width > kMaxSide || height == 0 || height > kMaxSide) return std::nullopt;

    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
    const std::uint64_t headersEnd = kBmpFileHeaderSize + static_cast<std::uint64_t>(infoSize);
    if (pixelOffset < headersEnd) return std::nullopt;
    if (static_cast<std::uint64_t>(pixelOffset) + stride * static_cast<std::uint64_t>(height) > file.size()) {
        return std::nullopt;
    }

    BmpLayout layout;
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.topDown = signedHeight < 0;
    layout.pixelOffset = pixelOffset;
    layout.stride = static_cast<std::size_t>(stride);
    return layout;
}

std::array<std::span<const std::uint8_t>, kStagePictureCount> splitPictureFiles(std::span<const std::uint8_t> blob) {
    std::array<std::span<const std::uint8_t>, kStagePictureCount> files{};
    std::span<const std::uint8_t> rest = blob;
    for (auto& file : files) {
        const std::uint32_t fileSize = recordedFileSize(rest);
        // Too small to hold its own header, or longer than what is left: the
        // next file's start is unknown, so this and the later ones stay empty.
        if (fileSize < kBmpFileHeaderSize || fileSize > rest.size()) break;
        const std::span<const std::uint8_t> candidate = rest.first(fileSize);
        if (bmpLayout(candidate)) file = candidate;
        rest = rest.subspan(fileSize);
    }
    return files;
}

DecodedPicture decodeBmp(std::span<const std::uint8_t> file) {
    DecodedPicture picture;
    const std::optional<BmpLayout> layout = bmpLayout(file);
    if (!layout) return picture;

    const std::size_t rowBytes = static_cast<std::size_t>(layout->width) * 3;
    picture.width = layout->width;
    picture.height = layout->height;
    picture.bgrTopDown.resize(rowBytes * static_cast<std::size_t>(layout->height));
    for (int row = 0; row < layout->height; ++row) {
        const int sourceRow = layout->topDown ? row : layout->height - 1 - row;
        const std::uint8_t* source =
            file.data() + layout->pixelOffset + layout->stride * static_cast<std::size_t>(sourceRow);
        std::memcpy(picture.bgrTopDown.data() + rowBytes * static_cast<std::size_t>(row), source, rowBytes);
    }
    return picture;
}

std::array<DecodedPicture, kStagePictureCount> decodeStagePictures(std::span<const std::uint8_t> blob) {
    const auto files = splitPictureFiles(blob);
    std::array<DecodedPicture, kStagePictureCount> pictures;
    for (std::size_t i = 0; i < files.size(); ++i) pictures[i] = decodeBmp(files[i]);
    return pictures;
}

}  // namespace quillobar
