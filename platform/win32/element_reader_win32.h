#pragma once
// Reads the accessible element of a window for the Details window.

#include "platform/accessible_element.h"

namespace tarnwick::win32 {

class Win32ElementReader final : public ElementReader {
  public:
    void Request(const ElementRequest& request, ElementAnswers& answers) override;
};

}  // namespace tarnwick::win32
