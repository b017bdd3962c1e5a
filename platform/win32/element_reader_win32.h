#pragma once
// Reads the accessible element of a window for the Details window, on a thread of its own: the
// other program's provider may take as long as that program likes, or hang.
//
// The user-interface thread hands a request to the reading thread through a one-place slot (a
// newer request takes the place of one not yet read) and goes on. The reading thread posts each
// answer to a message-only window of the reader, whose window procedure tells the answers. A
// timer of that window watches the reading: a request read for kElementAnswerMilliseconds is
// answered NotResponding there, and its thread is left to its provider (never waited on, not
// even as the program ends); what it reads after that is thrown away, and the next request is
// read on a new thread. At most two reading threads exist: while two hang, every request is
// answered NotResponding at once.

#include "platform/accessible_element.h"
#include "platform/win32/windows_api.h"

namespace tarnwick::win32 {

class Win32ElementReader final : public ElementReader {
  public:
    Win32ElementReader() = default;
    ~Win32ElementReader();
    Win32ElementReader(const Win32ElementReader&) = delete;
    Win32ElementReader& operator=(const Win32ElementReader&) = delete;

    void Request(const ElementRequest& request, ElementAnswers& answers) override;

  private:
    struct Worker;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the request to the reading thread, starting one where none reads.
    void Hand(const ElementRequest& request);
    // Tells an answer without an element through the window's queue, as the reading thread
    // tells its answers.
    void Post(std::uint64_t request, ElementOutcome outcome);
    void Tell(std::uint64_t request, ElementOutcome outcome);
    void Tell(const ElementAnswer& answer);
    // At the timer: gives up on a reading that has taken too long.
    void Watch();

    HWND window_ = nullptr;
    ElementAnswers* answers_ = nullptr;
    Worker* worker_ = nullptr;
    bool watching_ = false;
    // The answer without an element, told again and again.
    ElementAnswer told_;
};

}  // namespace tarnwick::win32
