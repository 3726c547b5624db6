// The input library's parameter block, kept by the engine with the design
// (DDM_Open_XWinputParam) and handed to the library by the shell. It holds the
// entry histories and the entry window's last position. The predecessor-board
// loader fills the first lists and the position; everything else is the
// library's own.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
// A history list is a run of zero-terminated texts, the newest first, packed
// one after the other; its count word says how many there are.
struct XWinputParam {
    int32_t stringCount;      // word 0
    char stringList[10240];   // typed texts
    int32_t numberCount;      // word 2561
    int32_t coordCount;       // word 2562
    char numberList[12800];   // typed reals and integers
    char coordList[12800];    // typed coordinates
    char reserved1[8];
    char text[256];           // written by the board loader, not read by the library
    int32_t loaderWord;       // word 9029: the same
    int32_t reserved2[2];
    int32_t windowX;          // word 9032: the entry window's last screen position
    int32_t windowY;          // word 9033
};
#pragma pack(pop)

static_assert(sizeof(XWinputParam) == 36136);
static_assert(offsetof(XWinputParam, stringCount) == 0);
static_assert(offsetof(XWinputParam, stringList) == 4);
static_assert(offsetof(XWinputParam, numberCount) == 2561 * 4);
static_assert(offsetof(XWinputParam, coordCount) == 2562 * 4);
static_assert(offsetof(XWinputParam, numberList) == 10252);
static_assert(offsetof(XWinputParam, coordList) == 23052);
static_assert(offsetof(XWinputParam, text) == 35860);
static_assert(offsetof(XWinputParam, loaderWord) == 9029 * 4);
static_assert(offsetof(XWinputParam, windowX) == 9032 * 4);
static_assert(offsetof(XWinputParam, windowY) == 9033 * 4);
