#include "engine/integer_text.h"

namespace quillobar {

std::u16string integerText(std::int64_t n) {
    // Work on the unsigned magnitude so that the most negative value has one.
    std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    char16_t digits[24];
    int length = 0;
    do {
        digits[length++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::u16string text;
    if (n < 0) text += u'-';
    while (length > 0) text += digits[--length];
    return text;
}

std::u16string ascii16(const char* text) {
    std::u16string out;
    for (; *text != '\0'; ++text) out += static_cast<char16_t>(static_cast<unsigned char>(*text));
    return out;
}

}  // namespace quillobar
