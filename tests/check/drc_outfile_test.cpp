// The text output-file helpers: exact bytes appended, and the three failures
// (unwritable file, full disk, failed close) each with its own message.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "check/drc_outfile.h"
#include "kit/gui_kit.h"

namespace {

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

std::string ReadAll(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out(1 << 16, '\0');
    DWORD n = 0;
    ReadFile(h, out.data(), (DWORD)out.size(), &n, nullptr);
    CloseHandle(h);
    out.resize(n);
    return out;
}

}  // namespace

TEST(DrcOutFile, CreatesAppendsAndClosesWithExactBytes)
{
    std::string path = TempPath("drc_outfile_exact.txt");
    {
        HANDLE old = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n;
        WriteFile(old, "stale contents that must go", 27, &n, nullptr);
        CloseHandle(old);
    }
    KIT_DialogWatch watch;
    HANDLE h = DRC_OutFileOpen(nullptr, path.c_str(), CREATE_ALWAYS);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(DRC_OutFileWrite(nullptr, h, "line 1\r\n"), 1);
    // A writer that moved the position must still append.
    SetFilePointer(h, 0, nullptr, FILE_BEGIN);
    EXPECT_EQ(DRC_OutFileWrite(nullptr, h, "距離 2\r\n"), 1);
    EXPECT_EQ(DRC_OutFileWrite(nullptr, h, ""), 1);
    // Share mode 0: nobody else opens it meanwhile.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    EXPECT_EQ(DRC_OutFileClose(nullptr, h), 1);
    EXPECT_EQ(ReadAll(path), std::string("line 1\r\n") + "距離 2\r\n");
    EXPECT_EQ(watch.Count(), 0u);
    DeleteFileA(path.c_str());
}

TEST(DrcOutFile, NullHandleClosesWithoutMessage)
{
    KIT_DialogWatch watch;
    EXPECT_EQ(DRC_OutFileClose(nullptr, nullptr), 1);
    EXPECT_EQ(watch.Count(), 0u);
}

TEST(DrcOutFile, UnwritableFileGivesTheOpenErrorAndNull)
{
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    std::string path = TempPath("no_such_folder_drc\\out.txt");
    EXPECT_EQ(DRC_OutFileOpen(nullptr, path.c_str(), CREATE_ALWAYS), nullptr);
    ASSERT_TRUE(watch.WaitForCount(1));
    EXPECT_EQ(watch.Seen()[0].caption, "ファイルオープンエラー");
}

TEST(DrcOutFile, FailedWriteIsReportedAndReturnsZero)
{
    // A handle without write access: WriteFile fails outright.
    std::string path = TempPath("drc_outfile_ro.txt");
    HANDLE mk = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(mk);
    HANDLE ro = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(ro, INVALID_HANDLE_VALUE);
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    EXPECT_EQ(DRC_OutFileWrite(nullptr, ro, "text\r\n"), 0);
    ASSERT_TRUE(watch.WaitForCount(1));
    EXPECT_EQ(watch.Seen()[0].text, "DRC File Write Error.");
    EXPECT_EQ(DRC_OutFileClose(nullptr, ro), 1);
    DeleteFileA(path.c_str());
}

TEST(DrcOutFile, FullDiskIsAWriteErrorNotSuccess)
{
    // The host's always-full device: every write fails with "no space".
    HANDLE h = CreateFileA("Z:\\dev\\full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no full device on this host";
    KIT_DialogWatch watch;
    watch.Answer(IDOK);
    EXPECT_EQ(DRC_OutFileWrite(nullptr, h, "a line that does not fit\r\n"), 0);
    ASSERT_TRUE(watch.WaitForCount(1));
    EXPECT_EQ(watch.Seen()[0].text, "DRC File Write Error.");
    EXPECT_EQ(watch.Seen()[0].caption, "エラー") << "system default caption expected; got " << watch.Seen()[0].caption;
    CloseHandle(h);
}
