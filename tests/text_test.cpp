// Number and size texts as the user sees them.
#include <gtest/gtest.h>

#include <limits>

#include "engine/integer_text.h"
#include "location/byte_size_text.h"
#include "os/utf8.h"

namespace quillobar {
namespace {

TEST(IntegerText, Table) {
    const struct {
        std::int64_t n;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-5, "-5"},
        {7, "7"},
        {1'000'000'000, "1000000000"},
        {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& c : cases) EXPECT_EQ(toUtf8(integerText(c.n)), c.text) << c.n;
}

TEST(FormatByteSize, CutsNeverRounds) {
    const struct {
        std::int64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 b "},
        {1'023, "1023 b "},
        {1'024, "1.00 KB"},
        {1'536, "1.50 KB"},
        {102'400, "100 KB"},
        {1'048'575, "1023 KB"},
        {1'048'576, "1.00 MB"},
        {99'999'999, "95.36 MB"},
        {500'000'000'000, "465 GB"},
        {1'000'204'886'016, "931 GB"},
        {2'000'398'934'016, "1.81 TB"},
        {std::int64_t{1} << 50, "1.00 PB"},
        {std::int64_t{1} << 60, "1.00 "},
        {-1'000'000, "-1000000 b "},
    };
    for (const auto& c : cases) EXPECT_EQ(toUtf8(formatByteSize(c.bytes)), c.text) << c.bytes;
}

TEST(CapacityTexts, MessageTitleAndSliderMaximum) {
    TestState state;
    state.workFolder = u"D:\\ram_sdd_fold\\";
    state.freeDiskBytes = 1'023;
    state.freeRamBytes = 8'589'934'592;
    const std::string text = toUtf8(capacityMessageText(state));
    EXPECT_EQ(text.rfind("当前驱动器工作路径: \rD:\\ram_sdd_fold\\\r\r最快的内存和 SSD 诊断工具.\r\r可用 SSD 空间约 1023 b \r"
                         "最大可验证内存约 8589934592 字节\r\r",
                         0),
              0u);
    // One credits line, then the closing paragraph after its CR LF pairs.
    const std::size_t credits = text.find("字节\r\r") + std::string("字节\r\r").size();
    const std::size_t closing = text.find("\r\n\r\nQuillobar 是最快的内存诊断工具.\rQuillobar 是最快的 SSD 诊断工具.\r\r"
                                          "使用此技术, SSD 上的可验证扇区是受最大可用内存大小的限制.");
    ASSERT_NE(closing, std::string::npos);
    EXPECT_GT(closing, credits);
    EXPECT_EQ(text.substr(credits, closing - credits).find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(text.size(), closing + std::string("\r\n\r\nQuillobar 是最快的内存诊断工具.\rQuillobar 是最快的 SSD 诊断工具.\r\r"
                                                  "使用此技术, SSD 上的可验证扇区是受最大可用内存大小的限制.")
                                          .size());

    EXPECT_EQ(toUtf8(capacityMessageTitle()), "Quillobar V3.3 - 内存和 SSD 状态");
    EXPECT_EQ(toUtf8(mainWindowTitle(state)), "Quillobar V3.3 - 最大可验证内存约 8589934592 字节");

    const struct {
        std::int64_t freeRam;
        std::int64_t maximum;
    } sliders[] = {{8'589'934'592, 8}, {1'000'000'000, 1}, {999'999'999, 0}, {24'900'000'000, 24}, {0, 0}};
    for (const auto& s : sliders) {
        state.freeRamBytes = s.freeRam;
        EXPECT_EQ(sizeSliderMaximum(state), s.maximum) << s.freeRam;
    }
}

TEST(Utf8, RoundTripsChineseAndSurrogates) {
    const std::u16string text = u"已选路径: D:\\ram_sdd_fold\\ \U0001F600";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(toUtf8(u"内存"), "\xE5\x86\x85\xE5\xAD\x98");
}

}  // namespace
}  // namespace quillobar
