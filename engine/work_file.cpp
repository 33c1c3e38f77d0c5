#include "engine/work_file.h"

#include <algorithm>
#include <cstring>

namespace quillobar {

WorkFile::~WorkFile() {
    if (isOpen()) os_.closeFile(handle_);
}

bool WorkFile::open(const std::u16string& path, OpenMode mode) {
    handle_ = os_.openFile(path, mode);
    if (!isOpen()) errorCode_ = os_.lastError();
    pendingBytes_ = 0;
    return isOpen();
}

bool WorkFile::systemWrite(const std::uint8_t* data, std::uint32_t bytes) {
    std::uint32_t written = 0;
    if (os_.writeFile(handle_, data, bytes, written) && written == bytes) return true;
    errorCode_ = os_.lastError();
    return false;
}

bool WorkFile::flush() {
    if (pendingBytes_ == 0) return true;
    const std::uint32_t bytes = pendingBytes_;
    pendingBytes_ = 0;
    return systemWrite(pending_, bytes);
}

bool WorkFile::write(const std::uint8_t* data, std::uint32_t bytes) {
    if (!isOpen()) return false;
    if (bytes < kBufferBytes - pendingBytes_) {
        std::memcpy(pending_ + pendingBytes_, data, bytes);
        pendingBytes_ += bytes;
        return true;
    }
    if (!flush()) return false;
    if (bytes >= kBufferBytes) return systemWrite(data, bytes);
    std::memcpy(pending_, data, bytes);
    pendingBytes_ = bytes;
    return true;
}

std::int64_t WorkFile::read(std::uint8_t* dest, std::int64_t bytes) {
    if (!isOpen()) return 0;
    std::int64_t delivered = 0;
    while (delivered < bytes) {
        const auto ask = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(static_cast<std::uint64_t>(bytes - delivered), kMaxSystemRead));
        std::uint32_t got = 0;
        const bool ok = os_.readFile(handle_, dest + delivered, ask, got);
        if (!ok) errorCode_ = os_.lastError();
        delivered += got;
        if (!ok || got < ask) break;
    }
    return delivered;
}

bool WorkFile::close() {
    if (!isOpen()) return false;
    const bool flushed = flush();
    const bool closed = os_.closeFile(handle_);
    if (!closed && flushed) errorCode_ = os_.lastError();
    handle_ = kNoFile;
    return flushed && closed;
}

}  // namespace quillobar
