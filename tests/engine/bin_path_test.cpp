// The program folder: the folder of the running executable with a trailing
// backslash, and file names in it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/qzt_runtime.h"

namespace {

std::string ModuleFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

}  // namespace

TEST(BinPath, FolderOfTheRunningProgramWithSeparator)
{
    std::string folder = ModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(std::string(ENV_GetBinPath("")), folder);
    EXPECT_EQ(std::string(ENV_GetBinPath(nullptr)), folder);
    EXPECT_EQ(std::string(ENV_GetBinPath("torva.ini")), folder + "torva.ini");
    EXPECT_EQ(std::string(ENV_GetBinPathEnvClass()), folder);
}

TEST(BinPath, SeveralResultsCanBeHeldAtOnce)
{
    // Copying the scratch file over the settings file takes two at once.
    const char* scratch = ENV_GetBinPath("$TEMP");
    const char* settings = ENV_GetBinPath("torva.ini");
    EXPECT_NE(scratch, settings);
    EXPECT_EQ(std::string(scratch), ModuleFolder() + "$TEMP");
    EXPECT_EQ(std::string(settings), ModuleFolder() + "torva.ini");
}

TEST(BinPath, NameTooLongGivesEmptyText)
{
    std::string name(MAX_PATH, 'a');
    EXPECT_STREQ(ENV_GetBinPath(name.c_str()), "");
    // A name that just fits still works.
    std::string fits(MAX_PATH - 1 - ModuleFolder().size(), 'b');
    EXPECT_EQ(std::string(ENV_GetBinPath(fits.c_str())), ModuleFolder() + fits);
}
