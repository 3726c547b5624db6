// The entry histories. They live in the parameter block that the shell keeps
// with the design, so what was typed survives a restart; until the shell hands
// one over the library uses its own block.
#include <cstring>

#include "input/entry.h"
#include "platform/xwinput.h"

static XWinputParam s_ownParam;
static XWinputParam* s_param = &s_ownParam;

extern "C" void XWinputSetParam(XWinputParam* block)
{
    s_param = block ? block : &s_ownParam;
}

extern "C" XWinputParam* XWinputGetParam()
{
    return s_param;
}

XWI_History XWI_HistoryOf(XWI_Kind kind)
{
    switch (kind) {
    case XWI_KIND_NUMBER:
        return {s_param->numberList, sizeof s_param->numberList, &s_param->numberCount};
    case XWI_KIND_COORD:
        return {s_param->coordList, sizeof s_param->coordList, &s_param->coordCount};
    default:
        return {s_param->stringList, sizeof s_param->stringList, &s_param->stringCount};
    }
}

// Offset of entry i, or -1. Walks the texts so that a count written by
// someone else never leads past the list.
static long EntryOffset(const XWI_History& h, int i)
{
    int n = *h.count;
    if (i < 0 || i >= n) return -1;
    size_t off = 0;
    for (int k = 0; k < i; ++k) {
        const void* nul = memchr(h.list + off, 0, h.capacity - off);
        if (!nul) return -1;
        off = (size_t)((const char*)nul - h.list) + 1;
        if (off >= h.capacity) return -1;
    }
    if (!memchr(h.list + off, 0, h.capacity - off)) return -1;
    return (long)off;
}

const char* XWI_HistoryAt(const XWI_History& h, int i)
{
    long off = EntryOffset(h, i);
    return off < 0 ? nullptr : h.list + off;
}

void XWI_HistoryClear(const XWI_History& h)
{
    memset(h.list, 0, h.capacity);
    *h.count = 0;
}

void XWI_HistoryPush(const XWI_History& h, const char* text)
{
    size_t len = strlen(text);
    if (len == 0 || len + 1 > h.capacity) return;
    // Rebuild into a scratch copy: the new text, then the older ones that are
    // different, as many as fit.
    char* scratch = new char[h.capacity]();
    memcpy(scratch, text, len + 1);
    size_t used = len + 1;
    int kept = 1;
    for (int i = 0; kept < XWI_HISTORY_MAX; ++i) {
        const char* old = XWI_HistoryAt(h, i);
        if (!old) break;
        if (strcmp(old, text) == 0) continue;
        size_t n = strlen(old) + 1;
        if (used + n > h.capacity) break;
        memcpy(scratch + used, old, n);
        used += n;
        ++kept;
    }
    memcpy(h.list, scratch, h.capacity);
    *h.count = kept;
    delete[] scratch;
}
