// The four bar windows of the frame: function bar "BtnFunc_CLASS", setting
// bar "Setting_Class", status bar "Sbar_CLASS" and attribute bar "Atr_CLASS".
#pragma once
#include <windows.h>

// Registers the status, function, setting and attribute bar classes in this
// order: 1, or 0 on the first failure.
int BAR_RegisterClasses(HINSTANCE hInst);
