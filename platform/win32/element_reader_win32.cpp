#include "platform/win32/element_reader_win32.h"

#include <atomic>
#include <memory>
#include <new>

#include "element/read_element.h"
#include "platform/event_dispatch.h"
#include "platform/win32/element_sources_win32.h"

namespace tarnwick::win32 {

namespace {

// Posted to the reader's window; lParam is an ElementAnswer made with new, owned by the
// receiver from then on.
constexpr UINT kAnswerMessage = WM_APP + 1;
// Posted to the reader's window for an answer without an element: wParam is the outcome, lParam
// the request.
constexpr UINT kOutcomeMessage = WM_APP + 2;
constexpr UINT_PTR kWatchTimer = 1;
constexpr int kMostWorkers = 2;
constexpr wchar_t kWindowClass[] = L"Tarnwick.ElementReader";

// Reading threads alive, those given up on included. Each thread counts itself out as it ends,
// which may be long after the reader has gone.
std::atomic<int> liveWorkers{0};

}  // namespace

// What the user-interface thread and one reading thread share: freed by the one that lets go
// last, so that a thread given up on may outlive the reader. The fields below the lock are
// read and written under it.
struct Win32ElementReader::Worker {
    const ElementFunctions* functions = nullptr;
    HWND replyTo = nullptr;
    HANDLE wake = nullptr;  // auto-reset: a request waits, or the thread is to end
    std::atomic<int> holders{2};
    CRITICAL_SECTION lock;
    ElementRequest waiting;
    bool hasWaiting = false;
    bool reading = false;  // the request taken last is being read, since readingSince
    ULONGLONG readingSince = 0;
    std::uint64_t readingId = 0;
    bool abandoned = false;  // the thread is to end, and to post nothing more

