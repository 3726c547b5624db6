// A fresh work space in the temporary folder for each test, closed and
// deleted at its end, so tests never touch the program folder's work space.
#pragma once
#include <windows.h>

#include <string>

#include "platform/qzt_wps.h"

struct ScratchWorkSpace {
    std::string path;
    void* hDesign = nullptr;

    ScratchWorkSpace()
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path = std::string(dir) + "store_test_" + std::to_string(GetCurrentProcessId()) + ".wps";
        DeleteFileA(path.c_str());
        hDesign = WPS_Open(path.c_str());
    }
    ~ScratchWorkSpace() { WPS_Delete(path.c_str()); }
};
