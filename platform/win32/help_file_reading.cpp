// Reading a help file whole.

#include "platform/win32/help_file_reading.h"

namespace tarnwick::win32 {

namespace {

// A help file is a few kilobytes of text; anything much larger is not one.
constexpr LONGLONG kLargestFile = 4 * 1024 * 1024;

// Closes the file however the reading ends.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (IsOpen()) {
            CloseHandle(handle_);
        }
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace

FileContents ReadWholeFile(const std::wstring& path) {
    FileContents contents;
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size)) {
        return contents;
    }
    if (size.QuadPart > kLargestFile) {
        contents.outcome = FileOutcome::TooLarge;
        return contents;
    }
    contents.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD total = 0;
    while (total < contents.bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), contents.bytes.data() + total,
                      static_cast<DWORD>(contents.bytes.size()) - total, &got, nullptr) ||
            got == 0) {
            return contents;
        }
        total += got;
    }
    contents.outcome = FileOutcome::Read;
    return contents;
}

}  // namespace tarnwick::win32
