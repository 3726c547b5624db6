// Program entry. Start-up proper (work space, command thread, frame and its
// children, renderer, message loop) lives in the shell's start-up module.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR lpCmdLine, int nShow)
{
    return STA_Main(hInst, lpCmdLine, nShow);
}
