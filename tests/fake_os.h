// An operating-system layer in memory that records every file call and
// injects the faults a test asks for. Paths use '\\' as on Windows.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "os/os.h"

namespace quillobar::testing {

struct FakeFaults {
    bool allocationFails = false;
    std::optional<std::uint32_t> createFails;         // both copy opens fail with this code
    std::optional<std::uint32_t> createAlwaysFails;   // only the first copy open fails
    std::optional<std::uint32_t> readOpenFails;       // the read-back open fails with this code
    std::int64_t writeFailsAtCall = -1;               // 0-based system write that fails
    std::int64_t shortWriteAtCall = -1;               // 0-based system write that takes half
    std::int64_t diskFreeBytes = -1;                  // writes past this many bytes fail: disk full
    std::int64_t readDeliversAtMost = -1;             // the file gives at most this many bytes
    bool readFails = false;
    bool closeFails = false;
    std::optional<std::pair<std::int64_t, std::uint8_t>> corruptOnRead;  // offset, value
};

inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorIo = 1117;
inline constexpr std::uint32_t kErrorCantAccessFile = 1920;

class FakeOs final : public Os {
public:
    struct FakeFile {
        std::int64_t size = 0;
        std::vector<std::uint8_t> content;  // kept only when keepContent is set
        bool readOnly = false;
    };
    struct OpenFile {
        std::u16string path;
        std::int64_t position = 0;
    };

    FakeFaults faults;
    bool keepContent = true;  // off: sizes only, and reads leave memory untouched

    // What happened.
    std::vector<OpenMode> opens;
    std::vector<std::uint32_t> writes;  // sizes of the system writes, in order
    std::vector<std::uint32_t> reads;   // sizes asked by the system reads, in order
    std::vector<std::string> calls;     // "open", "write", "read", "close", in order
    std::vector<std::int64_t> sleeps;
    int timerRaises = 0;
    int allocations = 0;
    int releases = 0;

    std::set<std::u16string> directories{u"C:"};
    std::map<std::u16string, FakeFile> files;
    // Folders and files that are links. What a link points at is modelled by
    // the folder or file of the same path: whatever is done through the link
    // changes that, just as it would change the target.
    std::set<std::u16string> links;
    std::map<FileHandle, OpenFile> handles;

    std::int64_t availableMemory = 16'000'000'000;
    std::int64_t counter = 0;  // performance counter, 10 MHz, moved by sleeps

    char16_t pathSeparator() const override { return u'\\'; }

