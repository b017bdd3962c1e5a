// Small stand-ins for parts of the GNU C++ runtime that would otherwise make up half of
// Tarnwick.exe. Built with MinGW only, and into the program itself rather than a library, so that
// the linker takes these before it looks into the runtime's archive.
//
// - std::terminate's handler: the runtime's names the exception's type and so links in its whole
//   symbol demangler, to write to a standard error stream that a windowed program does not have.
// - The failures of the standard containers (a string or vector too long, an index out of range,
//   no memory): the runtime's throwers live in one object file that also builds every standard
//   exception class from text, and with them a second, reference-counted string library. Here
//   they throw the Win32 layer's fixed-text exception with the same text, which the event
//   boundary reports like any other.
// - The memory of thrown exceptions: the runtime's keeps a pool of its own beside the heap, made
//   at start-up, for exceptions thrown when the heap has run out. Here they come from the heap
//   alone, and a throw that finds no memory ends the program, as the runtime's does once its pool
//   has run out too.
// - Each thread's record of its exceptions (those caught and not yet finished, the count of those
//   thrown and not yet caught): the runtime's is a thread-local variable, which MinGW's compiler
//   emulates with a library of its own on top of the POSIX thread functions. Here it is a block
//   on the heap that fiber-local storage keeps for each thread and frees when the thread ends.
//   With it nothing in the program calls a POSIX thread function, and MinGW's thread library
//   (some 24 KB) stays out: make threads with CreateThread and wait with the system's calls, not
//   with std::thread, std::mutex, std::condition_variable or thread_local, which bring it back.
// - The start-up's fixing of pseudo-relocations: the linker makes them where code reaches data in
//   a DLL that it does not declare imported, and the runtime's code that applies them brings a
//   reader of the program's sections with it. Tarnwick.exe has none (the linker's list of them
//   is empty), so here they are only looked for: a build that has them stops at start-up, rather
//   than running with addresses left unfixed.
// - The start-up's two other hooks: the report of math errors, which the runtime's start-up
//   installs only when a program asks for it (Tarnwick does not) and which writes to a standard
//   error stream; and the thread callback that runs the destructors that threads registered with
//   MinGW's own thread-local keys, which nothing in the program registers. Here neither does
//   anything. Code that does register such a destructor stops the link with "multiple
//   definition" errors: let a thread clean up after itself instead.
//
// The runtime's object files and these must never both be linked: code that reaches one of its
// other throwers (std::stoi, std::bitset, ...), or that builds a std::runtime_error or one of its
// kin from text, stops the link with "multiple definition" errors. Add that thrower here, throw
// Win32Failure instead, or do without the call. So does code that keeps an exception for later
// (std::exception_ptr, std::current_exception): carry what failed some other way.

#include <cxxabi.h>
#include <unwind.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <new>

#include "platform/win32/win32_failure.h"
#include "platform/win32/windows_api.h"

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    ::OutputDebugStringA("Tarnwick: an unhandled exception ended the program\n");
    std::abort();
}

}  // namespace __gnu_cxx

// The start and the end of the linker's list of pseudo-relocations.
extern "C" char __RUNTIME_PSEUDO_RELOC_LIST__[];
extern "C" char __RUNTIME_PSEUDO_RELOC_LIST_END__[];

extern "C" void _pei386_runtime_relocator() {
    // Read back as numbers: the compiler may take two objects to have different addresses.
    const volatile auto start = reinterpret_cast<std::uintptr_t>(__RUNTIME_PSEUDO_RELOC_LIST__);
    const volatile auto end = reinterpret_cast<std::uintptr_t>(__RUNTIME_PSEUDO_RELOC_LIST_END__);
    if (start != end) {
        ::OutputDebugStringA("Tarnwick: built with pseudo-relocations, which it does not apply\n");
        std::abort();
    }
}

// Asks for the default handling of a math error, which is what the runtime's report asks for once
// it has written.
extern "C" int _matherr(struct _exception*) {
    return 0;
}

