// Data pages: walking the pages of a DataCode, reading and writing their
// headers, adding and deleting pages, and the page-number services.
//
// A page handle is the page's data address: the 112-byte header
// (layout_page.h) followed by the records. Pages never move while the work
// space is open, so callers may keep page and record addresses across calls.
#pragma once
#include <cstdint>

#include "platform/layout_design.h"
#include "platform/layout_page.h"

extern "C" {

// The next page of `code` after `prev` (the first with prev = 0), 0 after the
// last. Selector 0 every page, 1 the pages whose key 1 (level) equals `key`,
// 4 the pages whose key 4 (part or shape key) equals `key`. Every page of the
// selection is yielded, skip-marked pages and deleted records included: the
// callers test the page status and the records' ElementStatus.
void* dam_NextPage(void* prev, int code, int selector, int key);
void* dam_PrevPage(void* next, int code, int selector, int key);
void* dam_GetDataAddress(void* page);
// The fill page (or any page) of that page number, 0 when none.
void* dam_GetDataInPage(int code, uint32_t pageNo);
int dam_Get_cnt_of_DataPH(const void* data);
void dam_Set_cnt_of_DataPH(void* data, int count);
void dam_Add_cnt_of_DataPH(void* data, int n);
int dam_Get_max_of_DataPH(const void* data);
void dam_Set_max_of_DataPH(void* data, int max);
// Key k (1 to 4) as a 16-bit value.
int dam_Get_key_of_DataPH(const void* data, int k);
// The 16-bit page status (PS_ bits).
short dam_Get_status_of_DataPH(const void* data);
void dam_Set_status_of_DataPH(void* data, int status);
// {min x, min y, max x, max y}; note the box comes first in the get call.
void dam_Get_area_of_DataPH(int32_t* box, const void* data);
void dam_Set_area_of_DataPH(void* data, const int32_t* box);
// A new page of `code` of `byteSize` bytes (fill pages are never smaller than
// 57968) with key 1 = level, key 3 and key 4; the page number is written to
// *pageNo. 0 when the work space is full.
void* dam_AppendPage(int code, int byteSize, int level, int key2, int key3, int key4,
                     uint32_t* pageNo);
void dam_DeletePage(int code, uint32_t pageNo);
int dam_GetDataSize(const void* page);
uint32_t dam_GetPageNo(const void* page);
void* dam_GetPageFromDataAdr(const void* address);
// Forgets the search state of every page walk (before a design is opened).
void dam_Clear2(void* hFrame);

// The page of a page number through the page manager (word 2 of the
// context; null takes the open design's). Figure pages of a symbol's figure
// group give the address of their first record, the header 112 bytes before.
void* DAM_GetPage(void* pageManager, uint32_t pageNo);
// The page code (PC_) of a page reached by DAM_GetPage.
uint32_t DAM_GetPageCode(const void* page);
// The number of records of a page.
int DAM_GetCount(void* pageManager, const void* page);
uint32_t DAM_GetPageNo(const void* page);
uint32_t MakeDAMPageNo(int high, int low);
// Non-zero when the page number names no page.
int IsPagenoEmpty(uint32_t pageNo);

}
