#include "main_window/modResize.h"

#include "main_window/frmMain_controls.h"

namespace tarnwick::modResize {

using namespace frmMainControls;

void ArrangeMainForm(Form& f) {
    // Sizing the window below raises further resize events while this one runs: they find the
    // flag set and leave the arrangement to this call.
    static int busy = 0;
    // Minimised, the window has no client area to fit; restoring it raises the next resize.
    if (busy != 0 || f.WindowState() != 0) {
        return;
    }
    busy = 1;
    struct ClearBusy {
        ~ClearBusy() { busy = 0; }
    } clearBusy;

    const auto closeHeight = [&] { return f.Get(btn_Close, Dim::Height); };
    f.Set(frame_Main, Dim::Top, 0);
    f.Set(frame_Main, Dim::Left, 0);
    f.Set(btn_Help, Dim::Height, closeHeight());
    f.Set(btn_Help, Dim::Width, closeHeight());
    f.Set(btn_Help, Dim::Top, f.Get(frame_Main, Dim::Height) + closeHeight() / 4);
    f.Set(btn_Close, Dim::Top, f.Get(frame_Main, Dim::Height) + closeHeight() / 4);
    f.Set(btn_Close, Dim::Left,
          f.Get(frame_Main, Dim::Width) - closeHeight() * 3 / 2 - f.Get(btn_Close, Dim::Width));
    f.Set(btn_Help, Dim::Left, f.Get(frame_Main, Dim::Width) - closeHeight() - closeHeight() / 4);
    f.Set(kThisForm, Dim::Width,
          (f.Get(kThisForm, Dim::Width) - f.ScaleWidth()) + f.Get(frame_Main, Dim::Width));
    f.Set(kThisForm, Dim::Height,
          (closeHeight() + f.Get(btn_Close, Dim::Top) + closeHeight() / 4) +
              (f.Get(kThisForm, Dim::Height) - f.ScaleHeight()));
}

}  // namespace tarnwick::modResize
