#pragma once
// What a drag costs in each frame style: the target changes on every tick, so each tick wipes
// the frame, and the painted style makes every window on the screen repaint for it.

#include <string>

namespace tarnwick::bench {

// Drags Tarnwick's target across five windows for the given seconds in each style and prints
// the CPU time of Tarnwick and of the five windows' thread, and the ratio painted / overlay.
// Returns false when the drag could not be run.
bool BenchDragAcrossWindows(const std::wstring& exe, int seconds);

}  // namespace tarnwick::bench
