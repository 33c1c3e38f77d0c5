// The operating-system layer on Linux.
#pragma once

#include "os/os.h"

namespace quillobar {

class PosixOs final : public Os {
public:
    char16_t pathSeparator() const override { return u'/'; }
    std::uint8_t* allocateZeroed(std::int64_t bytes) override;
    void release(std::uint8_t* block) override;
    FileHandle openFile(const std::u16string& path, OpenMode mode) override;
    bool writeFile(FileHandle file, const std::uint8_t* data, std::uint32_t bytes, std::uint32_t& written) override;
    bool readFile(FileHandle file, std::uint8_t* data, std::uint32_t bytes, std::uint32_t& read) override;
    bool closeFile(FileHandle file) override;
    std::uint32_t lastError() const override { return lastError_; }
    bool createDirectory(const std::u16string& path) override;
    bool deleteFile(const std::u16string& path) override;
    bool removeDirectory(const std::u16string& path) override;
    bool findFiles(const std::u16string& pattern, std::vector<FolderEntry>& entries) override;
    bool isDirectory(const std::u16string& path) override;
    bool isLink(const std::u16string& path) override;
    std::uint32_t linkErrorCode() const override;
    std::u16string currentDirectory() override;
    std::int64_t availablePhysicalMemory() override;
    std::int64_t freeDiskBytes(const std::u16string& root) override;
    std::int64_t performanceFrequency() override { return 1'000'000'000; }
    std::int64_t performanceCounter() override;
    std::int64_t tickCount() override;
    void sleepMs(std::int64_t ms) override;
    void raiseTimerResolution() override {}

private:
    bool fail();
    std::uint32_t lastError_ = 0;
};

}  // namespace quillobar
