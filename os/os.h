// The operating-system layer: every file, memory, clock and capacity call the
// portable engine and location code make goes through this one interface.
//
// Implementers:
//   Win32Os      (os/win32_os.cpp)   - the real Windows calls
//   PosixOs      (os/posix_os.cpp)   - Linux, for native builds and tests
//   FakeOs       (tests/fake_os.h)   - records calls and injects faults
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillobar {

// How a file is opened. Each value stands for one exact CreateFileW call:
//   CreateForCopy    GENERIC_READ|GENERIC_WRITE, share 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL
//   TruncateForCopy  GENERIC_WRITE, share 0, TRUNCATE_EXISTING, no attributes
//   OpenForReadBack  GENERIC_READ|GENERIC_WRITE, share 0, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL
// each with FILE_FLAG_OPEN_REPARSE_POINT added: a link at the last component
// of the path is never followed (O_NOFOLLOW on POSIX).
enum class OpenMode { CreateForCopy, TruncateForCopy, OpenForReadBack };

using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

struct FolderEntry {
    std::u16string name;
    bool isDirectory = false;
};

class Os {
public:
    Os() = default;
    virtual ~Os() = default;
    Os(const Os&) = delete;
    Os& operator=(const Os&) = delete;
    Os(Os&&) = delete;
    Os& operator=(Os&&) = delete;

    // The separator of path components: '\\' on Windows, '/' on POSIX.
    virtual char16_t pathSeparator() const = 0;

    // Test buffers: a zero-filled block from the private heap, or nullptr.
    virtual std::uint8_t* allocateZeroed(std::int64_t bytes) = 0;
    virtual void release(std::uint8_t* block) = 0;

    // Files. Every call reports failure through its result; lastError() then
    // holds the system error code of the failed call.
    virtual FileHandle openFile(const std::u16string& path, OpenMode mode) = 0;
    // One system write of exactly `bytes` (at most 4,294,967,295).
    virtual bool writeFile(FileHandle file, const std::uint8_t* data, std::uint32_t bytes,
                           std::uint32_t& written) = 0;
    // One system read of at most `bytes` (at most 4,294,967,295).
    virtual bool readFile(FileHandle file, std::uint8_t* data, std::uint32_t bytes,
                          std::uint32_t& read) = 0;
    virtual bool closeFile(FileHandle file) = 0;
    virtual std::uint32_t lastError() const = 0;

    // Folders.
    virtual bool createDirectory(const std::u16string& path) = 0;
    virtual bool deleteFile(const std::u16string& path) = 0;
    virtual bool removeDirectory(const std::u16string& path) = 0;
    // Lists the entries matched by `pattern` (a folder followed by "*.*"),
    // "." and ".." included where the system reports them. False when the
    // listing cannot start.
    virtual bool findFiles(const std::u16string& pattern, std::vector<FolderEntry>& entries) = 0;
    virtual bool isDirectory(const std::u16string& path) = 0;
    // True when `path` exists and is itself a symbolic link, junction or other
    // reparse point, whatever it points to; a trailing separator is ignored.
    virtual bool isLink(const std::u16string& path) = 0;
    // The system's error code for a path refused because it is a link:
    // ELOOP on POSIX, ERROR_CANT_ACCESS_FILE on Windows.
    virtual std::uint32_t linkErrorCode() const = 0;
    virtual std::u16string currentDirectory() = 0;

    // Capacity: 0 when the figure cannot be read.
    virtual std::int64_t availablePhysicalMemory() = 0;
    virtual std::int64_t freeDiskBytes(const std::u16string& root) = 0;

    // Time.
    virtual std::int64_t performanceFrequency() = 0;  // 0 when there is no counter
    virtual std::int64_t performanceCounter() = 0;
    virtual std::int64_t tickCount() = 0;
    virtual void sleepMs(std::int64_t ms) = 0;
    virtual void raiseTimerResolution() = 0;  // to 1 ms, for the rest of the process
};

// The layer of the system this program was built for.
Os& systemOs();

}  // namespace quillobar