    std::uint8_t* allocateZeroed(std::int64_t bytes) override {
        if (faults.allocationFails || bytes <= 0) return nullptr;
        ++allocations;
        return static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(bytes), 1));
    }
    void release(std::uint8_t* block) override {
        ++releases;
        std::free(block);
    }

    FileHandle openFile(const std::u16string& path, OpenMode mode) override {
        opens.push_back(mode);
        calls.push_back("open");
        const bool copy = mode != OpenMode::OpenForReadBack;
        if (copy && faults.createFails) return failWith(*faults.createFails);
        if (mode == OpenMode::CreateForCopy && faults.createAlwaysFails) return failWith(*faults.createAlwaysFails);
        if (!copy && faults.readOpenFails) return failWith(*faults.readOpenFails);
        if (directories.count(parentOf(path)) == 0) return failWith(kErrorPathNotFound);
        const bool exists = files.count(path) != 0;
        if (mode == OpenMode::TruncateForCopy && !exists) return failWith(2);
        if (exists && files[path].readOnly) return failWith(kErrorAccessDenied);
        if (mode != OpenMode::OpenForReadBack || !exists) files[path] = FakeFile{};
        const FileHandle handle = nextHandle_++;
        handles[handle] = OpenFile{path, 0};
        return handle;
    }

    bool writeFile(FileHandle file, const std::uint8_t* data, std::uint32_t bytes, std::uint32_t& written) override {
        const auto index = static_cast<std::int64_t>(writes.size());
        writes.push_back(bytes);
        calls.push_back("write");
        written = 0;
        if (index == faults.writeFailsAtCall) return fail(kErrorIo);
        OpenFile& open = handles.at(file);
        FakeFile& target = files[open.path];
        std::uint32_t take = bytes;
        if (index == faults.shortWriteAtCall) take = bytes / 2;
        if (faults.diskFreeBytes >= 0 && open.position + take > faults.diskFreeBytes) {
            take = static_cast<std::uint32_t>(std::max<std::int64_t>(0, faults.diskFreeBytes - open.position));
        }
        if (keepContent) {
            const auto end = static_cast<std::size_t>(open.position + take);
            if (target.content.size() < end) target.content.resize(end);
            std::memcpy(target.content.data() + open.position, data, take);
        }
        open.position += take;
        target.size = std::max(target.size, open.position);
        written = take;
        if (take < bytes) return fail(kErrorDiskFull);
        return true;
    }

    bool readFile(FileHandle file, std::uint8_t* data, std::uint32_t bytes, std::uint32_t& read) override {
        reads.push_back(bytes);
        calls.push_back("read");
        read = 0;
        if (faults.readFails) return fail(kErrorIo);
        OpenFile& open = handles.at(file);
        const FakeFile& source = files[open.path];
        std::int64_t size = source.size;
        if (faults.readDeliversAtMost >= 0) size = std::min(size, faults.readDeliversAtMost);
        const std::int64_t take = std::max<std::int64_t>(0, std::min<std::int64_t>(bytes, size - open.position));
        if (keepContent && take > 0) {
            std::memcpy(data, source.content.data() + open.position, static_cast<std::size_t>(take));
            if (faults.corruptOnRead) {
                const auto [offset, value] = *faults.corruptOnRead;
                if (offset >= open.position && offset < open.position + take) data[offset - open.position] = value;
            }
        }
        open.position += take;
        read = static_cast<std::uint32_t>(take);
        return true;
    }

    bool closeFile(FileHandle file) override {
        calls.push_back("close");
        handles.erase(file);
        if (faults.closeFails) return fail(kErrorIo);
        return true;
    }

    std::uint32_t lastError() const override { return lastError_; }

    bool createDirectory(const std::u16string& path) override {
        if (directories.count(path) != 0 || directories.count(parentOf(path)) == 0) return fail(183);
        directories.insert(path);
        return true;
    }
    bool deleteFile(const std::u16string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) return fail(2);
        if (found->second.readOnly) return fail(kErrorAccessDenied);
        files.erase(found);
        return true;
    }
    bool removeDirectory(const std::u16string& path) override {
        const std::u16string folder = trimmed(path);
        if (directories.count(folder) == 0) return fail(kErrorPathNotFound);
        for (const auto& [name, file] : files) {
            if (parentOf(name) == folder) return fail(145);
        }
        for (const std::u16string& dir : directories) {
            if (parentOf(dir) == folder) return fail(145);
        }
        directories.erase(folder);
        return true;
    }
    bool findFiles(const std::u16string& pattern, std::vector<FolderEntry>& entries) override {
        const std::u16string folder = trimmed(pattern.substr(0, pattern.size() - 3));
        if (directories.count(folder) == 0) return fail(kErrorPathNotFound);
        entries = {{u".", true}, {u"..", true}};
        for (const auto& [name, file] : files) {
            if (parentOf(name) == folder) entries.push_back({name.substr(folder.size() + 1), false});
        }
        for (const std::u16string& dir : directories) {
            if (parentOf(dir) == folder) entries.push_back({dir.substr(folder.size() + 1), true});
        }
        return true;
    }
    bool isDirectory(const std::u16string& path) override { return directories.count(trimmed(path)) != 0; }
    bool isLink(const std::u16string& path) override { return links.count(trimmed(path)) != 0; }
    std::uint32_t linkErrorCode() const override { return kErrorCantAccessFile; }
    std::u16string currentDirectory() override { return u"C:\\"; }

    std::int64_t availablePhysicalMemory() override { return availableMemory; }
    std::int64_t freeDiskBytes(const std::u16string&) override { return 500'000'000'000; }
    std::int64_t performanceFrequency() override { return 10'000'000; }
    std::int64_t performanceCounter() override { return counter; }
    std::int64_t tickCount() override { return counter / 10'000; }
    void sleepMs(std::int64_t ms) override {
        sleeps.push_back(ms);
        counter += ms * 10'000;
    }
    void raiseTimerResolution() override { ++timerRaises; }

    // Puts a file in place, as another program or an earlier run would.
    void plantFile(const std::u16string& path, std::int64_t size, bool readOnly = false) {
        FakeFile file;
        file.size = size;
        file.readOnly = readOnly;
        files[path] = file;
    }

    static std::u16string trimmed(std::u16string path) {
        while (!path.empty() && path.back() == u'\\') path.pop_back();
        return path;
    }
    static std::u16string parentOf(const std::u16string& path) {
        const std::u16string clean = trimmed(path);
        const std::size_t cut = clean.rfind(u'\\');
        return cut == std::u16string::npos ? u"" : clean.substr(0, cut);
    }

private:
    FileHandle failWith(std::uint32_t code) {
        lastError_ = code;
        return kNoFile;
    }
    bool fail(std::uint32_t code) {
        lastError_ = code;
        return false;
    }
    FileHandle nextHandle_ = 100;
    std::uint32_t lastError_ = 0;
};

}  // namespace quillobar::testing
