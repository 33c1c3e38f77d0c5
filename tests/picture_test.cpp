// The stage pictures as committed, and how the picture blob is split and decoded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "ui/picture_strip.h"

namespace quillobar {
namespace {

constexpr int kWidth = 198;
constexpr int kHeight = 68;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Rgb& c) {
        return out << "rgb(" << c.r << "," << c.g << "," << c.b << ")";
    }
};

Rgb pixelAt(const DecodedPicture& picture, int x, int y) {
    const std::uint8_t* p = &picture.bgrTopDown[(static_cast<std::size_t>(y) * picture.width + x) * 3];
    return {p[2], p[1], p[0]};
}

std::string stagePicturesPath() {
    std::string path = QUILLOBAR_SOURCE_DIR "/resources/stage_pictures.bin";
#ifdef _WIN32
    // Wine shows the Linux file system as drive Z:.
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;
#endif
    return path;
}

const std::vector<std::uint8_t>& stageBlob() {
    static const std::vector<std::uint8_t> blob = [] {
        std::ifstream in(stagePicturesPath(), std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }();
    return blob;
}

const std::array<DecodedPicture, kStagePictureCount>& stagePictures() {
    static const auto pictures = decodeStagePictures(stageBlob());
    return pictures;
}

struct Look {
    const char* name;
    Rgb background;
    Rgb frame;
    int frameWidth;
    Rgb text;  // flat text colour; the idle look shades its text instead
};
const Look kStageLook{"stage", {0, 255, 255}, {255, 0, 0}, 3, {255, 0, 0}};
const Look kOutcomeLook{"outcome", {0, 255, 0}, {255, 0, 255}, 3, {255, 0, 255}};
const Look kIdleLook{"idle", {15, 15, 15}, {81, 81, 81}, 1, {}};

struct Band {
    int first;
    int last;
};
struct PictureCase {
    int id;
    const Look* look;
    std::vector<Band> lines;  // rows each text line may touch, top line first
};
const Band kOneLine{26, 44};
const Band kUpperLine{16, 34};
const Band kLowerLine{37, 56};

const std::vector<PictureCase>& pictureCases() {
    static const std::vector<PictureCase> cases = {
        {1, &kStageLook, {kOneLine}},
        {2, &kIdleLook, {kOneLine}},
        {3, &kStageLook, {kUpperLine, kLowerLine}},
        {4, &kIdleLook, {kUpperLine, kLowerLine}},
        {5, &kStageLook, {kUpperLine, kLowerLine}},
        {6, &kIdleLook, {kUpperLine, kLowerLine}},
        {7, &kStageLook, {kUpperLine, kLowerLine}},
        {8, &kIdleLook, {kUpperLine, kLowerLine}},
        {9, &kOutcomeLook, {kUpperLine, kLowerLine}},
        {10, &kIdleLook, {kUpperLine, kLowerLine}},
        {11, &kOutcomeLook, {kUpperLine, kLowerLine}},
        {12, &kIdleLook, {kUpperLine, kLowerLine}},
    };
    return cases;
}

const DecodedPicture& picture(int id) { return stagePictures()[static_cast<std::size_t>(id - 1)]; }

// Distance of a pixel from the nearest picture edge: 0 on the outermost ring.
int edgeDistance(int x, int y) { return std::min({x, y, kWidth - 1 - x, kHeight - 1 - y}); }

TEST(StagePictures, TwelveUncompressed24BitFilesBackToBack) {
    const auto& blob = stageBlob();
    ASSERT_FALSE(blob.empty()) << "cannot read " << stagePicturesPath();
    const auto files = splitPictureFiles(blob);
    const std::uint8_t* expectedStart = blob.data();
    for (int id = 1; id <= kStagePictureCount; ++id) {
        SCOPED_TRACE(id);
        const auto& file = files[static_cast<std::size_t>(id - 1)];
        ASSERT_FALSE(file.empty());
        EXPECT_EQ(file.data(), expectedStart);
        expectedStart = file.data() + file.size();

        const auto layout = bmpLayout(file);
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(layout->width, kWidth);
        EXPECT_EQ(layout->height, kHeight);
        EXPECT_FALSE(layout->topDown);
        // A plain 40-byte info header, no palette, rows straight after.
        EXPECT_EQ(layout->pixelOffset, kBmpFileHeaderSize + kBmpInfoHeaderSize);
        EXPECT_EQ(file.size(), layout->pixelOffset + layout->stride * kHeight);

        EXPECT_EQ(picture(id).width, kWidth);
        EXPECT_EQ(picture(id).height, kHeight);
        EXPECT_EQ(picture(id).bgrTopDown.size(), std::size_t{kWidth} * kHeight * 3);
    }
    EXPECT_EQ(expectedStart, blob.data() + blob.size());
}

TEST(StagePictures, FrameAndBackgroundAreExactColours) {
    for (const auto& c : pictureCases()) {
        SCOPED_TRACE(testing::Message() << "picture " << c.id << " (" << c.look->name << ")");
        const DecodedPicture& p = picture(c.id);
        ASSERT_FALSE(p.empty());
        int mismatches = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int d = edgeDistance(x, y);
                // The frame, then the ring just inside it, which no text reaches.
                const Rgb* want = d < c.look->frameWidth    ? &c.look->frame
                                  : d == c.look->frameWidth ? &c.look->background
                                                            : nullptr;
                if (want && pixelAt(p, x, y) != *want && ++mismatches <= 3) {
                    ADD_FAILURE() << "at " << x << "," << y << ": " << pixelAt(p, x, y) << ", want " << *want;
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(StagePictures, TextLinesSitInTheirRowsAndAreCentred) {
    for (const auto& c : pictureCases()) {
        SCOPED_TRACE(testing::Message() << "picture " << c.id);
        const DecodedPicture& p = picture(c.id);
        ASSERT_FALSE(p.empty());
        for (int y = 0; y < kHeight; ++y) {
            const auto band = std::find_if(c.lines.begin(), c.lines.end(),
                                           [y](const Band& b) { return y >= b.first && y <= b.last; });
            for (int x = 0; x < kWidth; ++x) {
                if (edgeDistance(x, y) < c.look->frameWidth || pixelAt(p, x, y) == c.look->background) continue;
                EXPECT_TRUE(band != c.lines.end()) << "text at " << x << "," << y;
            }
        }
        for (const Band& band : c.lines) {
            SCOPED_TRACE(testing::Message() << "rows " << band.first << "-" << band.last);
            int left = kWidth;
            int right = -1;
            for (int y = band.first; y <= band.last; ++y) {
                for (int x = c.look->frameWidth; x < kWidth - c.look->frameWidth; ++x) {
                    if (pixelAt(p, x, y) == c.look->background) continue;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
            ASSERT_GE(right, 0) << "no text";
            EXPECT_LE(std::abs(left - (kWidth - 1 - right)), 2) << "left " << left << ", right " << right;
        }
    }
}

TEST(StagePictures, LitTextIsTheTextColourWithSmoothedEdges) {
    for (const auto& c : pictureCases()) {
        if (c.look == &kIdleLook) continue;
        SCOPED_TRACE(testing::Message() << "picture " << c.id);
        const DecodedPicture& p = picture(c.id);
        ASSERT_FALSE(p.empty());
        const Rgb& bg = c.look->background;
        const Rgb& fg = c.look->text;
        int solid = 0;
        int edge = 0;
        for (int y = c.look->frameWidth; y < kHeight - c.look->frameWidth; ++y) {
            for (int x = c.look->frameWidth; x < kWidth - c.look->frameWidth; ++x) {
                const Rgb px = pixelAt(p, x, y);
                // Every pixel is background and text colour mixed in one proportion.
                const int channels[3][3] = {{px.r, bg.r, fg.r}, {px.g, bg.g, fg.g}, {px.b, bg.b, fg.b}};
                double share = -1;
                bool blend = true;
                for (const auto& ch : channels) {
                    if (ch[1] == ch[2]) {
                        blend = blend && ch[0] == ch[1];
                        continue;
                    }
                    const double s = double(ch[0] - ch[1]) / (ch[2] - ch[1]);
                    blend = blend && s >= 0 && s <= 1 && (share < 0 || std::abs(s - share) <= 2.0 / 255);
                    share = s;
                }
                EXPECT_TRUE(blend) << "at " << x << "," << y << ": " << px;
                if (px == fg) ++solid;
                if (px != fg && px != bg) ++edge;
            }
        }
        EXPECT_GT(solid, 100);
        EXPECT_GT(edge, 50);
    }
}

TEST(StagePictures, IdleTextIsShadedGreyOverTheLitText) {
    for (int id = 2; id <= kStagePictureCount; id += 2) {
        SCOPED_TRACE(testing::Message() << "picture " << id);
        const DecodedPicture& idle = picture(id);
        const DecodedPicture& lit = picture(id - 1);
        const Look& litLook = *pictureCases()[static_cast<std::size_t>(id - 2)].look;
        ASSERT_FALSE(idle.empty());
        ASSERT_FALSE(lit.empty());
        int brightest = 0;
        std::vector<int> rowBrightest(kHeight, 0);
        // Inside the lit frame, which has the lit text colour.
        const int inset = litLook.frameWidth;
        for (int y = inset; y < kHeight - inset; ++y) {
            for (int x = inset; x < kWidth - inset; ++x) {
                const Rgb px = pixelAt(idle, x, y);
                EXPECT_TRUE(px.r == px.g && px.g == px.b) << "at " << x << "," << y << ": " << px;
                brightest = std::max(brightest, px.r);
                rowBrightest[static_cast<std::size_t>(y)] = std::max(rowBrightest[static_cast<std::size_t>(y)], px.r);
                // The same text in the same place: solid lit text is clearly lit
                // when idle, and clearly lit idle text is text when lit.
                const Rgb litPx = pixelAt(lit, x, y);
                if (litPx == litLook.text) {
                    EXPECT_GE(px.r, 100) << "at " << x << "," << y;
                }
                if (px.r >= 100) {
                    EXPECT_NE(litPx, litLook.background) << "at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(brightest, 150);
        EXPECT_LE(brightest, 200);
        // Shaded from light at the top of the first line to darker at its bottom.
        const auto firstRow = std::find_if(rowBrightest.begin(), rowBrightest.end(), [](int v) { return v >= 100; });
        ASSERT_NE(firstRow, rowBrightest.end());
        const auto lastRow = std::find_if(firstRow, rowBrightest.end(), [](int v) { return v < 100; }) - 1;
        ASSERT_GE(lastRow - firstRow, 8);
        EXPECT_GE(*std::max_element(firstRow, firstRow + 3) - *std::max_element(lastRow - 2, lastRow + 1), 30);
    }
}

// A small uncompressed 24-bit BMP; pixel (x, y), y counted from the top,
// has blue 10 * y + x, green 100 + x, red 200 + y. Padding bytes are 0xEE.
std::vector<std::uint8_t> smallBmp(int width, int height, bool topDown) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> file(54 + stride * static_cast<std::size_t>(height), 0xEE);
    const auto put = [&file](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<std::uint32_t>(file.size()), 4);
    put(6, 0, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(30, 0, 4);
    put(34, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(height)), 4);
    put(38, 0, 4);
    put(42, 0, 4);
    put(46, 0, 4);
    put(50, 0, 4);
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &file[54 + stride * static_cast<std::size_t>(fileRow) + static_cast<std::size_t>(x) * 3];
            p[0] = static_cast<std::uint8_t>(10 * y + x);
            p[1] = static_cast<std::uint8_t>(100 + x);
            p[2] = static_cast<std::uint8_t>(200 + y);
        }
    }
    return file;
}

TEST(DecodeBmp, RowsTopFirstWithoutPadding) {
    const struct {
        int width;
        int height;
        bool topDown;
    } cases[] = {{3, 2, false}, {3, 2, true}, {1, 3, false}, {4, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (c.topDown ? " top-down" : " bottom-up"));
        const DecodedPicture p = decodeBmp(smallBmp(c.width, c.height, c.topDown));
        ASSERT_EQ(p.width, c.width);
        ASSERT_EQ(p.height, c.height);
        std::vector<std::uint8_t> want;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                want.insert(want.end(), {static_cast<std::uint8_t>(10 * y + x), static_cast<std::uint8_t>(100 + x),
                                         static_cast<std::uint8_t>(200 + y)});
            }
        }
        EXPECT_EQ(p.bgrTopDown, want);
    }
}

TEST(SplitPictureFiles, MalformedFileLeavesItsPictureMissing) {
    using Bytes = std::vector<std::uint8_t>;
    const auto setU32 = [](Bytes& f, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    const auto setU16 = [](Bytes& f, std::size_t at, std::uint16_t v) {
        f[at] = static_cast<std::uint8_t>(v);
        f[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    const struct {
        const char* name;
        std::function<void(Bytes&)> spoil;
        std::size_t keptBytes;  // of the spoiled file; 0 keeps it whole and a good file follows
        bool nextFound;         // whether the good file after it is still found
    } cases[] = {
        {"file header cut off", [](Bytes&) {}, 10, false},
        {"info header cut off", [](Bytes&) {}, 30, false},
        {"pixel rows cut off", [](Bytes&) {}, 60, false},
        {"bad magic", [](Bytes& f) { f[1] = 'A'; }, 0, false},
        {"recorded size past the end", [&](Bytes& f) { setU32(f, 2, 0x7fffffff); }, 0, false},
        {"recorded size smaller than a file header", [&](Bytes& f) { setU32(f, 2, 13); }, 0, false},
        {"pixel rows past the recorded size", [&](Bytes& f) { setU32(f, 10, 58); }, 0, true},
        {"pixel offset inside the headers", [&](Bytes& f) { setU32(f, 10, 50); }, 0, true},
        {"pixel offset past the end", [&](Bytes& f) { setU32(f, 10, 0xfffffff0); }, 0, true},
        {"info header too short", [&](Bytes& f) { setU32(f, 14, 12); }, 0, true},
        {"run-length compressed", [&](Bytes& f) { setU32(f, 30, 1); }, 0, true},
        {"bit fields", [&](Bytes& f) { setU32(f, 30, 3); }, 0, true},
        {"8 bits per pixel", [&](Bytes& f) { setU16(f, 28, 8); }, 0, true},
        {"32 bits per pixel", [&](Bytes& f) { setU16(f, 28, 32); }, 0, true},
        {"two planes", [&](Bytes& f) { setU16(f, 26, 2); }, 0, true},
        {"zero width", [&](Bytes& f) { setU32(f, 18, 0); }, 0, true},
        {"negative width", [&](Bytes& f) { setU32(f, 18, static_cast<std::uint32_t>(-3)); }, 0, true},
        {"huge width", [&](Bytes& f) { setU32(f, 18, 0x7fffffff); }, 0, true},
        {"zero height", [&](Bytes& f) { setU32(f, 22, 0); }, 0, true},
        {"lowest height", [&](Bytes& f) { setU32(f, 22, static_cast<std::uint32_t>(INT32_MIN)); }, 0, true},
        {"huge height", [&](Bytes& f) { setU32(f, 22, 0x7fffffff); }, 0, true},
    };
    const Bytes good = smallBmp(3, 2, false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes spoiled = good;
        c.spoil(spoiled);
        if (c.keptBytes != 0) spoiled.resize(c.keptBytes);
        Bytes blob = good;
        blob.insert(blob.end(), spoiled.begin(), spoiled.end());
        if (c.keptBytes == 0) blob.insert(blob.end(), good.begin(), good.end());

        const auto files = splitPictureFiles(blob);
        const auto pictures = decodeStagePictures(blob);
        EXPECT_FALSE(files[0].empty());
        EXPECT_FALSE(pictures[0].empty());
        EXPECT_TRUE(files[1].empty());
        EXPECT_TRUE(pictures[1].empty());
        EXPECT_EQ(files[2].empty(), !c.nextFound);
        EXPECT_EQ(pictures[2].empty(), !c.nextFound);
        if (c.nextFound) {
            EXPECT_EQ(pictures[2].bgrTopDown, pictures[0].bgrTopDown);
        }
        for (std::size_t i = 3; i < files.size(); ++i) {
            EXPECT_TRUE(files[i].empty()) << i;
            EXPECT_TRUE(pictures[i].empty()) << i;
        }
        // Decoding the spoiled file alone, as the window code may, gives nothing too.
        EXPECT_TRUE(decodeBmp(spoiled).empty());
    }
    const auto none = decodeStagePictures({});
    EXPECT_TRUE(std::all_of(none.begin(), none.end(), [](const DecodedPicture& p) { return p.empty(); }));
}

}  // namespace
}  // namespace quillobar
