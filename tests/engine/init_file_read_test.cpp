// The engine's reader of "torva.ini" in the program folder. All cases share
// that one file, so they run in one test, one after the other.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/qzt_runtime.h"

namespace {

struct IniCase {
    const char* name;
    const char* file;      // contents, or null for no file
    const char* key;
    const char* expected;  // null: the reader answers null
};

// clang-format off
const IniCase kIniCases[] = {
    {"no file",              nullptr,                                   "%Direct2D:", nullptr},
    {"empty file",           "",                                        "%Direct2D:", nullptr},
    {"key missing",          "%ZoomMAX:400\n",                          "%Direct2D:", nullptr},
    {"plain value",          "%ZoomMAX:400\n%Direct2D:Enable\n",        "%Direct2D:", "Enable"},
    {"key in other case",    "%DIRECT2D:disable\n",                     "%Direct2D:", "disable"},
    {"empty value",          "%Direct2D:\n",                            "%Direct2D:", ""},
    {"later line wins",      "%ALPHA_HOLE:0.2\n%ALPHA_HOLE:0.7\n",      "%ALPHA_HOLE:", "0.7"},
    {"CR LF line ends",      "%ALPHA_HOLE:0.5\r\n%Move:10\r\n",         "%ALPHA_HOLE:", "0.5"},
    {"last line unbroken",   "%Move:10\n%ALPHA_STRING:0.25",            "%ALPHA_STRING:", "0.25"},
    {"longer key not taken", "%ALPHA_SOLIDLINE:0.3\n",                  "%ALPHA_SOLID:", nullptr},
    {"key mid-line ignored", "x%Direct2D:Enable\n",                     "%Direct2D:", nullptr},
    {"value keeps colons",   "%pcbpath:C:\\designs\\\n",                "%pcbpath:", "C:\\designs\\"},
    {"Japanese value",       "%wpsname:基板一\n",                       "%wpsname:", "基板一"},
};
// clang-format on

bool WriteFile(const char* path, const char* contents)
{
    FILE* f = fopen(path, "wb");
    if (!f) return false;
    size_t n = strlen(contents);
    bool ok = fwrite(contents, 1, n, f) == n;
    return fclose(f) == 0 && ok;
}

}  // namespace

TEST(ReadTorvaInitFile, TableOfFiles)
{
    std::string path = ENV_GetBinPath("torva.ini");
    for (const IniCase& c : kIniCases) {
        remove(path.c_str());
        if (c.file) {
            ASSERT_TRUE(WriteFile(path.c_str(), c.file)) << c.name;
        }
        char buffer[256] = "untouched";
        const char* got = ReadTorvaInitFile(c.key, buffer);
        if (!c.expected) {
            EXPECT_EQ(got, nullptr) << c.name;
        } else {
            ASSERT_EQ(got, buffer) << c.name;
            EXPECT_STREQ(got, c.expected) << c.name;
        }
    }

    // A value too long for the 256-byte buffer is cut, never split inside a
    // two-byte character.
    std::string longValue = "a";
    for (int i = 0; i < 200; ++i) longValue += "漢";
    ASSERT_TRUE(WriteFile(path.c_str(), ("%wpsname:" + longValue + "\n").c_str()));
    char buffer[300];
    memset(buffer, '#', sizeof buffer);
    ASSERT_NE(ReadTorvaInitFile("%wpsname:", buffer), nullptr);
    EXPECT_EQ(strlen(buffer), 255u);
    EXPECT_EQ(std::string(buffer), longValue.substr(0, 255));
    EXPECT_EQ(buffer[256], '#');

    // A two-byte character across the limit is dropped whole.
    ASSERT_TRUE(WriteFile(path.c_str(), ("%wpsname:" + longValue.substr(1) + "\n").c_str()));
    ASSERT_NE(ReadTorvaInitFile("%wpsname:", buffer), nullptr);
    EXPECT_EQ(strlen(buffer), 254u);

    remove(path.c_str());
}
