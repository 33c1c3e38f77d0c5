// The command line of the console front end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillobar {

struct CliOptions {
    std::u16string drive;  // empty: the current directory
    std::int64_t sizeGb = 1;
    std::int64_t fillCode = 128;
    std::int64_t cycles = 1;
    bool noSsd = false;
    bool reportResources = false;  // resident memory and handles after each cycle
    bool help = false;
};

// Parses the arguments after the program name. On bad input returns nothing
// and sets `error` to one line that says what is wrong.
std::optional<CliOptions> parseCliOptions(const std::vector<std::u16string>& args, std::string& error);

extern const char kCliUsage[];

}  // namespace quillobar
