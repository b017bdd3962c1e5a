#pragma once
// What the benchmarks read of another process: its visible window, and its CPU time and private
// memory, from the system and, under Wine, from the Linux process that carries it.

#include <string>

#include "platform/win32/windows_api.h"

namespace tarnwick::bench {

// A visible top-level window of the process with exactly this title; nothing when there is none.
HWND FindProcessWindow(DWORD processId, const wchar_t* title);

// The kernel and user time of the process as GetProcessTimes reports it, in milliseconds.
double CpuMilliseconds(HANDLE process);

// The whole of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
// The "name=value" entry of a block of NUL-separated environment variables; empty without it.
std::string EnvironmentEntry(const std::string& variables, const std::string& name);

// Under Wine a Windows process is a Linux process too, and Linux knows its private memory
// exactly: RssAnon in /proc/<pid>/status, the resident pages that belong to no file. Wine shows
// the Linux root as drive Z:.

// The Linux process's folder under Z:\proc: the one of this Wine prefix whose command line names
// the program (compared without case). Nothing when it is not found (not under Wine).
std::wstring LinuxProcessFolder(const std::string& programName);
// RssAnon in KiB, or a negative value without the process.
double LinuxPrivateKib(const std::wstring& folder);
// The time the process's threads have run, in milliseconds, from the nanosecond counters in
// /proc/<pid>/task/<tid>/schedstat; a negative value without the process. Under Wine this is
// the figure to trust: GetProcessTimes of another process does not give that process's own
// times there, and /proc/<pid>/stat counts in steps of 10 ms.
double LinuxCpuMilliseconds(const std::wstring& folder);

}  // namespace tarnwick::bench
