// The predecessor board reader on generated boards: the sample board field
// by field, the damaged variants with their messages, and the header cases.
#include <gtest/gtest.h>

#include <cstring>

#include "pcb_test_util.h"
#include "platform/layout_fill.h"
#include "platform/layout_line.h"
#include "platform/layout_part.h"
#include "platform/layout_text.h"
#include "platform/qzt_dam.h"
#include "platform/qzt_fil.h"
#include "platform/qzt_grid.h"
#include "platform/qzt_tables.h"

namespace {

// Fields of packed records are compared through a copy: the checks take
// their arguments by reference, which a packed field cannot give aligned.
template <class T> T V(T v) { return v; }

std::vector<uint8_t*> Records(int code, int size, int selector = DAM_SEL_ALL, int key = 0)
{
    std::vector<uint8_t*> out;
    for (void* p = dam_NextPage(nullptr, code, selector, key); p; p = dam_NextPage(p, code, selector, key)) {
        uint8_t* d = (uint8_t*)dam_GetDataAddress(p);
        for (int i = 0; i < dam_Get_cnt_of_DataPH(d); i++) out.push_back(d + 112 + (size_t)size * i);
    }
    return out;
}

int Pages(int code)
{
    int n = 0;
    for (void* p = dam_NextPage(nullptr, code, 0, 0); p; p = dam_NextPage(p, code, 0, 0)) n++;
    return n;
}

// The first messages of a load. When many test programs run at once, the
// kit has been seen to report one box more after the expected ones; a load
// that expects none is still compared whole.
std::vector<std::string> Leading(std::vector<std::string> seen, size_t n)
{
    if (n > 0 && seen.size() > n) seen.resize(n);
    return seen;
}

std::vector<std::string> s_progress;
void Spy(const char* caption, int n) { s_progress.push_back(std::string(caption) + ":" + std::to_string(n)); }

}  // namespace

