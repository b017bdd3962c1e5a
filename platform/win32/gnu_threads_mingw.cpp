// Small stand-ins for the few POSIX thread functions that the GNU C++ runtime itself calls: for
// function-local statics made once (mutex, condition variable, once) and for each thread's record
// of the exceptions in flight (once, mutex, keys). Without them the linker takes MinGW's whole
// POSIX thread library, some 24 KB of Tarnwick.exe, for a program that makes its threads with the
// system's own calls. Built with MinGW only, and into the program itself rather than a library, so
// that the linker takes these before it looks into that library.
//
// They are thread-safe and keep the meaning the runtime relies on: every mutex is recursive (a
// critical section, made at first use when the mutex was set up by a constant), a condition
// variable is the system's, a once-function runs exactly once while later callers wait for it,
// and a key's destructor gets the thread's value when that thread ends (fiber-local storage runs
// it). Reading or storing a key's value keeps the thread's last error, as the library's own do.
//
// These and the library's own object files must never both be linked: a call into that library
// beyond the functions below (std::thread, std::condition_variable, a timed or trying lock, ...)
// stops the link with "multiple definition" errors. Make threads with CreateThread, wait with the
// system's calls, or add the function here.

#include <pthread.h>

#include <atomic>
#include <cstdint>

#include "platform/win32/windows_api.h"

namespace {

// A mutex or condition variable holds either a constant set by its initialiser (zero or less) or
// the address of the system object made for it.
std::intptr_t Current(std::intptr_t* handle) {
    return std::atomic_ref<std::intptr_t>(*handle).load(std::memory_order_acquire);
}

bool IsMade(std::intptr_t handle) {
    return handle > 0;
}

// The system object behind a mutex or condition variable, made at its first use. Threads that
// race to make it agree on the first one installed; the others throw theirs away.
template <typename Object>
Object* MadeFor(std::intptr_t* handle, void(WINAPI* make)(Object*), void(WINAPI* unmake)(Object*)) {
    std::intptr_t current = Current(handle);
    if (IsMade(current)) {
        return reinterpret_cast<Object*>(current);
    }
    auto* made = static_cast<Object*>(::HeapAlloc(::GetProcessHeap(), 0, sizeof(Object)));
    if (made == nullptr) {
        return nullptr;
    }
    make(made);
    std::atomic_ref<std::intptr_t> slot(*handle);
    if (slot.compare_exchange_strong(current, reinterpret_cast<std::intptr_t>(made),
                                     std::memory_order_acq_rel)) {
        return made;
    }
    if (unmake != nullptr) {
        unmake(made);
    }
    ::HeapFree(::GetProcessHeap(), 0, made);
    return reinterpret_cast<Object*>(current);
}

CRITICAL_SECTION* MutexOf(pthread_mutex_t* mutex) {
    return MadeFor<CRITICAL_SECTION>(mutex, ::InitializeCriticalSection, ::DeleteCriticalSection);
}

// Callers of a once-function that is still running wait here until it has run.
SRWLOCK onceLock = SRWLOCK_INIT;
CONDITION_VARIABLE onceRan = CONDITION_VARIABLE_INIT;
constexpr pthread_once_t kOnceRunning = 1;
constexpr pthread_once_t kOnceRan = 2;

// Fiber-local storage hands its callback the value only, so each key with a destructor gets a
// callback of its own that knows which destructor to call. The runtime makes one such key.
using KeyDestructor = void (*)(void*);
constexpr int kDestructorKeys = 4;
std::atomic<KeyDestructor> keyDestructors[kDestructorKeys];

template <int Key>
void WINAPI RunKeyDestructor(void* value) {
    if (value != nullptr) {
        keyDestructors[Key].load(std::memory_order_acquire)(value);
    }
}

constexpr PFLS_CALLBACK_FUNCTION kKeyCallbacks[kDestructorKeys] = {
    RunKeyDestructor<0>, RunKeyDestructor<1>, RunKeyDestructor<2>, RunKeyDestructor<3>};

}  // namespace

// Made at first use, like a mutex set up by its constant.
int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*) {
    *mutex = PTHREAD_MUTEX_INITIALIZER;
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    CRITICAL_SECTION* section = MutexOf(mutex);
    if (section == nullptr) {
        return ENOMEM;
    }
    ::EnterCriticalSection(section);
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    std::intptr_t handle = Current(mutex);
    if (!IsMade(handle)) {
        return EPERM;
    }
    ::LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(handle));
    return 0;
}

int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex) {
    std::intptr_t held = Current(mutex);
    if (!IsMade(held)) {
        return EPERM;
    }
    auto* variable = MadeFor<CONDITION_VARIABLE>(condition, ::InitializeConditionVariable, nullptr);
    if (variable == nullptr) {
        return ENOMEM;
    }
    auto* section = reinterpret_cast<CRITICAL_SECTION*>(held);
    return ::SleepConditionVariableCS(variable, section, INFINITE) ? 0 : EINVAL;
}

int pthread_cond_broadcast(pthread_cond_t* condition) {
    // A condition variable that has never been waited on has nobody to wake.
    std::intptr_t handle = Current(condition);
    if (IsMade(handle)) {
        ::WakeAllConditionVariable(reinterpret_cast<CONDITION_VARIABLE*>(handle));
    }
    return 0;
}

int pthread_once(pthread_once_t* once, void (*function)(void)) {
    std::atomic_ref<pthread_once_t> state(*once);
    if (state.load(std::memory_order_acquire) == kOnceRan) {
        return 0;
    }
    pthread_once_t expected = PTHREAD_ONCE_INIT;
    if (state.compare_exchange_strong(expected, kOnceRunning, std::memory_order_acq_rel)) {
        function();
        ::AcquireSRWLockExclusive(&onceLock);
        state.store(kOnceRan, std::memory_order_release);
        ::ReleaseSRWLockExclusive(&onceLock);
        ::WakeAllConditionVariable(&onceRan);
        return 0;
    }
    ::AcquireSRWLockExclusive(&onceLock);
    while (state.load(std::memory_order_acquire) != kOnceRan) {
        ::SleepConditionVariableSRW(&onceRan, &onceLock, INFINITE, 0);
    }
    ::ReleaseSRWLockExclusive(&onceLock);
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*destructor)(void*)) {
    PFLS_CALLBACK_FUNCTION callback = nullptr;
    int claimed = 0;
    if (destructor != nullptr) {
        KeyDestructor unclaimed = nullptr;
        while (claimed < kDestructorKeys &&
               !keyDestructors[claimed].compare_exchange_strong(unclaimed, destructor)) {
            unclaimed = nullptr;
            ++claimed;
        }
        if (claimed == kDestructorKeys) {
            return EAGAIN;
        }
        callback = kKeyCallbacks[claimed];
    }
    DWORD index = ::FlsAlloc(callback);
    if (index == FLS_OUT_OF_INDEXES) {
        if (destructor != nullptr) {
            keyDestructors[claimed].store(nullptr);
        }
        return EAGAIN;
    }
    *key = index;
    return 0;
}

void* pthread_getspecific(pthread_key_t key) {
    DWORD lastError = ::GetLastError();
    void* value = ::FlsGetValue(key);
    ::SetLastError(lastError);
    return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
    DWORD lastError = ::GetLastError();
    bool stored = ::FlsSetValue(key, const_cast<void*>(value));
    int result = stored ? 0 : ::GetLastError() == ERROR_INVALID_PARAMETER ? EINVAL : ENOMEM;
    ::SetLastError(lastError);
    return result;
}
