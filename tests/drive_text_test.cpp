// The drive list's text: what the start path preselects and what an
// accepted entry yields.
#include <gtest/gtest.h>

#include "location/drive_text.h"
#include "os/utf8.h"

namespace quillobar {
namespace {

TEST(DriveText, StartPathPreselectsItsDrive) {
    const struct {
        const char16_t* profile;
        const char16_t* normalised;
        const char16_t* root;
        int letter;
    } cases[] = {
        {u"C:\\users\\me", u"C:\\users\\me\\", u"C:\\", 2},
        {u"d:\\Users\\me\\", u"D:\\Users\\me\\", u"D:\\", 3},
        {u"\\\\server\\home", u"\\\\server\\home\\", u"", -1},
        {u"", u"", u"", -1},
        {u"Z:", u"Z:\\", u"Z:\\", 25},
        {u"1:\\x", u"1:\\x\\", u"", -1},
    };
    for (const auto& c : cases) {
        const std::u16string text = normaliseStartPath(c.profile);
        EXPECT_EQ(text, c.normalised) << toUtf8(c.profile);
        int letter = 99;
        EXPECT_EQ(preselectedRoot(text, letter), c.root) << toUtf8(c.profile);
        EXPECT_EQ(letter, c.letter) << toUtf8(c.profile);
    }
}

TEST(DriveText, AcceptedEntryGivesTheRootOfItsDriveIndex) {
    EXPECT_EQ(driveRootFromIndex(0), u"A:\\");
    EXPECT_EQ(driveRootFromIndex(2), u"C:\\");
    EXPECT_EQ(driveRootFromIndex(25), u"Z:\\");
    EXPECT_EQ(driveRootFromIndex(26), u"");
    EXPECT_EQ(driveRootFromIndex(-1), u"");
}

}  // namespace
}  // namespace quillobar
