#include "platform/win32/screen_repainter.h"

#include <new>

#include "platform/win32/sent_messages.h"

namespace tarnwick::win32 {

// What the caller and the thread share. It outlives the repainter when the thread is still held
// by a hung window as the program ends.
struct ScreenRepainter::Shared {
    CRITICAL_SECTION lock;
    HANDLE wake = nullptr;  // auto-reset: a request is waiting
    HANDLE idle = nullptr;  // manual-reset: set while nothing is waiting or under way
    bool pending = false;
    BOOL erase = FALSE;
    bool stop = false;
};

ScreenRepainter::~ScreenRepainter() {
    if (shared_ == nullptr) {
        return;
    }
    ::EnterCriticalSection(&shared_->lock);
    shared_->stop = true;
    ::LeaveCriticalSection(&shared_->lock);
    ::SetEvent(shared_->wake);
    if (::WaitForSingleObject(thread_, 1000) != WAIT_OBJECT_0) {
        // Still held by a window that does not answer: the thread keeps what it shares, and the
        // process ends around it.
        ::CloseHandle(thread_);
        return;
    }
    ::CloseHandle(thread_);
    ::CloseHandle(shared_->wake);
    ::CloseHandle(shared_->idle);
    ::DeleteCriticalSection(&shared_->lock);
    delete shared_;
}

bool ScreenRepainter::Start() noexcept {
    auto* shared = new (std::nothrow) Shared;
    if (shared == nullptr) {
        return false;
    }
    shared->wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    shared->idle = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
    HANDLE thread = nullptr;
    if (shared->wake != nullptr && shared->idle != nullptr) {
        ::InitializeCriticalSection(&shared->lock);
        thread = ::CreateThread(nullptr, 0, Run, shared, 0, nullptr);
        if (thread == nullptr) {
            ::DeleteCriticalSection(&shared->lock);
        }
    }
    if (thread == nullptr) {
        if (shared->wake != nullptr) {
            ::CloseHandle(shared->wake);
        }
        if (shared->idle != nullptr) {
            ::CloseHandle(shared->idle);
        }
        delete shared;
        return false;
    }
    shared_ = shared;
    thread_ = thread;
    return true;
}

BOOL ScreenRepainter::Request(BOOL erase) noexcept {
    if (shared_ == nullptr && !Start()) {
        return ::InvalidateRect(nullptr, nullptr, erase);
    }
    ::EnterCriticalSection(&shared_->lock);
    shared_->pending = true;
    shared_->erase = shared_->erase || erase;
    ::ResetEvent(shared_->idle);
    ::LeaveCriticalSection(&shared_->lock);
    ::SetEvent(shared_->wake);
    return TRUE;
}

bool ScreenRepainter::Finish(DWORD timeoutMs) const noexcept {
    if (shared_ == nullptr) {
        return true;
    }
    // The repaint sends to this thread's windows too: their messages are taken in while waiting.
    return WaitTakingSentMessages(shared_->idle, timeoutMs);
}

DWORD WINAPI ScreenRepainter::Run(void* parameter) noexcept {
    auto& shared = *static_cast<Shared*>(parameter);
    for (;;) {
        ::WaitForSingleObject(shared.wake, INFINITE);
        for (;;) {
            ::EnterCriticalSection(&shared.lock);
            if (shared.stop) {
                ::LeaveCriticalSection(&shared.lock);
                return 0;
            }
            if (!shared.pending) {
                ::SetEvent(shared.idle);
                ::LeaveCriticalSection(&shared.lock);
                break;
            }
            const BOOL erase = shared.erase;
            shared.pending = false;
            shared.erase = FALSE;
            ::LeaveCriticalSection(&shared.lock);
            ::InvalidateRect(nullptr, nullptr, erase);
        }
    }
}

}  // namespace tarnwick::win32
