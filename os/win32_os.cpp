#include "os/win32_os.h"

#include <windows.h>
#include <timeapi.h>

namespace quillobar {
namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

HANDLE toHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

Win32Os::Win32Os() : testHeap_(HeapCreate(0, 4096, 0)) {}

Win32Os::~Win32Os() {
    if (testHeap_ != nullptr) HeapDestroy(testHeap_);
}

bool Win32Os::fail() {
    lastError_ = GetLastError();
    return false;
}

std::uint8_t* Win32Os::allocateZeroed(std::int64_t bytes) {
    if (bytes <= 0 || testHeap_ == nullptr) return nullptr;
    return static_cast<std::uint8_t*>(HeapAlloc(testHeap_, HEAP_ZERO_MEMORY, static_cast<SIZE_T>(bytes)));
}

void Win32Os::release(std::uint8_t* block) {
    if (block != nullptr) HeapFree(testHeap_, 0, block);
}

FileHandle Win32Os::openFile(const std::u16string& path, OpenMode mode) {
    // FILE_FLAG_OPEN_REPARSE_POINT: a symbolic link or junction planted under
    // the file's name is opened as itself, never followed to its target.
    HANDLE handle = INVALID_HANDLE_VALUE;
    switch (mode) {
        case OpenMode::CreateForCopy:
            handle = CreateFileW(wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            break;
        case OpenMode::TruncateForCopy:
            handle = CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            break;
        case OpenMode::OpenForReadBack:
            handle = CreateFileW(wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            break;
    }
    if (handle == INVALID_HANDLE_VALUE) {
        fail();
        return kNoFile;
    }
    return reinterpret_cast<FileHandle>(handle);
}

bool Win32Os::writeFile(FileHandle file, const std::uint8_t* data, std::uint32_t bytes, std::uint32_t& written) {
    DWORD done = 0;
    const BOOL ok = WriteFile(toHandle(file), data, bytes, &done, nullptr);
    written = done;
    return ok != 0 || fail();
}

bool Win32Os::readFile(FileHandle file, std::uint8_t* data, std::uint32_t bytes, std::uint32_t& read) {
    DWORD done = 0;
    const BOOL ok = ReadFile(toHandle(file), data, bytes, &done, nullptr);
    read = done;
    return ok != 0 || fail();
}

bool Win32Os::closeFile(FileHandle file) { return CloseHandle(toHandle(file)) != 0 || fail(); }

bool Win32Os::createDirectory(const std::u16string& path) {
    return CreateDirectoryW(wide(path), nullptr) != 0 || fail();
}

bool Win32Os::deleteFile(const std::u16string& path) { return DeleteFileW(wide(path)) != 0 || fail(); }

bool Win32Os::removeDirectory(const std::u16string& path) {
    return RemoveDirectoryW(wide(path)) != 0 || fail();
}

bool Win32Os::findFiles(const std::u16string& pattern, std::vector<FolderEntry>& entries) {
    WIN32_FIND_DATAW found {};
    HANDLE find = FindFirstFileW(wide(pattern), &found);
    if (find == INVALID_HANDLE_VALUE) return fail();
    entries.clear();
    do {
        entries.push_back({reinterpret_cast<const char16_t*>(found.cFileName),
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find, &found) != 0);
    FindClose(find);
    return true;
}

bool Win32Os::isDirectory(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Os::isLink(const std::u16string& path) {
    // With a trailing separator the attributes can be those of the link's target.
    // A drive root keeps its separator: "C:" alone names the current folder.
    std::u16string name = path;
    while (name.size() > 1 && (name.back() == u'\\' || name.back() == u'/') && name[name.size() - 2] != u':') {
        name.pop_back();
    }
    const DWORD attributes = GetFileAttributesW(wide(name));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::uint32_t Win32Os::linkErrorCode() const { return ERROR_CANT_ACCESS_FILE; }

std::u16string Win32Os::currentDirectory() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return u"";
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

std::int64_t Win32Os::availablePhysicalMemory() {
    MEMORYSTATUSEX status {};
    status.dwLength = 64;
    if (GlobalMemoryStatusEx(&status) == 0) return 0;
    return static_cast<std::int64_t>(status.ullAvailPhys);
}

std::int64_t Win32Os::freeDiskBytes(const std::u16string& root) {
    ULARGE_INTEGER forCaller {}, total {}, totalFree {};
    if (GetDiskFreeSpaceExW(wide(root), &forCaller, &total, &totalFree) == 0) return 0;
    return static_cast<std::int64_t>(totalFree.QuadPart);
}

std::int64_t Win32Os::performanceFrequency() {
    LARGE_INTEGER frequency {};
    if (QueryPerformanceFrequency(&frequency) == 0) return 0;
    return frequency.QuadPart;
}

std::int64_t Win32Os::performanceCounter() {
    LARGE_INTEGER counter {};
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

std::int64_t Win32Os::tickCount() { return static_cast<std::int64_t>(GetTickCount()); }

void Win32Os::sleepMs(std::int64_t ms) { Sleep(static_cast<DWORD>(ms)); }

void Win32Os::raiseTimerResolution() { timeBeginPeriod(1); }

Os& systemOs() {
    static Win32Os os;
    return os;
}

}  // namespace quillobar
