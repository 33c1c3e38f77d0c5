#include "location/drive_text.h"

namespace quillobar {

std::u16string normaliseStartPath(std::u16string path) {
    if (!path.empty() && path[0] >= u'a' && path[0] <= u'z') path[0] = static_cast<char16_t>(path[0] - u'a' + u'A');
    if (!path.empty() && path.back() != u'\\') path += u'\\';
    return path;
}

std::u16string preselectedRoot(const std::u16string& path, int& letter) {
    letter = -1;
    if (path.empty() || path[0] < u'A' || path[0] > u'Z') return u"";
    letter = path[0] - u'A';
    return driveRootFromIndex(letter);
}

std::u16string driveRootFromIndex(std::int64_t index) {
    if (index < 0 || index > 25) return u"";
    return {static_cast<char16_t>(u'A' + index), u':', u'\\'};
}

}  // namespace quillobar
