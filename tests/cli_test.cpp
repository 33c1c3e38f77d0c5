// The console front end's command line, and bad input leaving nothing behind.
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "os/utf8.h"

namespace quillobar {
namespace {

std::vector<std::u16string> words(std::initializer_list<const char*> list) {
    std::vector<std::u16string> out;
    for (const char* w : list) out.push_back(fromUtf8(w));
    return out;
}

TEST(CliOptions, DefaultsAndValues) {
    std::string error;
    const auto defaults = parseCliOptions({}, error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->sizeGb, 1);
    EXPECT_EQ(defaults->fillCode, 128);
    EXPECT_EQ(defaults->cycles, 1);
    EXPECT_FALSE(defaults->noSsd);
    EXPECT_TRUE(defaults->drive.empty());

    const auto given =
        parseCliOptions(words({"--drive", "/x", "--size-gb", "3", "--fill", "0", "--cycles", "0", "--no-ssd"}), error);
    ASSERT_TRUE(given);
    EXPECT_EQ(given->drive, u"/x");
    EXPECT_EQ(given->sizeGb, 3);
    EXPECT_EQ(given->fillCode, 0);
    EXPECT_EQ(given->cycles, 0);
    EXPECT_TRUE(given->noSsd);
}

TEST(CliOptions, BadInputSaysWhatIsWrong) {
    const struct {
        std::initializer_list<const char*> args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "unknown option: --bogus"},
        {{"--fill", "300"}, "--fill must be between 0 and 255, not 300"},
        {{"--fill", "-1"}, "--fill must be between 0 and 255, not -1"},
        {{"--size-gb", "0"}, "--size-gb must be at least 1, not 0"},
        {{"--size-gb", "two"}, "--size-gb needs a whole number, not 'two'"},
        {{"--cycles", "-2"}, "--cycles must not be negative, not -2"},
        {{"--cycles", "1x"}, "--cycles needs a whole number, not '1x'"},
        {{"--cycles", ""}, "--cycles needs a whole number, not ''"},
        {{"--cycles", "99999999999999999999"}, "--cycles is too large: 99999999999999999999"},
        {{"--drive"}, "--drive needs a value"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(parseCliOptions(words(c.args), error));
        EXPECT_EQ(error, c.error);
    }
}

class CliRun : public ::testing::Test {
protected:
    CliRun() {
        root_ = std::filesystem::temp_directory_path() / "quillobar-cli-test";
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    ~CliRun() override { std::filesystem::remove_all(root_); }

    int run(std::initializer_list<const char*> extra, std::string& errors) {
        std::vector<std::u16string> args = {u"--drive", root_.u16string()};
        for (const char* w : extra) args.push_back(fromUtf8(w));
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int code = runCli(args, systemOs(), out, err);
        std::rewind(err);
        char line[512] = {};
        errors = std::fgets(line, sizeof line, err) != nullptr ? line : "";
        std::fclose(out);
        std::fclose(err);
        return code;
    }

    std::filesystem::path root_;
};

TEST_F(CliRun, BadInputExitsTwoAndLeavesNothingOnDisk) {
    const struct {
        std::initializer_list<const char*> args;
        const char* errorStart;
    } cases[] = {
        {{"--fill", "300"}, "quillobar-cli: --fill must be between 0 and 255"},
        {{"--size-gb", "100000000"}, "quillobar-cli: --size-gb 100000000 is more than the free memory allows"},
        {{"--wat"}, "quillobar-cli: unknown option: --wat"},
    };
    for (const auto& c : cases) {
        std::string errors;
        EXPECT_EQ(run(c.args, errors), 2);
        EXPECT_EQ(errors.rfind(c.errorStart, 0), 0u) << errors;
        EXPECT_TRUE(std::filesystem::is_empty(root_));
    }

    std::string errors;
    std::FILE* sink = std::tmpfile();
    EXPECT_EQ(runCli({u"--drive", (root_ / "missing").u16string()}, systemOs(), sink, sink), 2);
    std::fclose(sink);
    EXPECT_TRUE(std::filesystem::is_empty(root_));
}

}  // namespace
}  // namespace quillobar
