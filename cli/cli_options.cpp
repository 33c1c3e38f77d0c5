#include "cli/cli_options.h"

#include <limits>

#include "os/utf8.h"

namespace quillobar {

const char kCliUsage[] =
    "usage: quillobar-cli [--drive DIR] [--size-gb N] [--fill N] [--cycles N] [--no-ssd] [--help]\n"
    "  --drive DIR   folder under which the work folder ram_sdd_fold is made (default: current directory)\n"
    "  --size-gb N   test size in gigabytes of 1,000,000,000 bytes (default 1)\n"
    "  --fill N      fill code, 0-255 (default 128)\n"
    "  --cycles N    number of cycles (default 1; 0 runs one cycle)\n"
    "  --no-ssd      test memory only, without the copy to the work file\n"
    "  --report-resources  print resident memory and open handles at the start and after each cycle\n"
    "exit code: 0 every cycle passed, 1 a cycle failed, 2 bad input\n";

namespace {

// A whole decimal number, or an error naming the option.
bool parseNumber(const std::u16string& option, const std::u16string& text, std::int64_t& value, std::string& error) {
    const std::string shown = toUtf8(text);
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative) i = 1;
    if (i == text.size()) {
        error = toUtf8(option) + " needs a whole number, not '" + shown + "'";
        return false;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') {
            error = toUtf8(option) + " needs a whole number, not '" + shown + "'";
            return false;
        }
        const int digit = text[i] - u'0';
        if (magnitude > (std::numeric_limits<std::int64_t>::max() - digit) / 10) {
            error = toUtf8(option) + " is too large: " + shown;
            return false;
        }
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

std::optional<CliOptions> parseCliOptions(const std::vector<std::u16string>& args, std::string& error) {
    CliOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& arg = args[i];
        if (arg == u"--help" || arg == u"-h") {
            options.help = true;
            continue;
        }
        if (arg == u"--no-ssd") {
            options.noSsd = true;
            continue;
        }
        if (arg == u"--report-resources") {
            options.reportResources = true;
            continue;
        }
        const bool takesValue = arg == u"--drive" || arg == u"--size-gb" || arg == u"--fill" || arg == u"--cycles";
        if (!takesValue) {
            error = "unknown option: " + toUtf8(arg);
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = toUtf8(arg) + " needs a value";
            return std::nullopt;
        }
        const std::u16string& value = args[++i];
        if (arg == u"--drive") {
            if (value.empty()) {
                error = "--drive needs a folder";
                return std::nullopt;
            }
            options.drive = value;
            continue;
        }
        std::int64_t number = 0;
        if (!parseNumber(arg, value, number, error)) return std::nullopt;
        if (arg == u"--size-gb") {
            if (number < 1) {
                error = "--size-gb must be at least 1, not " + toUtf8(value);
                return std::nullopt;
            }
            options.sizeGb = number;
        } else if (arg == u"--fill") {
            if (number < 0 || number > 255) {
                error = "--fill must be between 0 and 255, not " + toUtf8(value);
                return std::nullopt;
            }
            options.fillCode = number;
        } else {
            if (number < 0) {
                error = "--cycles must not be negative, not " + toUtf8(value);
                return std::nullopt;
            }
            options.cycles = number;
        }
    }
    return options;
}

}  // namespace quillobar
