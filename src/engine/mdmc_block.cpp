// Record blocks for change reports that carry several records at once (a pin
// with its page): each store appends the item number, the size and a copy of
// the bytes. The handle stays put while the data grows behind it.
#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"
#include "engine/mdmc_log.h"

#include <cstring>

namespace {

const char* const TAG = "MBLK";

struct Block {
    char* data;
    int size;
    int capacity;
};

intptr_t W(const void* p) { return (intptr_t)p; }

}  // namespace

void* MBLK_Create(int w1, int w2)
{
    MDMC_LogBlockCall("MBLK_Create", {w1, w2});
    return MemAlloc(nullptr, sizeof(Block), TAG);
}

void* MBLK_StoreMemBlock(void* block, const void* address, int size, int itemNo, int w5)
{
    MDMC_LogBlockCall("MBLK_StoreMemBlock", {W(block), W(address), size, itemNo, w5});
    Block* b = (Block*)block;
    if (!b) return nullptr;
    if (size < 0 || (size > 0 && !address)) return b;
    const int head = 2 * (int)sizeof(int32_t);
    if (size > 0x7fffffff - head - b->size) {
        MBLK_Release(b);
        return nullptr;
    }
    int need = b->size + head + size;
    if (need > b->capacity) {
        int capacity = b->capacity < 0x3fffffff / 2 ? b->capacity * 2 : need;
        if (capacity < need) capacity = need;
        char* data = (char*)MemReAlloc(nullptr, b->data, (size_t)capacity, TAG);
        if (!data) {
            MBLK_Release(b);
            return nullptr;
        }
        b->data = data;
        b->capacity = capacity;
    }
    int32_t words[2] = {itemNo, size};
    memcpy(b->data + b->size, words, sizeof words);
    if (size > 0) memcpy(b->data + b->size + head, address, (size_t)size);
    b->size = need;
    return b;
}

int MBLK_GetSize(void* block)
{
    MDMC_LogBlockCall("MBLK_GetSize", {W(block)});
    return block ? ((Block*)block)->size : 0;
}

void* MBLK_GetBlock(void* block)
{
    MDMC_LogBlockCall("MBLK_GetBlock", {W(block)});
    return block ? ((Block*)block)->data : nullptr;
}

void MBLK_Release(void* block)
{
    MDMC_LogBlockCall("MBLK_Release", {W(block)});
    Block* b = (Block*)block;
    if (!b) return;
    MemFree(nullptr, b->data, TAG);
    MemFree(nullptr, b, TAG);
}
