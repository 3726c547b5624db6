// The print preview window classes.
//
// Waiting for printing and print preview: until they are built the classes
// exist with the default window behaviour and nothing creates them.
#include "view/prn.h"

int PRN_RegisterPreviewClasses(HINSTANCE hInst)
{
    static const char* const names[] = {"QZ-PreView", "QZ-PreViewM"};
    for (const char* name : names) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = name;
        if (!RegisterClassA(&wc)) return 0;
    }
    return 1;
}
