// The engine's tagged allocator. Every heap block of the program comes from
// here; the tag names the operation that asked for it, and a per-tag count of
// live blocks and bytes lets a test see a leak.
#pragma once
#include <windows.h>
#include <cstddef>

extern "C" {
// A zero-filled block of `size` bytes, or 0 when memory runs out.
void* MemAlloc(HWND hOwner, size_t size, const char* tag);
// The block resized to `size` (new bytes zero-filled), or 0; on 0 the old
// block stays valid and owned by the caller.
void* MemReAlloc(HWND hOwner, void* block, size_t size, const char* tag);
// Frees a block; a null block is accepted. The tag may differ from the one
// the block was allocated with (a request is made by "CreateRequest" and
// freed by "CloseRequest"): accounting follows the block's allocation tag.
void MemFree(HWND hOwner, void* block, const char* tag);
}

// Accounting for tests and the leak report: live blocks and bytes, in total
// (tag null) or for one allocation tag.
struct MemCount {
    long long blocks;
    long long bytes;
};
MemCount MEM_GetCount(const char* tag);
// For tests of what happens when memory runs out: the next `count`
// allocations under `tag` fail as if memory had run out (0 ends it).
void MEM_FailNext(const char* tag, int count);