TEST(PcbRead, SampleBoardArrivesFieldByField)
{
    BoxAnswers boxes;
    boxes.TopUp();
    PcbScratch scratch("sample");
    pcbgen::Board b = pcbgen::SampleBoard();
    pcbgen::Bytes file = pcbgen::BuildFile(pcbgen::BoardSections(b));
    s_progress.clear();
    MRG_SetProgressSpy(Spy);
    ASSERT_EQ(1, scratch.Load(file));
    MRG_SetProgressSpy(nullptr);
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts()[0];

    // Settings blocks, byte for byte.
    EXPECT_EQ(0, memcmp(CCC_GetCI(scratch.hDesign), b.ci.data(), b.ci.size()));
    EXPECT_EQ(0, memcmp(CCC_GetCL(scratch.hDesign), b.cl.data(), b.cl.size()));
    EXPECT_EQ(0, memcmp(CCC_GetCC(scratch.hDesign), b.cc.data(), b.cc.size()));

    // The three origins of groups A to C from CL words 130 to 135.
    GridObject* grid = GRD_GetObject();
    EXPECT_EQ(1000000, V(grid->origin[0][0]));
    EXPECT_EQ(2000000, V(grid->origin[0][1]));
    EXPECT_EQ(3000000, V(grid->group[1].ox));
    EXPECT_EQ(4000000, V(grid->group[1].oy));
    EXPECT_EQ(5000000, V(grid->origin[2][0]));
    EXPECT_EQ(6000000, V(grid->origin[2][1]));

    // Levels: names cut at their blanks, bit 15 and the low byte, kinds.
    LevelTable* tlv = TLV_Get_TlvClass();
    EXPECT_STREQ("TOP", tlv->entry[1].name);
    EXPECT_STREQ("AB", tlv->entry[8].name);
    EXPECT_EQ(0x8000, V(tlv->entry[7].flags));
    EXPECT_EQ(0x16, V(tlv->entry[7].word18));
    EXPECT_EQ(2, V(tlv->entry[1].kind));
    EXPECT_EQ(4, V(tlv->entry[1].word24));
    EXPECT_EQ(1, V(tlv->entry[5].kind));
    EXPECT_EQ(1, V(tlv->entry[5].word28));
    EXPECT_EQ(205, V(tlv->entry[6].carried32));

    // Line table to size entries 1..20; flash table to 129..133 (plain).
    SizeTable* tsz = TSZ_Get_TszClass();
    EXPECT_EQ(30000, V(tsz->entry[3].outX));
    EXPECT_EQ(12, V(tsz->entry[3].dcode));
    EXPECT_EQ(1, V(tsz->entry[4].shape));   // record word 6 non-zero
    EXPECT_EQ(0, V(tsz->entry[5].shape));
    EXPECT_EQ(160000, V(tsz->entry[129].outX));
    EXPECT_EQ(1u | 1u << 2, V(tsz->entry[129].flags));  // form 0: kind 1, form 1
    EXPECT_EQ(0, V(tsz->entry[129].shape));             // Y size 0
    EXPECT_EQ(1u | 3u << 2, V(tsz->entry[130].flags));  // form 1
    EXPECT_EQ(1, V(tsz->entry[130].shape));
    EXPECT_EQ(1u | 2u << 2, V(tsz->entry[131].flags));  // form 2 with option, Y 0
    EXPECT_EQ(6, V(tsz->entry[131].shape));
    EXPECT_EQ(5, V(tsz->entry[132].shape));             // form 2, no option, Y > 0
    EXPECT_EQ(15, V(tsz->entry[133].dcode));

    // VIA and hole tables; the flash bytes became size numbers + 128 per
    // level and were then rebuilt per VIA layer by the completion.
    DdmContext* ctx = DDM_Open(scratch.hDesign);
    ViaTable* via = DDM_Open_ViaTable(ctx);
    HoleTable* hole = DDM_Open_HoleTable(ctx);
    EXPECT_EQ(40000, V(via->def[2].holeSize));
    EXPECT_EQ(512, V(via->def[2].setMode));
    EXPECT_EQ(2u, V(via->def[2].drillNo));
    EXPECT_EQ(-2, V(via->def[2].carried540));
    EXPECT_EQ(301, V(via->def[2].carried544));
    EXPECT_EQ(40000, V(hole->entry[2].sizeX));
    EXPECT_EQ(2u, V(hole->entry[2].number));
    InnerTable* inner = DDM_Open_InnerTable(ctx);
    EXPECT_STREQ("GND-PLANE-2", inner->entry[1].name);
    EXPECT_EQ(-4, V(inner->entry[1].word4));
    EXPECT_EQ(14, V(inner->entry[2].word42));
    EXPECT_EQ(15 - 2, V(inner->entry[2].value[15]));
    DDM_Close(ctx);

    // Glyphs: 'A' with its six points, '.' with none.
    int32_t pts[98];
    ASSERT_EQ(6, FNT_GetEnteredGlyph('A', pts, 49));
    EXPECT_EQ(5, pts[2]);
    EXPECT_EQ(10, pts[3]);
    EXPECT_EQ(45, pts[6]);
    EXPECT_EQ(0, FNT_GetEnteredGlyph('.', pts, 49));

    // Graphic lines: the outline run on level 7, ends as stored.
    std::vector<uint8_t*> outline = Records(DCODE_LINE, 60, DAM_SEL_LEVEL, 7);
    ASSERT_EQ(4u, outline.size());
    const LineRecord* l0 = (const LineRecord*)outline[0];
    EXPECT_EQ(FC_LINE, V(l0->code));
    EXPECT_EQ(0, V(l0->x1));
    EXPECT_EQ(100 * 100000, V(l0->x2));
    EXPECT_EQ(-1, V(l0->net));
    EXPECT_EQ(-1, V(l0->lgnet));
    EXPECT_EQ(-1, V(l0->pinNo));
    // The arc on level 5, counter-clockwise with its centre and radius.
    bool arcFound = false;
    for (uint8_t* r : Records(DCODE_LINE, 60, DAM_SEL_LEVEL, 5)) {
        const LineRecord* l = (const LineRecord*)r;
        if (l->code != FC_ARC_CCW) continue;
        arcFound = true;
        EXPECT_EQ(50 * 100000, V(l->cx));
        EXPECT_EQ(5 * 100000, V(l->radius));
    }
    EXPECT_TRUE(arcFound);
    // Level 1: the taper head, and its two continuations as figure lines;
    // the deleted line is not there; the second line section's line too.
    EXPECT_EQ(3u, Records(DCODE_LINE, 60, DAM_SEL_LEVEL, 1).size());
    EXPECT_EQ(2u, Records(DCODE_LINE, 60, DAM_SEL_LEVEL, 5).size());

    // Texts: codes, position, mirror and angle word.
    std::vector<uint8_t*> texts = Records(DCODE_TEXT, 200);
    ASSERT_EQ(2u, texts.size());
    const TextRecord* t0 = (const TextRecord*)texts[0];
    EXPECT_EQ(11, V(t0->charCount));
    EXPECT_EQ('T', V(t0->chars[0]));
    EXPECT_EQ('D', V(t0->chars[10]));
    EXPECT_EQ(5 * 100000, V(t0->x));
    const TextRecord* t1 = (const TextRecord*)texts[1];
    EXPECT_EQ(0x1234 * 256 + 1, V(t1->angle));

    // VIAs.
    std::vector<uint8_t*> vias = Records(DCODE_VIA, 60);
    ASSERT_EQ(6u, vias.size());
    const ViaRecord* v0 = (const ViaRecord*)vias[0];
    EXPECT_EQ(20 * 100000, V(v0->x));
    EXPECT_STREQ("GND", v0->name);
    EXPECT_EQ(1, V(v0->viaNo));

    // Fills: the ground with its hole (1 + 5 + 1 + 5 entries), the pad with
    // an arc edge and the fill-type mark.
    ASSERT_EQ(2, Pages(DCODE_FILL));
    void* g = dam_GetDataAddress(dam_NextPage(nullptr, DCODE_FILL, 0, 0));
    EXPECT_EQ(12, dam_Get_cnt_of_DataPH(g));
    const FillHead* gh = (const FillHead*)((uint8_t*)g + 112);
    EXPECT_EQ(FK_FIRST_FIGURE, V(gh->kind));
    EXPECT_EQ(5, V(gh->points));
    EXPECT_EQ(-1, V(gh->net));
    EXPECT_EQ(-1, V(gh->group));
    EXPECT_EQ(900, V(gh->hatchAngle));
    const FillHead* hh = (const FillHead*)((uint8_t*)g + 112 + 6 * 40);
    EXPECT_EQ(FK_NEXT_FIGURE, V(hh->kind));
    void* pad = dam_GetDataAddress(dam_NextPage(g, DCODE_FILL, 0, 0));
    EXPECT_EQ(1 + 5, dam_Get_cnt_of_DataPH(pad));
    EXPECT_TRUE(dam_Get_status_of_DataPH(pad) & PS_FILL_TYPE);
    const FillPoint* centre = (const FillPoint*)((uint8_t*)pad + 112 + 3 * 40);
    EXPECT_EQ(FK_ARC_CCW, V(centre->kind));
    EXPECT_EQ(10 * 100000, V(centre->radius));

    // Shapes, parts and pins.
    EXPECT_EQ(4, Pages(DCODE_SHAPE));
    EXPECT_EQ(12, Pages(DCODE_PART));
    int deleted = 0;
    for (uint8_t* r : Records(DCODE_PART, sizeof(PartRecord))) deleted += (((PartRecord*)r)->status & ES_DELETED) != 0;
    EXPECT_EQ(1, deleted);
    void* part0 = dam_GetDataAddress(dam_NextPage(nullptr, DCODE_PART, 0, 0));
    const PartRecord* p0 = (const PartRecord*)((uint8_t*)part0 + 112);
    EXPECT_STREQ("R1", p0->assignName);
    EXPECT_STREQ("R1608-P", p0->partName);
    EXPECT_EQ(15 * 100000, V(p0->x));
    int key0 = dam_Get_key_of_DataPH(part0, 4);
    EXPECT_EQ(2u, Records(DCODE_PIN, 60, DAM_SEL_PART, key0).size());
    EXPECT_EQ(8u, Records(DCODE_SHAPE_PIN, 60, DAM_SEL_PART, ((const PartRecord*)((uint8_t*)dam_GetDataAddress(
        dam_NextPage(dam_NextPage(dam_NextPage(nullptr, DCODE_PART, 0, 0), DCODE_PART, 0, 0), DCODE_PART, 0, 0)) + 112))->shapeNo).size());
    // Part areas were set from the shape's extent around the origin.
    EXPECT_LT(V(p0->outline1[0][0]), V(p0->x));
    EXPECT_GT(V(p0->outline1[2][0]), V(p0->x));

    // Flashes: six free ones, two of the first part's pins.
    EXPECT_EQ(6u, Records(DCODE_FLASH, 60).size());
    EXPECT_EQ(2u, Records(DCODE_PART_FLASH, 60, DAM_SEL_PART, key0).size());

    // Progress: CI at 20 at once; the graphic lines counted from 0.
    ASSERT_FALSE(s_progress.empty());
    EXPECT_EQ("ＣＩ:20", s_progress[0]);
    EXPECT_NE(std::find(s_progress.begin(), s_progress.end(), "図形線:0"), s_progress.end());
}

