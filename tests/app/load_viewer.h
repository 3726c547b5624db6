// The viewer in this process, for loading designs as the program loads them:
// the real frame with its children on the calling thread and the real command
// thread, a work space in a scratch folder, and a watch on the frame that
// sees every load start and end. The loading tests and the load benchmark
// both start it; nothing here needs the test framework.
#pragma once
#include <windows.h>

#include <string>

// Removes a folder with what it holds, as far as nothing holds it open.
void LV_RemoveFolder(const std::string& folder);
// A new scratch folder "<temp folder><prefix><process id>\". The folders
// that earlier runs left under the same prefix are removed first.
std::string LV_ScratchFolder(const char* prefix);

// Opens the work space "QZtemp.wps" in `folder`, names `firstDesign` of that
// folder for the frame's start-up load, creates the command thread suspended
// and the frame of `width` x `height`, shown, with the load watch on it. The
// caller resumes `*thread`, whose id is `*threadId`. The frame, or null when
// it could not be made.
HWND LV_StartViewer(const std::string& folder, const char* firstDesign, int width, int height, HANDLE* thread,
                    DWORD* threadId);

// The load watch. A load sends the frame the busy cursor first and the
// cursor it replaced last, once the view is fitted and the canvas painted;
// nothing else sends the busy cursor. Loads ended so far:
int LV_LoadsEnded();
// The performance-counter ticks at which the last load started and ended.
long long LV_LoadStartTick();
long long LV_LoadEndTick();
