#include "os/posix_os.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "os/utf8.h"

namespace quillobar {

bool PosixOs::fail() {
    lastError_ = static_cast<std::uint32_t>(errno);
    return false;
}

std::uint8_t* PosixOs::allocateZeroed(std::int64_t bytes) {
    if (bytes <= 0) return nullptr;
    return static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(bytes), 1));
}

void PosixOs::release(std::uint8_t* block) { std::free(block); }

FileHandle PosixOs::openFile(const std::u16string& path, OpenMode mode) {
    int flags = 0;
    switch (mode) {
        case OpenMode::CreateForCopy: flags = O_RDWR | O_CREAT | O_TRUNC; break;
        case OpenMode::TruncateForCopy: flags = O_WRONLY | O_TRUNC; break;
        case OpenMode::OpenForReadBack: flags = O_RDWR | O_CREAT; break;
    }
    // O_NOFOLLOW: a symbolic link planted under the file's name fails the open
    // with ELOOP instead of sending the data wherever it points.
    const int fd = ::open(toUtf8(path).c_str(), flags | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        fail();
        return kNoFile;
    }
    return fd;
}

// A regular file takes or gives everything asked in one system call on
// Windows; read(2) and write(2) may stop early, so they are repeated until
// done, the end of the file, or an error.
bool PosixOs::writeFile(FileHandle file, const std::uint8_t* data, std::uint32_t bytes, std::uint32_t& written) {
    written = 0;
    while (written < bytes) {
        const ssize_t n = ::write(static_cast<int>(file), data + written, bytes - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        if (n == 0) return fail();
        written += static_cast<std::uint32_t>(n);
    }
    return true;
}

bool PosixOs::readFile(FileHandle file, std::uint8_t* data, std::uint32_t bytes, std::uint32_t& read) {
    read = 0;
    while (read < bytes) {
        const ssize_t n = ::read(static_cast<int>(file), data + read, bytes - read);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        if (n == 0) break;
        read += static_cast<std::uint32_t>(n);
    }
    return true;
}

bool PosixOs::closeFile(FileHandle file) { return ::close(static_cast<int>(file)) == 0 || fail(); }

bool PosixOs::createDirectory(const std::u16string& path) {
    return ::mkdir(toUtf8(path).c_str(), 0777) == 0 || fail();
}

bool PosixOs::deleteFile(const std::u16string& path) {
    const std::string name = toUtf8(path);
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0) return fail();
    // Windows does not delete a read-only file; the owner's write bit stands for it here.
    if (S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0) {
        errno = EACCES;
        return fail();
    }
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return fail();
    }
    return ::unlink(name.c_str()) == 0 || fail();
}

bool PosixOs::removeDirectory(const std::u16string& path) {
    return ::rmdir(toUtf8(path).c_str()) == 0 || fail();
}

bool PosixOs::findFiles(const std::u16string& pattern, std::vector<FolderEntry>& entries) {
    // The pattern is a folder followed by "*.*", which matches every entry.
    std::u16string folder = pattern;
    if (folder.size() >= 3 && folder.compare(folder.size() - 3, 3, u"*.*") == 0) folder.resize(folder.size() - 3);
    if (folder.empty()) folder = u".";
    std::string base = toUtf8(folder);
    if (base.back() != '/') base.push_back('/');
    DIR* dir = ::opendir(base.c_str());
    if (dir == nullptr) return fail();
    entries.clear();
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        std::string full = base;
        full.append(entry->d_name);
        const bool isDir = ::lstat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({fromUtf8(entry->d_name), isDir});
    }
    ::closedir(dir);
    return true;
}

bool PosixOs::isDirectory(const std::u16string& path) {
    struct stat info {};
    return ::stat(toUtf8(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixOs::isLink(const std::u16string& path) {
    // lstat of "link/" would look at what the link points to.
    std::string name = toUtf8(path);
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    struct stat info {};
    return ::lstat(name.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::uint32_t PosixOs::linkErrorCode() const { return ELOOP; }

std::u16string PosixOs::currentDirectory() {
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return u"";
    return fromUtf8(buffer);
}

std::int64_t PosixOs::availablePhysicalMemory() {
    // MemAvailable counts what can be had without swapping, like the
    // available physical memory that Windows reports.
    std::FILE* meminfo = std::fopen("/proc/meminfo", "r");
    if (meminfo == nullptr) return 0;
    char line[256];
    std::int64_t kib = 0;
    while (std::fgets(line, sizeof line, meminfo) != nullptr) {
        long long value = 0;
        if (std::sscanf(line, "MemAvailable: %lld kB", &value) == 1) {
            kib = value;
            break;
        }
    }
    std::fclose(meminfo);
    return kib * 1024;
}

std::int64_t PosixOs::freeDiskBytes(const std::u16string& root) {
    struct statvfs info {};
    if (::statvfs(toUtf8(root).c_str(), &info) != 0) return 0;
    return static_cast<std::int64_t>(info.f_bfree) * static_cast<std::int64_t>(info.f_frsize);
}

std::int64_t PosixOs::performanceCounter() {
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::int64_t PosixOs::tickCount() { return performanceCounter() / 1'000'000; }

void PosixOs::sleepMs(std::int64_t ms) {
    timespec wait {static_cast<time_t>(ms / 1000), static_cast<long>((ms % 1000) * 1'000'000)};
    while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

Os& systemOs() {
    static PosixOs os;
    return os;
}

}  // namespace quillobar
