// The concurrent-design service without a session: calls are logged with
// their words, element numbers come from the local counter, record blocks
// collect copies and are freed.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/qzt_mem.h"
#include "platform/qzt_runtime.h"

TEST(Mdmc, LogRecordsAChangeReportWordForWord)
{
    MDMC_ClearCallLog();
    unsigned char line[60] = {};
    // Mark, send the changed 60-byte line record, release: the sequence an
    // edit of one line reports.
    MDMC_UpdateData(nullptr, 4, 0x24010, 0, 0, 77, 0, 0, 0, 0, nullptr);
    MDMC_UpdateData(nullptr, 3, 0x24010, 0, 0, 77, 0, 0, 0, 60, line);
    MDMC_UpdateData(nullptr, 5, 0x24010, 0, 0, 77, 0, 0, 0, 0, nullptr);
    MDMC_UpdateData(nullptr, 3, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);  // end of batch

    std::vector<MdmcCall> log = MDMC_GetCallLog();
    ASSERT_EQ(log.size(), 4u);
    for (const MdmcCall& c : log) {
        EXPECT_EQ(c.call, "MDMC_UpdateData");
        ASSERT_EQ(c.words.size(), 11u);
        EXPECT_EQ(c.words[0], 0) << "the handle is always null";
    }
    EXPECT_EQ(log[0].words[1], 4);
    EXPECT_EQ(log[0].words[2], 0x24010);
    EXPECT_EQ(log[0].words[5], 77);
    EXPECT_EQ(log[1].words[1], 3);
    EXPECT_EQ(log[1].byteCount, 60);
    EXPECT_EQ(log[1].words[9], 60);
    EXPECT_EQ(log[1].words[10], (intptr_t)line);
    EXPECT_EQ(log[2].words[1], 5);
    EXPECT_EQ(log[3].words[2], 0);

    MDMC_ClearCallLog();
    EXPECT_TRUE(MDMC_GetCallLog().empty());
}

TEST(Mdmc, RecordBytesAreNeverReadWithoutASession)
{
    MDMC_ClearCallLog();
    // A whole fill page announced at an address that is not readable.
    MDMC_UpdateData(nullptr, 1, 0x44030, 0, 0, 5, 0, 0, 0, 57968, (const void*)0x10);
    MDMC_UpdateData2(nullptr, 1, 0x2060, 3, 12, 4, 0, 0, 1, 2, 0, 0, 0, 0, 8, (const void*)0x10);
    std::vector<MdmcCall> log = MDMC_GetCallLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].byteCount, 57968);
    EXPECT_EQ(log[1].call, "MDMC_UpdateData2");
    ASSERT_EQ(log[1].words.size(), 16u);
    EXPECT_EQ(log[1].words[4], 12);
    EXPECT_EQ(log[1].byteCount, 8);
}

TEST(Mdmc, ElementNumbersFollowTheInitialisedCounter)
{
    int number = -1;
    MDMC_ReqInitElementNo(nullptr, 500);
    MDMC_ReqElementNo(nullptr, &number, 1);
    EXPECT_EQ(number, 500);
    MDMC_ReqElementNo(nullptr, &number, 3);
    EXPECT_EQ(number, 501);
    MDMC_ReqElementNo(nullptr, &number, 1);
    EXPECT_EQ(number, 504) << "a count of 3 reserves three numbers";

    // 0 marks an unnumbered record, so numbering never hands it out.
    MDMC_ReqInitElementNo(nullptr, 0);
    MDMC_ReqElementNo(nullptr, &number, 1);
    EXPECT_EQ(number, 1);
}

TEST(Mdmc, NoSessionMeansOneMemberAndNoLimit)
{
    MDMC_ClearCallLog();
    EXPECT_EQ(MDMC_ReqMemberList(nullptr, 0, 0), 1);
    EXPECT_EQ(MDMC_GetDlgLimitLevel(), 0);
    HWND dlg = (HWND)0x1234;
    MDMC_SetDialogWnd(dlg);
    EXPECT_EQ(MDMC_GetDialogWnd(), dlg);
    MDMC_SetDialogWnd(nullptr);
    EXPECT_EQ(MDMC_GetDialogWnd(), nullptr);
    MDMC_EnterDialog(1, 157);
    std::vector<MdmcCall> log = MDMC_GetCallLog();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[4].call, "MDMC_EnterDialog");
    EXPECT_EQ(log[4].words, (std::vector<intptr_t>{1, 157}));
}

TEST(Mblk, PinReportCarriesBothRecordsAndFreesItsBlock)
{
    MDMC_ClearCallLog();
    unsigned char page[206];
    unsigned char pin[290];
    for (int i = 0; i < 206; ++i) page[i] = (unsigned char)i;
    for (int i = 0; i < 290; ++i) pin[i] = (unsigned char)(255 - i % 256);

    void* block = MBLK_Create(0, 0);
    ASSERT_NE(block, nullptr);
    block = MBLK_StoreMemBlock(block, page, 206, 1, 0);
    block = MBLK_StoreMemBlock(block, pin, 290, 2, 0);
    ASSERT_NE(block, nullptr);
    int size = MBLK_GetSize(block);
    const unsigned char* data = (const unsigned char*)MBLK_GetBlock(block);
    ASSERT_EQ(size, 8 + 206 + 8 + 290);
    int32_t head[2];
    memcpy(head, data, 8);
    EXPECT_EQ(head[0], 1);
    EXPECT_EQ(head[1], 206);
    EXPECT_EQ(memcmp(data + 8, page, 206), 0);
    memcpy(head, data + 8 + 206, 8);
    EXPECT_EQ(head[0], 2);
    EXPECT_EQ(head[1], 290);
    EXPECT_EQ(memcmp(data + 16 + 206, pin, 290), 0);

    MDMC_UpdateData(nullptr, 3, 0x740a0, 2, 0, 0, 0, 0, 0, size, data);
    MBLK_Release(block);
    EXPECT_EQ(MEM_GetCount("MBLK").blocks, 0);

    std::vector<MdmcCall> log = MDMC_GetCallLog();
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[0].call, "MBLK_Create");
    EXPECT_EQ(log[5].call, "MDMC_UpdateData");
    EXPECT_EQ(log[5].byteCount, size);
    EXPECT_EQ(log[6].call, "MBLK_Release");

    // Null blocks are accepted everywhere, as after a failed store.
    EXPECT_EQ(MBLK_StoreMemBlock(nullptr, pin, 10, 1, 0), nullptr);
    EXPECT_EQ(MBLK_GetSize(nullptr), 0);
    EXPECT_EQ(MBLK_GetBlock(nullptr), nullptr);
    MBLK_Release(nullptr);
}