extern "C" BOOL WINAPI __mingw_TLScallback(HANDLE, DWORD, void*) {
    return TRUE;
}

namespace __cxxabiv1 {

namespace {

// What the runtime keeps in front of each thrown object (its reference-counted exception header,
// declared in a header that is not installed): a reference count, then its record of the
// exception (type, destructor, the handlers to call, the chain of caught exceptions, the number
// of handlers, and what the search for a handler found), and the unwinder's header last, right
// before the object. The unwinder's header is aligned for any type, and so is the object after it.
struct ThrownHeader {
    int referenceCount;
    struct {
        void* type;
        void* destructor;
        void* unexpectedHandler;
        void* terminateHandler;
        void* nextException;
        int handlerCount;
        int handlerSwitchValue;
        const void* actionRecord;
        const void* languageSpecificData;
        void* catchTemp;
        void* adjustedPointer;
        _Unwind_Exception unwindHeader;
    } exception;
};
// The runtime's own code steps this far from a header to its object and back.
static_assert(sizeof(ThrownHeader) == 160 && alignof(ThrownHeader) == 16);

}  // namespace

// The heap's blocks are 16-byte aligned, as the header and the object need. Zeroed: the runtime
// fills in only part of its header and counts on the rest being zero.
extern "C" void* __cxa_allocate_exception(std::size_t thrownSize) noexcept {
    void* header = std::calloc(1, sizeof(ThrownHeader) + thrownSize);
    if (header == nullptr) {
        std::terminate();
    }
    return static_cast<ThrownHeader*>(header) + 1;
}

extern "C" void __cxa_free_exception(void* thrown) noexcept {
    std::free(static_cast<ThrownHeader*>(thrown) - 1);
}

namespace {

// The runtime's record of a thread's exceptions.
struct ThreadExceptions {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

void WINAPI FreeThreadExceptions(void* record) {
    std::free(record);
}

// The fiber-local slot of the records, made at the first exception. Threads that race to make it
// agree on the first one installed; the others give theirs back.
std::atomic<DWORD> threadExceptionsSlot{FLS_OUT_OF_INDEXES};

DWORD ThreadExceptionsSlot() {
    DWORD current = threadExceptionsSlot.load(std::memory_order_acquire);
    if (current != FLS_OUT_OF_INDEXES) {
        return current;
    }
    const DWORD made = ::FlsAlloc(FreeThreadExceptions);
    if (made == FLS_OUT_OF_INDEXES) {
        std::terminate();
    }
    if (threadExceptionsSlot.compare_exchange_strong(current, made, std::memory_order_acq_rel)) {
        return made;
    }
    ::FlsFree(made);
    return current;
}

}  // namespace

// Made for the thread at its first call, zeroed. A handler may still ask for the error of the
// system call that made it throw: the thread's last error is kept.
extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept {
    const DWORD lastError = ::GetLastError();
    const DWORD slot = ThreadExceptionsSlot();
    void* record = ::FlsGetValue(slot);
    if (record == nullptr) {
        record = std::calloc(1, sizeof(ThreadExceptions));
        if (record == nullptr || !::FlsSetValue(slot, record)) {
            std::terminate();
        }
    }
    ::SetLastError(lastError);
    return static_cast<__cxa_eh_globals*>(record);
}

extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return __cxa_get_globals();
}

}  // namespace __cxxabiv1

namespace std {

void __throw_bad_alloc() {
    throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}

void __throw_logic_error(const char* reason) {
    throw tarnwick::win32::Win32Failure(reason);
}

void __throw_length_error(const char* reason) {
    throw tarnwick::win32::Win32Failure(reason);
}

void __throw_out_of_range(const char* reason) {
    throw tarnwick::win32::Win32Failure(reason);
}

// The format's arguments (positions and sizes) are left out of the text.
void __throw_out_of_range_fmt(const char* format, ...) {
    throw tarnwick::win32::Win32Failure(format);
}

}  // namespace std
