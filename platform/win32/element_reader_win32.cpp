#include "platform/win32/element_reader_win32.h"

namespace tarnwick::win32 {

void Win32ElementReader::Request(const ElementRequest& request, ElementAnswers& answers) {
    answers.ElementAnswered(ElementAnswer{request.id, ElementOutcome::None, {}});
}

}  // namespace tarnwick::win32
