// Registry values under the program's own key, machine and user scope. Each
// test uses value names of its own: the cases run side by side.
#include <gtest/gtest.h>

#include <string>

#include "platform/qzt_runtime.h"

namespace {

const char* const KEY = "Software\\Torva\\Viewer";

void DeleteValue(HKEY root, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(root, KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
}

}  // namespace

TEST(Registry, UserValueRoundTripsWithOrWithoutNulInLength)
{
    const char* name = "Test Recent Filename";
    const char* path = "C:\\designs\\基板.tpw";
    char buffer[256];

    ASSERT_EQ(SetUserRegistry(path, (DWORD)strlen(path) + 1, REG_SZ, name), 1);
    ASSERT_EQ(GetUserRegistry(name, buffer), 1);
    EXPECT_STREQ(buffer, path);

    // A length without the NUL still stores the whole text, terminated.
    const char* shorter = "D:\\x.tpw";
    ASSERT_EQ(SetUserRegistry(shorter, (DWORD)strlen(shorter), REG_SZ, name), 1);
    ASSERT_EQ(GetUserRegistry(name, buffer), 1);
    EXPECT_STREQ(buffer, shorter);

    DeleteValue(HKEY_CURRENT_USER, name);
    strcpy(buffer, "stale");
    EXPECT_EQ(GetUserRegistry(name, buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(Registry, LongUserValueIsCutToTheBuffer)
{
    const char* name = "Test Long Value";
    std::string text(400, 'x');
    ASSERT_EQ(SetUserRegistry(text.c_str(), (DWORD)text.size() + 1, REG_SZ, name), 1);
    char buffer[300];
    memset(buffer, '#', sizeof buffer);
    ASSERT_EQ(GetUserRegistry(name, buffer), 1);
    EXPECT_EQ(strlen(buffer), 255u);
    EXPECT_EQ(buffer[256], '#') << "wrote past the 256-byte buffer";
    DeleteValue(HKEY_CURRENT_USER, name);
}

TEST(Registry, MachineValueIsStoredUnderTheProgramKey)
{
    const char* name = "Test BIN Path";
    const char* folder = "C:\\Torva";
    ASSERT_EQ(SetMachineRegistry(folder, (DWORD)strlen(folder), REG_SZ, name), 1);
    char data[64] = "";
    DWORD size = sizeof data;
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, KEY, name, RRF_RT_REG_SZ, nullptr, data, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(data, folder);
    DeleteValue(HKEY_LOCAL_MACHINE, name);
}