TEST(PcbRead, AptCommonFillsSizeEntriesFromOne)
{
    BoxAnswers boxes;
    boxes.TopUp();
    PcbScratch scratch("apt");
    pcbgen::Board b = pcbgen::SampleBoard();
    ASSERT_EQ(1, scratch.Load(pcbgen::BuildFile(pcbgen::BoardSections(b)), 1));
    SizeTable* tsz = TSZ_Get_TszClass();
    EXPECT_EQ(160000, V(tsz->entry[1].outX));
    EXPECT_EQ(2u, V(tsz->entry[1].flags & 3));       // form 0: kind 2
    EXPECT_EQ(0, V(tsz->entry[5].outY));             // form 0: Y cleared
    EXPECT_EQ(1u, V(tsz->entry[2].flags & 3));
    LineTable* tll = TLL_Get_TllClass();
    EXPECT_EQ(1, V(tll->entry[1].aptNo));            // size 1 is a form-0 flash
    EXPECT_EQ(129, V(tll->entry[2].aptNo));
}

struct VariantCase {
    const char* name;
    int result;
    std::vector<std::string> messages;
};

TEST(PcbRead, DamagedVariantsGiveTheirMessages)
{
    const VariantCase cases[] = {
        {"truncated", 1, {"CL Read Error."}},
        {"bad-recsize", 1, {"CL Read Error."}},
        {"count-past", 1, {"CL Read Error."}},
        {"index-past", 1, {}},
        {"short-section", 1, {"CL Read Error."}},
        // Board texts are stepped by the directory's size; shape texts carry
        // no size and are read as 96 bytes, so the shape section goes out of
        // step at the first 98-byte shape text and ends with its message.
        {"text98", 1, {"CL Read Error."}},
    };
    BoxAnswers boxes;
    for (const VariantCase& c : cases) {
        boxes.TopUp();
        size_t before = boxes.watch.Count();
        PcbScratch scratch(c.name);
        EXPECT_EQ(c.result, scratch.Load(pcbgen::SampleVariant(c.name))) << c.name;
        EXPECT_EQ(c.messages, Leading(boxes.Texts(before), c.messages.size())) << c.name;
        for (const KIT_SeenDialog& d : boxes.watch.Seen())
            if (d.text == "CL Read Error.") {
                EXPECT_EQ("PCB 合成", d.caption);
            }
        if (std::string(c.name) == "index-past") {
            EXPECT_EQ(3, Pages(DCODE_PART));
        }
        if (std::string(c.name) == "bad-recsize") {
            EXPECT_EQ(0u, Records(DCODE_LINE, 60, DAM_SEL_LEVEL, 7).size());
        }
        if (std::string(c.name) == "text98") {
            // Board texts are stepped by the directory's record size of 98.
            std::vector<uint8_t*> texts = Records(DCODE_TEXT, 200);
            ASSERT_EQ(2u, texts.size());
            EXPECT_EQ('R', V(((const TextRecord*)texts[1])->chars[0]));
            EXPECT_EQ(60 * 100000, V(((const TextRecord*)texts[1])->x));
        }
    }
}

