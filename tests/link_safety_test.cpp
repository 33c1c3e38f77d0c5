// A link planted as the work folder or as the work file in it: the program
// runs elevated, so following one would write into, read from or empty
// whatever the planter points it at. The cycle refuses it as a work file
// that cannot be created, and the clean-up leaves it and its target alone.
// First on the fake system, then with real links on the platform's own.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#ifdef _WIN32
#include <windows.h>
#endif

#include "engine/cycle.h"
#include "engine/run_driver.h"
#include "location/work_paths.h"
#include "os/utf8.h"
#include "tests/engine_fixture.h"

namespace quillobar::testing {
namespace {

using Strings = std::vector<std::string>;

std::string refusedCreateBox(const std::u16string& workFile, std::uint32_t code) {
    return "box 内存/SSD 错误! | 无法创建 SSD 文件: " + toUtf8(workFile) + "\r错误代码=" + std::to_string(code);
}

// --- the fake system ----------------------------------------------------------

struct LinkCase {
    const char* name;
    const char16_t* link;
};

void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.name; }

const LinkCase kLinkCases[] = {
    {"WorkFolder", u"C:\\ram_sdd_fold"},
    {"WorkFile", u"C:\\ram_sdd_fold\\memory_to_file.dat"},
};

// The link is in place; the work file seen through it, 7 bytes, stands for
// the planter's target.
class FakeLink : public EngineFixture, public ::testing::WithParamInterface<LinkCase> {
protected:
    FakeLink() {
        os.links.insert(GetParam().link);
        os.plantFile(state.workFile, 7);
    }
};

TEST_P(FakeLink, EveryCycleOfARunRefusesItAndTheResetsLeaveItsTarget) {
    ui.states[ControlId::CyclesSpin] = 2;
    ui.states[ControlId::SizeSlider] = 0;
    runDriver(engine, [&] { state.bufferBytes = 300'000; });

    const std::string box = refusedCreateBox(state.workFile, kErrorCantAccessFile);
    EXPECT_EQ(ui.boxes(), (Strings{box, box, "box Quillobar | 重置. 释放内存和 SSD 文件"}));
    EXPECT_EQ(state.passCount, 0);
    EXPECT_TRUE(os.opens.empty());
    ASSERT_EQ(os.files.size(), 1u);
    EXPECT_EQ(os.files.begin()->first, state.workFile);
    EXPECT_EQ(os.files.begin()->second.size, 7);
    EXPECT_TRUE(workFolderExists());
    EXPECT_EQ(os.links, std::set<std::u16string>{GetParam().link});
    EXPECT_EQ(os.allocations, os.releases);
}

TEST_P(FakeLink, ReadBackRefusesALinkPlantedSinceTheCopy) {
    os.links.clear();
    std::vector<std::uint8_t> buffer(300'000, 128);
    state.buffer = buffer.data();
    state.bufferBytes = static_cast<std::int64_t>(buffer.size());
    ASSERT_EQ(copyStage(engine).failedStep, FileOutcome::Step::None);

    os.links.insert(GetParam().link);
    const FileOutcome outcome = readBackStage(engine);
    EXPECT_EQ(outcome.failedStep, FileOutcome::Step::Read);
    EXPECT_EQ(outcome.errorCode, kErrorCantAccessFile);
    EXPECT_EQ(outcome.bytesRead, 0);
    EXPECT_EQ(os.opens, std::vector<OpenMode>{OpenMode::CreateForCopy});
    EXPECT_TRUE(os.reads.empty());
}

INSTANTIATE_TEST_SUITE_P(Links, FakeLink, ::testing::ValuesIn(kLinkCases),
                         [](const auto& test) { return std::string(test.param.name); });

// --- real links ------------------------------------------------------------------
//
// Natively the links are POSIX symbolic links. Built for Windows the test
// makes them with CreateSymbolicLinkW. Wine 8 accepts that call but makes
// nothing, so under Wine the links come planted from the Linux side by the
// ctest entry quillobar_tests_links, in the folder QUILLOBAR_PLANTED_LINKS
// names: folder/ram_sdd_fold -> victim and
// file/ram_sdd_fold/memory_to_file.dat -> ../victim.dat, the targets left
// for the test to make.

namespace fs = std::filesystem;

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& file, const std::string& content) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
}

// Every file below `folder`, by relative name, with its content.
std::map<std::string, std::string> contentsBelow(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) out[fs::relative(entry.path(), folder).generic_string()] = contentOf(entry.path());
    }
    return out;
}

class RealLink : public ::testing::Test {
protected:
    enum class Kind { Folder, File };

    ~RealLink() override {
        std::error_code ignored;
        if (planted_) {
            fs::remove_all(root_ / "victim", ignored);
            fs::remove(root_ / "victim.dat", ignored);
        } else if (!root_.empty()) {
            fs::remove_all(root_, ignored);
        }
    }