    static Worker* Start(HWND replyTo);
    static DWORD WINAPI Run(void* worker) noexcept;
    void Release() {
        if (--holders == 0) {
            ::DeleteCriticalSection(&lock);
            ::CloseHandle(wake);
            delete this;
        }
    }
};

Win32ElementReader::Worker* Win32ElementReader::Worker::Start(HWND replyTo) {
    // Looked up here, on the user-interface thread, so that the reading threads only read them.
    const ElementFunctions& functions = LoadElementFunctions();
    if (replyTo == nullptr || functions.coInitializeEx == nullptr ||
        functions.coUninitialize == nullptr || functions.sysStringLen == nullptr ||
        functions.variantClear == nullptr) {
        return nullptr;
    }
    auto* worker = new (std::nothrow) Worker;
    if (worker == nullptr) {
        return nullptr;
    }
    ::InitializeCriticalSection(&worker->lock);
    worker->functions = &functions;
    worker->replyTo = replyTo;
    worker->wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ++liveWorkers;
    const HANDLE thread =
        worker->wake != nullptr ? ::CreateThread(nullptr, 0, Run, worker, 0, nullptr) : nullptr;
    if (thread == nullptr) {
        --liveWorkers;
        worker->holders = 1;
        worker->Release();
        return nullptr;
    }
    ::CloseHandle(thread);
    return worker;
}

DWORD WINAPI Win32ElementReader::Worker::Run(void* parameter) noexcept {
    Worker& worker = *static_cast<Worker*>(parameter);
    const ElementFunctions& functions = *worker.functions;
    // Multithreaded, as UI Automation clients are; in physical pixels, as the program's points.
    // Without COM every reading fails, and each request is answered None.
    const bool com = SUCCEEDED(functions.coInitializeEx(nullptr, COINIT_MULTITHREADED));
    if (functions.setThreadDpiAwarenessContext != nullptr) {
        functions.setThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    }
    {
        Win32ElementSources sources(functions);
        for (;;) {
            ::EnterCriticalSection(&worker.lock);
            const bool abandoned = worker.abandoned;
            const bool taken = worker.hasWaiting;
            const ElementRequest request = worker.waiting;
            worker.hasWaiting = false;
            worker.reading = taken;
            worker.readingId = request.id;
            worker.readingSince = ::GetTickCount64();
            ::LeaveCriticalSection(&worker.lock);
            if (abandoned) {
                break;
            }
            if (!taken) {
                ::WaitForSingleObject(worker.wake, INFINITE);
                continue;
            }
            // Only where memory runs out does a request go without an answer.
            ElementAnswer* answer = nullptr;
            try {
                answer = new ElementAnswer(ReadElement(sources, request));
            } catch (...) {
            }
            ::EnterCriticalSection(&worker.lock);
            worker.reading = false;
            const bool wanted = !worker.abandoned;
            ::LeaveCriticalSection(&worker.lock);
            if (!wanted || answer == nullptr ||
                !::PostMessageW(worker.replyTo, kAnswerMessage, 0,
                                reinterpret_cast<LPARAM>(answer))) {
                delete answer;
            }
        }
    }
    if (com) {
        functions.coUninitialize();
    }
    worker.Release();
    --liveWorkers;
    return 0;
}

Win32ElementReader::~Win32ElementReader() {
    // The reading thread ends by itself once its reading is over; it is not waited for.
    if (worker_ != nullptr) {
        ::EnterCriticalSection(&worker_->lock);
        worker_->abandoned = true;
        ::LeaveCriticalSection(&worker_->lock);
        ::SetEvent(worker_->wake);
        worker_->Release();
    }
    // Answers still in the queue go with the program, which is ending.
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

void Win32ElementReader::Request(const ElementRequest& request, ElementAnswers& answers) {
    answers_ = &answers;
    if (window_ == nullptr) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        // Fails when the class is there already; a failure of its own fails the window.
        ::RegisterClassExW(&wc);
        window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    wc.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    Hand(request);
}

void Win32ElementReader::Hand(const ElementRequest& request) {
    ElementOutcome outcome = ElementOutcome::NotResponding;
    if (worker_ == nullptr && liveWorkers < kMostWorkers) {
        outcome = ElementOutcome::None;
        worker_ = Worker::Start(window_);
    }
    if (worker_ == nullptr) {
        Post(request.id, outcome);
        return;
    }
    ::EnterCriticalSection(&worker_->lock);
    worker_->waiting = request;
    worker_->hasWaiting = true;
    ::LeaveCriticalSection(&worker_->lock);
    ::SetEvent(worker_->wake);
    if (!watching_) {
        watching_ = ::SetTimer(window_, kWatchTimer, kElementAnswerMilliseconds, nullptr) != 0;
    }
}

void Win32ElementReader::Watch() {
    ::KillTimer(window_, kWatchTimer);
    watching_ = false;
    if (worker_ == nullptr) {
        return;
    }
    ::EnterCriticalSection(&worker_->lock);
    const ULONGLONG took = worker_->reading ? ::GetTickCount64() - worker_->readingSince : 0;
    const bool busy = worker_->reading || worker_->hasWaiting;
    const bool givenUp = took >= kElementAnswerMilliseconds;
    const std::uint64_t readingId = worker_->readingId;
    const bool hasWaiting = worker_->hasWaiting;
    const ElementRequest waiting = worker_->waiting;
    worker_->abandoned = givenUp;
    ::LeaveCriticalSection(&worker_->lock);
    if (!givenUp) {
        // Nothing to watch until the next request, or the reading's time not yet up.
        if (busy) {
            watching_ =
                ::SetTimer(window_, kWatchTimer,
                           static_cast<UINT>(kElementAnswerMilliseconds - took), nullptr) != 0;
        }
        return;
    }
    worker_->Release();
    worker_ = nullptr;
    Post(readingId, ElementOutcome::NotResponding);
    if (hasWaiting) {
        Hand(waiting);
    }
}

void Win32ElementReader::Post(std::uint64_t request, ElementOutcome outcome) {
    if (window_ == nullptr ||
        !::PostMessageW(window_, kOutcomeMessage, static_cast<WPARAM>(outcome),
                        static_cast<LPARAM>(request))) {
        Tell(request, outcome);
    }
}

void Win32ElementReader::Tell(std::uint64_t request, ElementOutcome outcome) {
    told_.request = request;
    told_.outcome = outcome;
    Tell(told_);
}

void Win32ElementReader::Tell(const ElementAnswer& answer) {
    RaiseEvent("ElementAnswered", [&] { answers_->ElementAnswered(answer); });
}

LRESULT CALLBACK Win32ElementReader::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* reader =
        reinterpret_cast<Win32ElementReader*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == kAnswerMessage) {
        const std::unique_ptr<ElementAnswer> answer(reinterpret_cast<ElementAnswer*>(lParam));
        if (reader != nullptr) {
            reader->Tell(*answer);
        }
        return 0;
    }
    if (message == kOutcomeMessage && reader != nullptr) {
        reader->Tell(static_cast<std::uint64_t>(lParam), static_cast<ElementOutcome>(wParam));
        return 0;
    }
    if (message == WM_TIMER && reader != nullptr) {
        reader->Watch();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarnwick::win32
