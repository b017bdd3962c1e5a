#include "platform/win32/clipboard_calls.h"

#include <atomic>
#include <new>

#include "platform/win32/sent_messages.h"

namespace tarnwick::win32 {

// What the user-interface thread and the copy's thread share: freed by the one that lets go last.
// The step and its arguments are written before go is set, the result before done is.
struct ClipboardCalls::Copy {
    HANDLE go = nullptr;    // auto-reset: the next call waits, or the copy is given up
    HANDLE done = nullptr;  // auto-reset: the call is made
    HWND owner = nullptr;
    Step step = Step::Open;
    UINT format = 0;
    HGLOBAL memory = nullptr;  // the copy's until the clipboard takes it
    BOOL result = FALSE;
    std::atomic<bool> givenUp{false};
    std::atomic<bool> ended{false};
    std::atomic<int> holders{2};

    static DWORD WINAPI Run(void* copy) noexcept;
    void Release() noexcept {
        if (--holders == 0) {
            ::CloseHandle(go);
            ::CloseHandle(done);
            delete this;
        }
    }
};

DWORD WINAPI ClipboardCalls::Copy::Run(void* parameter) noexcept {
    Copy& copy = *static_cast<Copy*>(parameter);
    bool open = false;
    do {
        ::WaitForSingleObject(copy.go, INFINITE);
        if (copy.givenUp) {
            break;
        }
        switch (copy.step) {
            case Step::Open:
                copy.result = open = ::OpenClipboard(copy.owner) != FALSE;
                break;
            case Step::Empty:
                copy.result = ::EmptyClipboard();
                break;
            case Step::Set:
                copy.result = ::SetClipboardData(copy.format, copy.memory) != nullptr;
                if (copy.result) {
                    copy.memory = nullptr;
                }
                break;
            case Step::Close:
                copy.result = ::CloseClipboard();
                open = false;
                break;
        }
        ::SetEvent(copy.done);
        // A failed open or the close is the copy's last call.
    } while (open);
    if (open) {
        ::CloseClipboard();
    }
    if (copy.memory != nullptr) {
        ::GlobalFree(copy.memory);
    }
    copy.ended = true;
    copy.Release();
    return 0;
}

ClipboardCalls::~ClipboardCalls() {
    if (copy_ != nullptr) {
        copy_->givenUp = true;
        ::SetEvent(copy_->go);
        copy_->Release();
    }
}

void ClipboardCalls::LetGo() noexcept {
    copy_->Release();
    copy_ = nullptr;
}

BOOL ClipboardCalls::Open(HWND owner) noexcept {
    if (copy_ != nullptr) {
        // A copy given up on whose call has not come back yet.
        if (!copy_->ended) {
            return FALSE;
        }
        LetGo();
    }
    auto* copy = new (std::nothrow) Copy;
    if (copy == nullptr) {
        return FALSE;
    }
    copy->owner = owner;
    copy->go = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    copy->done = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    const HANDLE thread = copy->go != nullptr && copy->done != nullptr
                              ? ::CreateThread(nullptr, 0, Copy::Run, copy, 0, nullptr)
                              : nullptr;
    if (thread == nullptr) {
        copy->holders = 1;
        copy->Release();
        return FALSE;
    }
    ::CloseHandle(thread);
    copy_ = copy;
    return Call(Step::Open);
}

BOOL ClipboardCalls::Empty() noexcept {
    return Call(Step::Empty);
}

BOOL ClipboardCalls::Set(UINT format, HGLOBAL memory) noexcept {
    if (copy_ == nullptr || copy_->givenUp) {
        ::GlobalFree(memory);
        return FALSE;
    }
    copy_->format = format;
    copy_->memory = memory;
    return Call(Step::Set);
}

BOOL ClipboardCalls::Close() noexcept {
    return Call(Step::Close);
}

BOOL ClipboardCalls::Call(Step step) noexcept {
    if (copy_ == nullptr || copy_->givenUp) {
        return FALSE;
    }
    copy_->step = step;
    ::SetEvent(copy_->go);
    if (!WaitTakingSentMessages(copy_->done, kClipboardCallMs)) {
        // Left to finish the call by itself; it then sees that it is given up and ends.
        copy_->givenUp = true;
        ::SetEvent(copy_->go);
        return FALSE;
    }
    const BOOL result = copy_->result;
    if (step == Step::Close || (step == Step::Open && !result)) {
        LetGo();
    }
    return result;
}

}  // namespace tarnwick::win32
