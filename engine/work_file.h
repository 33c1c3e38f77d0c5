// The file layer under the work file's two handles: a 4,096-byte write
// buffer in front of the system's writes, and reads straight into the
// caller's memory. Every failure is remembered with its system error code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "os/os.h"

namespace quillobar {

class WorkFile {
public:
    static constexpr std::uint32_t kBufferBytes = 4096;
    static constexpr std::uint64_t kMaxSystemRead = 4'294'967'295u;

    explicit WorkFile(Os& os) : os_(os) {}
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    bool open(const std::u16string& path, OpenMode mode);
    bool isOpen() const { return handle_ != kNoFile; }

    // False when a system write failed or took fewer bytes than asked.
    bool write(const std::uint8_t* data, std::uint32_t bytes);

    // Reads up to `bytes` into `dest` in system reads of at most
    // 4,294,967,295 bytes, each continuing where the previous one ended,
    // until all have arrived or a read delivers fewer than it asked for.
    // Returns the number of bytes delivered.
    std::int64_t read(std::uint8_t* dest, std::int64_t bytes);

    // Writes out what the buffer holds, then closes the handle.
    // False when that write or the close failed.
    bool close();

    std::uint32_t errorCode() const { return errorCode_; }

private:
    bool systemWrite(const std::uint8_t* data, std::uint32_t bytes);
    bool flush();

    Os& os_;
    FileHandle handle_ = kNoFile;
    std::uint8_t pending_[kBufferBytes];
    std::uint32_t pendingBytes_ = 0;
    std::uint32_t errorCode_ = 0;
};

}  // namespace quillobar
