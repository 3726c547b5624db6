// Net names by net number, from the net pages of the PCB information record.
#include "platform/qzt_nets.h"

#include <cstring>

#include "platform/qzt_dam.h"
#include "platform/qzt_tables.h"

namespace {
constexpr int NET_NAME_AT = 16;
constexpr int NET_NAME_MAX = 64;
constexpr uint32_t NET_TABLE_SIZE = sizeof(PcbInfData::netPage) / sizeof(uint32_t);
}  // namespace

char* SigLin_GetNetNo2NetName(DdmContext* context, int netNo, char* buffer)
{
    if (!buffer) return buffer;
    buffer[0] = '\0';
    PcbInfData* inf = DDM_Open_PCBInfData(context);
    if (!inf || netNo <= 0 || (uint32_t)netNo > inf->netPageCount) return buffer;
    uint64_t slot = (uint64_t)inf->firstNetPage + (uint32_t)(netNo - 1);
    if (slot >= NET_TABLE_SIZE) return buffer;
    uint32_t pageNo = inf->netPage[slot];
    if (IsPagenoEmpty(pageNo)) return buffer;
    const char* page = (const char*)DAM_GetPage(nullptr, pageNo);
    if (!page) return buffer;
    // The stored name need not be terminated within its room.
    std::memcpy(buffer, page + NET_NAME_AT, NET_NAME_MAX);
    buffer[NET_NAME_MAX] = '\0';
    return buffer;
}
