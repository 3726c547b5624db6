// Prompt texts: prompt index i is string-table text i+2, loaded on first use
// and kept until the program ends, so a caller may hold the pointer.
#include "app/din.h"

#include <cstring>

#include "platform/qzt_mem.h"
#include "res/cmd_ids.h"

static char* s_promptCache[DIN_PROMPT_COUNT];

const char* DIN_GetMessage(int i)
{
    if (i < 0 || i >= DIN_PROMPT_COUNT) return "";
    if (char* cached = (char*)InterlockedCompareExchangePointer((void**)&s_promptCache[i], nullptr, nullptr))
        return cached;
    char* text = (char*)MemAlloc(nullptr, 1024, "DIN_GetMessage()");
    if (!text) return "";
    int length = LoadStringA(GetModuleHandleA(nullptr), IDS_DIN_PROMPT_BASE + i, text, 1024);
    if (length < 0) length = 0;
    text[length] = 0;
    if (char* shrunk = (char*)MemReAlloc(nullptr, text, (size_t)length + 1, "DIN_GetMessage()"))
        text = shrunk;
    // Both threads ask for prompts; the first text stored wins, so every
    // caller sees the same pointer.
    if (void* earlier = InterlockedCompareExchangePointer((void**)&s_promptCache[i], text, nullptr)) {
        MemFree(nullptr, text, "DIN_GetMessage()");
        return (const char*)earlier;
    }
    return text;
}
