// Design-wide records: the database context of DDM_Open, the PCB information
// record, the common settings record of the option panels, the DRC parameter
// block and the sizes of the predecessor settings blocks.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// The context DDM_Open gives. Its third word is the page manager that
// DAM_GetPage and DAM_GetCount take (widened to a pointer).
struct DdmContext {
    void* design;             // the work space (hDesign)
    void* env;                // the environment record
    void* pageManager;        // word 2
    uint32_t magic;
    int32_t formatDrcCount;   // entries of the context's format DRC table
};

// PCB information record (DDM_Open_PCBInfData).
struct PcbInfData {
    char writer[64];          // 0: file name of the program that last wrote the design
    int32_t partCount;        // 64
    uint8_t reserved0[612 - 68];
    uint32_t firstNetPage;    // 612: index of the first net page
    uint32_t reserved1[2];    // 616
    uint32_t netPageCount;    // 624
    uint32_t reserved2[4];    // 628
    uint32_t netPage[65536];  // 644: net page numbers
};

// The data of a net page (DAM_GetPage on a number of PcbInfData::netPage),
// from byte 112 of the page; the net's name stands 16 bytes into the page
// (DataPageHeader::name). Net number n (from 1) is the page at place
// firstNetPage + n - 1 of the table.
struct NetPageData {
    uint16_t word112;         // 112
    uint32_t subPageCount;    // 114: sub-pages listed below
    uint8_t reserved[6];      // 118
    uint32_t subPage[1];      // 124: sub-page numbers, as many as the page holds
};
constexpr int NET_PAGE_SIZE = 256;  // room for 33 sub-page numbers

// The common settings record (DDM_Open_PDSCommon): three groups of seven
// words at 4314, 4342 and 4370, the taper width at 4522.
struct PdsCommonGroup {
    int32_t smooth;
    int32_t taperLength;
    int32_t defViaMode;       // 0 VIA numbers, 1 defined VIAs
    int32_t viaNo;
    int32_t defViaNo;
    int32_t lineNo;
    int32_t singleBox;        // 0 "ｼﾝｸﾞﾙ", 2 "ＢＯＸ"; group 1: the pick mode (byte 4338)
};

struct PdsCommon {
    int32_t autoScale;        // the mirrors of the ratsnest panel
    int32_t resDrc;
    int32_t contrast;
    int32_t al;
    int32_t viaChoice;
    int32_t viaValue;
    int32_t clearance;
    uint8_t reserved0[4314 - 28];
    PdsCommonGroup group[3];  // 4314
    uint8_t reserved1[4522 - 4398];
    int32_t taperWidth;       // 4522
    uint8_t tail[4608 - 4526];
};

// DRC parameter block (DDM_OpenDRCParam): 32-bit words; the result path at 32.
struct DrcParam {
    int32_t word[8];          // 0
    char resultPath[260];     // 32
    uint8_t gap[337 * 4 - 292];
    int32_t pair[10][2];      // words 337-346 (ten pair settings)
    uint8_t tail[4096 - 337 * 4 - 80];
};

#pragma pack(pop)

// Sizes of the predecessor settings blocks CI (16-bit words), CL (32-bit
// words) and CC (bytes): larger than the writer's 400, 800 and 1600 bytes.
constexpr int CCC_CI_SIZE = 2048;
constexpr int CCC_CL_SIZE = 2048;
constexpr int CCC_CC_SIZE = 2048;

static_assert(offsetof(DdmContext, pageManager) == 2 * sizeof(void*));
static_assert(offsetof(PcbInfData, firstNetPage) == 612);
static_assert(offsetof(PcbInfData, netPageCount) == 624);
static_assert(offsetof(PcbInfData, netPage) == 644);
static_assert(112 + offsetof(NetPageData, subPageCount) == 114);
static_assert(112 + offsetof(NetPageData, subPage) == 124);
static_assert(sizeof(PdsCommonGroup) == 28);
static_assert(offsetof(PdsCommon, group) == 4314);
static_assert(offsetof(PdsCommon, group) + 24 == 4338);
static_assert(offsetof(PdsCommon, taperWidth) == 4522);
static_assert(sizeof(PdsCommon) == 4608);
static_assert(offsetof(DrcParam, resultPath) == 32);
static_assert(offsetof(DrcParam, pair) == 337 * 4);
static_assert(sizeof(DrcParam) == 4096);
