// Printing and print preview: what start-up calls of them.
#pragma once
#include <windows.h>

// Registers the print preview classes "QZ-PreView" and "QZ-PreViewM": 1, or
// 0 on the first failure.
int PRN_RegisterPreviewClasses(HINSTANCE hInst);