    // Makes the victim and the link of `kind` in a fresh folder. Returns ""
    // when done; otherwise why no link the system shows as one could be had.
    std::string plant(Kind kind) {
        const char* const sub = kind == Kind::Folder ? "folder" : "file";
        root_ = fs::temp_directory_path() /
                ("quillobar-link-" + std::string(sub) + "-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        makeVictim(kind);
        std::string why = makeLink(kind);
        if (why.empty() && !systemShowsLink(linkPath(kind))) why = "the system does not show the link made as one";
        if (const char* planted = std::getenv("QUILLOBAR_PLANTED_LINKS"); !why.empty() && planted != nullptr) {
            fs::remove_all(root_);
            root_ = fs::path(planted).make_preferred() / sub;
            planted_ = true;
            makeVictim(kind);
            why = systemShowsLink(linkPath(kind)) ? "" : "the system does not show the link planted from Linux as one";
        } else if (!why.empty()) {
            why += " (under Wine the ctest entry quillobar_tests_links runs this with links planted from Linux)";
        }
        if (why.empty()) {
            setStartupValues(state_);
            state_.driveRoot = root_.u16string() + os_.pathSeparator();
            deriveWorkPaths(state_, os_.pathSeparator());
            state_.bufferBytes = 3'000'000;
        }
        return why;
    }

    // Whether the system itself, asked apart from the code under test, shows
    // `path` as a link: only then can the test tell anything.
    static bool systemShowsLink(const fs::path& path) {
#ifdef _WIN32
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
#else
        return fs::is_symlink(path);
#endif
    }

    fs::path work() const { return root_ / "ram_sdd_fold"; }
    std::u16string linkPath(Kind kind) const {
        return (kind == Kind::Folder ? work() : work() / "memory_to_file.dat").u16string();
    }

    Os& os_ = systemOs();
    RecordingUi ui_;
    TestState state_;
    Engine engine_{state_, ui_, os_};
    fs::path root_;
    bool planted_ = false;  // the links came from the Linux side

private:
    void makeVictim(Kind kind) {
        if (kind == Kind::Folder) {
            fs::remove_all(root_ / "victim");
            fs::create_directories(root_ / "victim" / "inner");
            writeFile(root_ / "victim" / "memory_to_file.dat", "victim's own data");
            writeFile(root_ / "victim" / "keep.txt", "keep");
            writeFile(root_ / "victim" / "inner" / "deep.txt", "deep");
        } else {
            fs::create_directories(work());
            writeFile(root_ / "victim.dat", "victim's own data");
        }
    }

    std::string makeLink(Kind kind) {
        const fs::path target = kind == Kind::Folder ? fs::path("victim") : fs::path("..") / "victim.dat";
        const fs::path link = linkPath(kind);
#ifdef _WIN32
        const DWORD flags = (kind == Kind::Folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                            SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
        if (CreateSymbolicLinkW(link.c_str(), target.c_str(), flags) == 0) {
            return "CreateSymbolicLinkW failed with error " + std::to_string(GetLastError());
        }
        if (GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return "CreateSymbolicLinkW reported success but made nothing, as under Wine 8";
        }
#else
        std::error_code error;
        if (kind == Kind::Folder) {
            fs::create_directory_symlink(target, link, error);
        } else {
            fs::create_symlink(target, link, error);
        }
        if (error) return "no symbolic link: " + error.message();
#endif
        return "";
    }
};

// ram_sdd_fold links to a folder of someone else's files.
TEST_F(RealLink, LinkedWorkFolderIsNeitherWrittenNorEmptied) {
    if (const std::string why = plant(Kind::Folder); !why.empty()) GTEST_SKIP() << why;
    ASSERT_TRUE(os_.isLink(state_.workFolder));  // with its trailing separator
    const auto before = contentsBelow(root_ / "victim");

    runOneCycle(engine_);
    EXPECT_EQ(ui_.boxes(), Strings{refusedCreateBox(state_.workFile, os_.linkErrorCode())});
    EXPECT_EQ(state_.passCount, 0);
    EXPECT_EQ(contentsBelow(root_ / "victim"), before);

    // The clean-up of a reset, of start-up and of shutdown.
    deleteWorkFile(engine_);
    emptyFolder(os_, state_.cleanFolder);
    EXPECT_EQ(contentsBelow(root_ / "victim"), before);
    EXPECT_TRUE(os_.isLink(state_.workFolder));
}

// memory_to_file.dat in a real work folder links to someone else's file.
TEST_F(RealLink, LinkedWorkFileIsNeitherWrittenNorDeleted) {
    if (const std::string why = plant(Kind::File); !why.empty()) {
        GTEST_SKIP() << why
                     << (planted_ ? ": Wine 8 shows a symbolic link to a file as a plain file, without "
                                    "FILE_ATTRIBUTE_REPARSE_POINT, and opens through it even with "
                                    "FILE_FLAG_OPEN_REPARSE_POINT"
                                  : "");
    }
    ASSERT_TRUE(os_.isLink(state_.workFile));

    runOneCycle(engine_);
    EXPECT_EQ(ui_.boxes(), Strings{refusedCreateBox(state_.workFile, os_.linkErrorCode())});
    EXPECT_EQ(state_.passCount, 0);
    EXPECT_EQ(contentOf(root_ / "victim.dat"), "victim's own data");

    deleteWorkFile(engine_);
    emptyFolder(os_, state_.cleanFolder);
    EXPECT_EQ(contentOf(root_ / "victim.dat"), "victim's own data");
    EXPECT_TRUE(os_.isLink(state_.workFile));

    // Should a link appear between the check and the open, the open itself
    // does not follow it: whatever each mode does, the target stays as it was.
    for (const OpenMode mode : {OpenMode::CreateForCopy, OpenMode::TruncateForCopy, OpenMode::OpenForReadBack}) {
        const FileHandle file = os_.openFile(state_.workFile, mode);
        if (file != kNoFile) {
            std::uint32_t written = 0;
            os_.writeFile(file, reinterpret_cast<const std::uint8_t*>("X"), 1, written);
            os_.closeFile(file);
        } else if (os_.pathSeparator() == u'/') {
            EXPECT_EQ(os_.lastError(), os_.linkErrorCode());  // ELOOP from O_NOFOLLOW
        }
        EXPECT_EQ(contentOf(root_ / "victim.dat"), "victim's own data");
    }
}

}  // namespace
}  // namespace quillobar::testing
