// Program entry. Start-up proper lives in APP_Run, so that tests can run
// its pieces in their own process.
#include <windows.h>

#include "app/app.h"

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR lpCmdLine, int nShow)
{
    return APP_Run(hInst, lpCmdLine, nShow);
}
