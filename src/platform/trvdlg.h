// The dialog library TrvDlg: its calls, one block per family. Callers
// include this header and declare no dialog-library call elsewhere.
#pragma once
#include <windows.h>

#include <cstdint>

// ---- Progress window (DOING_) ----------------------------------------------------

// The progress object DOING_Start gives. A long operation reports through
// `report` how far it has come (done of total, in any unit); the window
// shows the share. Without reports it shows that work goes on. The engine
// calls it through the pointer, so it needs no link to this library; any
// thread may call it.
struct DoingProgress {
    void (*report)(DoingProgress* self, uint64_t done, uint64_t total);
    void* window;  // the library's own
};

extern "C" {

// Opens the progress window over `hOwner` with the caption `caption` and
// returns its progress object (null when the window cannot be made). The
// window runs on a thread of its own, so it keeps painting whatever its
// caller's thread does.
DoingProgress* DOING_Start(HWND hOwner, const char* caption);
// Closes the window DOING_Start opened last; nothing when none is open.
void DOING_End(void);

}

// The window of the open progress object (null when none), for tests.
HWND DOING_GetWindow(void);
