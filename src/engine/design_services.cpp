// The recent design and the data extent. The extent is the union of the page
// boxes the store keeps as records are added, over the pages that hold live
// records; a page box bounds centre lines and positions, not widths.
#include <cstring>

#include "platform/layout_page.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_design_services.h"
#include "platform/qzt_runtime.h"

extern "C" void ENV_SetRecentFile(const char* pathPair)
{
    if (!pathPair) return;
    char name[261];
    memcpy(name, pathPair + 260, 260);
    name[260] = '\0';
    SetUserRegistry(name, (DWORD)strlen(name) + 1, 1, "Recent Filename");
}

// Whether any record of a page of fixed-size records is live.
static bool HasLive(void* data)
{
    const DataPageHeader* h = (const DataPageHeader*)data;
    if (h->count <= 0) return false;
    if (h->recordSize < 4 || h->dataCode == DCODE_FILL || h->dataCode == DCODE_PART) return true;
    for (int i = 0; i < h->count; ++i) {
        uint32_t status;
        memcpy(&status, PageRecord(data, i, h->recordSize), 4);
        if (!(status & ES_DELETED)) return true;
    }
    return false;
}

extern "C" int FIG_AllDataCount(DdmContext* ctx, int32_t* c1, int32_t* c2, int, int, int, int, int, int, int)
{
    static const int codes[] = {DCODE_FILL, DCODE_TEXT, DCODE_LINE, DCODE_VIA, DCODE_FLASH, DCODE_PART_FLASH,
                                DCODE_PART, DCODE_PIN};
    bool any = false;
    int32_t box[4] = {0, 0, 0, 0};
    for (int code : codes) {
        for (void* page = dam_NextPage(nullptr, code, DAM_SEL_ALL, 0); page;
             page = dam_NextPage(page, code, DAM_SEL_ALL, 0)) {
            void* data = dam_GetDataAddress(page);
            if ((dam_Get_status_of_DataPH(data) & PS_SKIP) || !HasLive(data)) continue;
            int32_t a[4];
            dam_Get_area_of_DataPH(a, data);
            if (a[0] > a[2] || a[1] > a[3]) continue;
            if (!any) {
                memcpy(box, a, sizeof box);
                any = true;
                continue;
            }
            if (a[0] < box[0]) box[0] = a[0];
            if (a[1] < box[1]) box[1] = a[1];
            if (a[2] > box[2]) box[2] = a[2];
            if (a[3] > box[3]) box[3] = a[3];
        }
    }
    if (!any) return 0;
    if (c1) c1[0] = box[0], c1[1] = box[1];
    if (c2) c2[0] = box[2], c2[1] = box[3];
    return 1;
}
