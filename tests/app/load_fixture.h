// The whole viewer in the test's own process, for design loading: the real
// frame with its children on this thread and the real command thread, with
// test designs written beforehand into a scratch folder. A load is started
// as the program starts one, by WM_COMMAND 40140 to the frame.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "kit/gui_kit.h"

struct LoadFixture {
    std::string folder;   // the scratch folder, ending in a backslash
    HWND frame = nullptr;
    DWORD commandThreadId = 0;
};

// Writes the test designs, opens a work space and starts the viewer; the
// frame's own start-up load reads `firstDesign` of the scratch folder.
// Dialogs and message boxes of the command thread are recorded by
// `commandWatch` (made by the fixture before the thread runs): those whose
// caption `answers` names get its button, any other OK.
LoadFixture* LF_Start(const char* firstDesign, KIT_DialogWatch** commandWatch,
                      const std::vector<std::pair<int, std::string>>& answers = {});
// Posts the start-up road's 40140 (notification code 1) for `name` in the
// scratch folder and waits until that load has ended.
bool LF_Load(LoadFixture* f, const char* name, int oldDesign = 0);
// Waits until the next load has ended (started by whatever means).
bool LF_WaitLoad(LoadFixture* f, DWORD limitMs = 60000);
// Loads started and ended so far.
int LF_LoadsEnded();
// The data extent {min x, min y, max x, max y}; false when there is no data.
bool LF_Extent(int32_t box[4]);
std::string LF_ReadFile(const std::string& path);
