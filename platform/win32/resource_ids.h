#pragma once
// Resource numbers shared by Tarnwick.rc and the code that loads the resources.

#define IDI_TARNWICK 1
#define IDB_TARGET 101
#define IDC_TARGET 102
