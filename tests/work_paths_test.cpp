// Work paths from a drive root, and the folder operations on the fake
// system and on the real one of the platform the tests run on.
#include <filesystem>
#include <fstream>

#include "location/work_paths.h"
#include "os/utf8.h"
#include "tests/engine_fixture.h"

namespace quillobar::testing {
namespace {

TEST(DeriveWorkPaths, RebuildsFromTheCurrentRootOnly) {
    const struct {
        const char16_t* root;
        char16_t separator;
        const char16_t* folder;
        const char16_t* file;
    } cases[] = {
        {u"D:\\", u'\\', u"D:\\ram_sdd_fold\\", u"D:\\ram_sdd_fold\\memory_to_file.dat"},
        {u"E:\\", u'\\', u"E:\\ram_sdd_fold\\", u"E:\\ram_sdd_fold\\memory_to_file.dat"},
        {u"", u'\\', u"ram_sdd_fold\\", u"ram_sdd_fold\\memory_to_file.dat"},
        {u"/tmp/x/", u'/', u"/tmp/x/ram_sdd_fold/", u"/tmp/x/ram_sdd_fold/memory_to_file.dat"},
    };
    TestState state;
    for (const auto& c : cases) {
        state.driveRoot = c.root;
        deriveWorkPaths(state, c.separator);
        EXPECT_EQ(state.workFolder, c.folder);
        EXPECT_EQ(state.cleanFolder, c.folder);
        EXPECT_EQ(state.workFile, c.file);
    }
    state.driveRoot = u"D:\\";
    deriveWorkPaths(state, u'\\');
    EXPECT_EQ(state.workFolder.size(), 16u);
    EXPECT_EQ(state.workFile.size(), 34u);
}

TEST_F(EngineFixture, CreateFolderDropsTrailingSeparatorsAndSpaces) {
    os.directories = {u"C:"};
    createFolder(os, u"C:\\ram_sdd_fold\\ / \\");
    EXPECT_EQ(os.directories.count(u"C:\\ram_sdd_fold"), 1u);
    createFolder(os, u"C:\\ram_sdd_fold\\");  // exists: nothing changes
    EXPECT_EQ(os.directories.size(), 2u);
}

TEST_F(EngineFixture, SelectedPathAndRecreatedFolder) {
    os.directories = {u"C:"};
    recreateWorkFolder(engine);
    EXPECT_TRUE(workFolderExists());
    EXPECT_EQ(ui.log, (std::vector<std::string>{"status 0 plain: 已选路径: C:\\ram_sdd_fold\\memory_to_file.dat", "drain"}));
}

// The real file system of the platform: POSIX natively, Win32 under Wine.
class RealFolder : public ::testing::Test {
protected:
    RealFolder() {
        root_ = std::filesystem::temp_directory_path() /
                ("quillobar-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        setStartupValues(state_);
        state_.driveRoot = root_.u16string() + os_.pathSeparator();
        deriveWorkPaths(state_, os_.pathSeparator());
    }
    ~RealFolder() override {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(root_, ignored);
    }

    std::filesystem::path work() const { return root_ / "ram_sdd_fold"; }
    static void touch(const std::filesystem::path& file) { std::ofstream(file) << "x"; }

    Os& os_ = systemOs();
    RecordingUi ui_;
    TestState state_;
    Engine engine_{state_, ui_, os_};
    std::filesystem::path root_;
};

TEST_F(RealFolder, CreateDeleteAndEmpty) {
    createFolder(os_, state_.workFolder);
    ASSERT_TRUE(std::filesystem::is_directory(work()));
    createFolder(os_, state_.workFolder);  // already there
    EXPECT_TRUE(std::filesystem::is_directory(work()));

    touch(work() / "memory_to_file.dat");
    touch(work() / "other.bin");
    deleteWorkFile(engine_);
    EXPECT_FALSE(std::filesystem::exists(work() / "memory_to_file.dat"));
    EXPECT_TRUE(std::filesystem::exists(work() / "other.bin"));

    emptyFolder(os_, state_.cleanFolder);
    EXPECT_FALSE(std::filesystem::exists(work()));
}

TEST_F(RealFolder, EmptyFolderKeepsReadOnlyFilesAndSubFolders) {
    createFolder(os_, state_.workFolder);
    touch(work() / "a.txt");
    touch(work() / "b.txt");
    touch(work() / "locked.txt");
    std::filesystem::permissions(work() / "locked.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    std::filesystem::create_directory(work() / "sub");
    touch(work() / "sub" / "inner.txt");

    emptyFolder(os_, state_.cleanFolder);
    EXPECT_FALSE(std::filesystem::exists(work() / "a.txt"));
    EXPECT_FALSE(std::filesystem::exists(work() / "b.txt"));
    EXPECT_TRUE(std::filesystem::exists(work() / "locked.txt"));
    EXPECT_TRUE(std::filesystem::exists(work() / "sub" / "inner.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(work()));

    // The read-only work file stays as well.
    touch(work() / "memory_to_file.dat");
    std::filesystem::permissions(work() / "memory_to_file.dat", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    deleteWorkFile(engine_);
    EXPECT_TRUE(std::filesystem::exists(work() / "memory_to_file.dat"));
}

TEST_F(RealFolder, MissingFolderIsNoOp) {
    emptyFolder(os_, state_.cleanFolder);
    deleteWorkFile(engine_);
    emptyFolder(os_, u"");
    EXPECT_FALSE(std::filesystem::exists(work()));
    EXPECT_TRUE(std::filesystem::is_directory(root_));
}

}  // namespace
}  // namespace quillobar::testing
