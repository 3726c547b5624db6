// The tagged allocator. Each block carries a small header in front of the
// caller's bytes with its size and the index of its allocation tag, so that
// freeing under another tag still settles the right count.
#include "platform/qzt_mem.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct BlockHead {
    size_t size;
    unsigned tagIndex;
    unsigned magic;
};
// Keeps the caller's bytes 16-byte aligned, as the system heap does.
constexpr size_t HEAD = 16;
static_assert(sizeof(BlockHead) <= HEAD);
constexpr unsigned MAGIC = 0x4d454d42u;  // "BMEM"

struct TagCount {
    std::string tag;
    long long blocks = 0;
    long long bytes = 0;
};

std::mutex s_lock;
std::vector<TagCount> s_tags;
std::unordered_map<std::string, unsigned> s_tagIndex;
long long s_blocks = 0;
long long s_bytes = 0;

unsigned TagIndexLocked(const char* tag)
{
    std::string key = tag ? tag : "";
    auto it = s_tagIndex.find(key);
    if (it != s_tagIndex.end()) return it->second;
    unsigned index = (unsigned)s_tags.size();
    s_tags.push_back({key});
    s_tagIndex.emplace(key, index);
    return index;
}

BlockHead* HeadOf(void* block)
{
    return (BlockHead*)((char*)block - HEAD);
}

void Count(unsigned tagIndex, long long blocks, long long bytes)
{
    s_tags[tagIndex].blocks += blocks;
    s_tags[tagIndex].bytes += bytes;
    s_blocks += blocks;
    s_bytes += bytes;
}

}  // namespace

// Allocations that are to fail: under this tag, this many more.
static std::string s_failTag;
static int s_failCount = 0;

static bool FailsNow(const char* tag)
{
    std::lock_guard<std::mutex> guard(s_lock);
    if (s_failCount <= 0 || s_failTag != (tag ? tag : "")) return false;
    --s_failCount;
    return true;
}

extern "C" void* MemAlloc(HWND, size_t size, const char* tag)
{
    if (size > (size_t)-1 - HEAD) return nullptr;
    if (FailsNow(tag)) return nullptr;
    char* raw = (char*)std::calloc(1, HEAD + size);
    if (!raw) return nullptr;
    std::lock_guard<std::mutex> guard(s_lock);
    BlockHead* head = (BlockHead*)raw;
    head->size = size;
    head->tagIndex = TagIndexLocked(tag);
    head->magic = MAGIC;
    Count(head->tagIndex, 1, (long long)size);
    return raw + HEAD;
}

extern "C" void* MemReAlloc(HWND owner, void* block, size_t size, const char* tag)
{
    if (!block) return MemAlloc(owner, size, tag);
    if (size > (size_t)-1 - HEAD) return nullptr;
    BlockHead* head = HeadOf(block);
    if (head->magic != MAGIC) return nullptr;
    size_t oldSize = head->size;
    char* raw = (char*)std::realloc(head, HEAD + size);
    if (!raw) return nullptr;
    if (size > oldSize) std::memset(raw + HEAD + oldSize, 0, size - oldSize);
    std::lock_guard<std::mutex> guard(s_lock);
    head = (BlockHead*)raw;
    head->size = size;
    Count(head->tagIndex, 0, (long long)size - (long long)oldSize);
    return raw + HEAD;
}

extern "C" void MemFree(HWND, void* block, const char*)
{
    if (!block) return;
    BlockHead* head = HeadOf(block);
    if (head->magic != MAGIC) return;  // not ours: never free a foreign pointer
    {
        std::lock_guard<std::mutex> guard(s_lock);
        Count(head->tagIndex, -1, -(long long)head->size);
    }
    head->magic = 0;
    std::free(head);
}

void MEM_FailNext(const char* tag, int count)
{
    std::lock_guard<std::mutex> guard(s_lock);
    s_failTag = tag ? tag : "";
    s_failCount = count;
}

MemCount MEM_GetCount(const char* tag)
{
    std::lock_guard<std::mutex> guard(s_lock);
    if (!tag) return {s_blocks, s_bytes};
    auto it = s_tagIndex.find(tag);
    if (it == s_tagIndex.end()) return {0, 0};
    return {s_tags[it->second].blocks, s_tags[it->second].bytes};
}