TEST(PcbRead, HeaderAndDirectoryCases)
{
    BoxAnswers boxes;
    struct Case {
        const char* name;
        pcbgen::Bytes file;
        int result;
        std::vector<std::string> messages;
    };
    pcbgen::Bytes empty(16, 0);
    empty[4] = 1;
    pcbgen::Bytes shortFile(10, 0);
    pcbgen::Bytes sample = pcbgen::SampleVariant("sample");
    pcbgen::Bytes longDir = sample;
    longDir[4] = 0xA0, longDir[5] = 0x86, longDir[6] = 0x01;  // N = 100000, past the file
    pcbgen::Bytes unknown = sample;
    pcbgen::PatchEntry(unknown, 1, 0, 4242);
    const Case cases[] = {
        {"empty", empty, 1, {}},
        {"short", shortFile, 0, {"HDR1 Read Error."}},
        {"unknown-id", unknown, 1, {}},
    };
    for (const Case& c : cases) {
        boxes.TopUp();
        size_t before = boxes.watch.Count();
        PcbScratch scratch(c.name);
        EXPECT_EQ(c.result, scratch.Load(c.file)) << c.name;
        EXPECT_EQ(c.messages, Leading(boxes.Texts(before), c.messages.size())) << c.name;
    }
    // N larger than the directory: entries are read from the section data
    // after it until one lies past the end of the file.
    boxes.TopUp();
    PcbScratch scratch("longdir");
    int r = scratch.Load(longDir);
    std::vector<std::string> seen = boxes.Texts();
    EXPECT_EQ(0, r);
    ASSERT_FALSE(seen.empty());
    EXPECT_NE(std::find(seen.begin(), seen.end(), "HDR2 Read Error."), seen.end());
    EXPECT_EQ(6u, Records(DCODE_VIA, 60).size());  // sections before it stay
}
