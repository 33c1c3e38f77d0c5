#include "location/byte_size_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/integer_text.h"

namespace quillobar {

std::u16string formatByteSize(std::int64_t bytes) {
    int exponent = 0;
    for (std::int64_t v = bytes; v >= 1024; v /= 1024) ++exponent;

    std::u16string number;
    if (exponent == 0) {
        number = integerText(bytes);
    } else {
        const double q = static_cast<double>(bytes) / std::pow(1024.0, exponent);
        char fixed[64];
        std::snprintf(fixed, sizeof fixed, "%.15f", q);
        const std::size_t point = static_cast<std::size_t>(std::strchr(fixed, '.') - fixed);  // 0-based
        // Three or four integer digits: the integer part alone; else two decimals, cut.
        const std::size_t keep = point >= 3 ? point : point + 3;
        fixed[keep] = '\0';
        number = ascii16(fixed);
    }

    static const char16_t* const kUnits[] = {u"b ", u"KB", u"MB", u"GB", u"TB", u"PB"};
    const std::u16string unit = exponent < 6 ? kUnits[exponent] : u"";
    return number + u" " + unit;
}

std::u16string capacityMessageTitle() { return u"Quillobar V3.3 - 内存和 SSD 状态"; }

std::u16string capacityMessageText(const TestState& state) {
    return u"当前驱动器工作路径: \r" + state.workFolder +
           u"\r\r最快的内存和 SSD 诊断工具.\r\r可用 SSD 空间约 " + formatByteSize(state.freeDiskBytes) +
           u"\r最大可验证内存约 " + integerText(state.freeRamBytes) + u" 字节\r\r" +
           u"Quillobar 由其开发者团队编写, 感谢每一位测试和反馈的用户." +
           u"\r\n\r\nQuillobar 是最快的内存诊断工具.\rQuillobar 是最快的 SSD 诊断工具.\r\r"
           u"使用此技术, SSD 上的可验证扇区是受最大可用内存大小的限制.";
}

std::u16string mainWindowTitle(const TestState& state) {
    return u"Quillobar V3.3 - 最大可验证内存约 " + integerText(state.freeRamBytes) + u" 字节";
}

std::int64_t sizeSliderMaximum(const TestState& state) { return state.freeRamBytes / kBytesPerGb; }

}  // namespace quillobar
