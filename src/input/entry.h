// The insides of the input library: reading typed values, the history lists
// and the one entry window every operation opens.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Reading what was typed. Each takes the whole text (blanks around it
// allowed) and fails on anything else: an empty text, trailing characters,
// a value that does not fit.
bool XWI_ParseFloat(const char* text, double* value);
bool XWI_ParseInteger(const char* text, int32_t* value);
// Millimetres to board units, rounded to the nearest unit.
bool XWI_ParseCoord(const char* text, int32_t* value);
// "x,y" or "x y" in millimetres.
bool XWI_ParsePair(const char* text, int32_t* x, int32_t* y);

// One history list of a parameter block: packed zero-terminated texts, the
// newest first, at most XWI_HISTORY_MAX of them.
constexpr int XWI_HISTORY_MAX = 32;
struct XWI_History {
    char* list;
    size_t capacity;
    int32_t* count;
};
// Puts `text` at the front; an equal older entry is dropped, and the oldest
// ones go when the list is full. An empty text is not kept.
void XWI_HistoryPush(const XWI_History& h, const char* text);
// Entry i (0 = newest), or null when there is none. A damaged list (a count
// past the end of the texts) reads as shorter.
const char* XWI_HistoryAt(const XWI_History& h, int i);
void XWI_HistoryClear(const XWI_History& h);

// The histories of the block in use.
enum XWI_Kind { XWI_KIND_STRING, XWI_KIND_NUMBER, XWI_KIND_COORD };
XWI_History XWI_HistoryOf(XWI_Kind kind);

// Number fields never need more characters than this; texts take the
// caller's length.
constexpr int XWI_NUMBER_FIELD_MAX = 64;

// Accepts or refuses the text typed into the entry window; on acceptance it
// stores the value where its caller wants it.
typedef bool (*XWI_Accept)(const char* text, void* context);

struct XWI_Entry {
    const char* caption;   // Shift-JIS
    const char* prompt;    // the bounds, shown above the field
    const char* initial;   // the field's first text, or null for the newest history text
    int maxLength;         // the most bytes the field takes
    XWI_Kind kind;
    bool keepHistory;
    XWI_Accept accept;
    void* context;
};

// Runs the modal entry window. 1 confirmed, 2 cancelled, 0 no window.
int XWI_RunEntry(HWND hOwner, const XWI_Entry& entry);
