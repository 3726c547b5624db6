// The PCB information case of the pre-command dialogs, with a PCB
// information dialog of this test that has only OK and cancel: a confirmed
// dialog that changed the view mode shows the new mode on the attribute
// bar's view-mode button; a cancelled one or an unchanged mode leaves it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/pre_command.h"
#include "app/rot_dispatch.h"
#include "dispatch_fixture.h"
#include "kit/gui_kit.h"
#include "platform/qzt_env.h"
#include "platform/qzt_wps.h"

namespace {

class PcbInformation : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path_ = std::string(dir) + "pcbinfo_" + std::to_string(GetCurrentProcessId()) + ".wps";
        DeleteFileA(path_.c_str());
        ASSERT_NE(WPS_Open(path_.c_str()), nullptr);
        f = DF_Create();
        button_ = CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, 0, 40, 20,
                                f->attrBar, (HMENU)464, GetModuleHandleA(nullptr), nullptr);
        gridName_ = CreateWindowA("STATIC", "G", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, f->settingBar, (HMENU)222,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        if (f) DF_Destroy(f);
        WPS_Delete(path_.c_str());
    }

    std::string ButtonText()
    {
        char text[32] = "";
        GetWindowTextA(button_, text, sizeof text);
        return text;
    }

    std::string path_;
    DispatchFixture* f = nullptr;
    HWND button_ = nullptr;
    HWND gridName_ = nullptr;
};

}  // namespace

TEST_F(PcbInformation, ConfirmedNewViewModeIsShownOnTheViewModeButton)
{
    struct Case {
        const char* name;
        int answer;
        int envMode;
        int shownMode;
        std::string text;
        int check;
        int result;
    } cases[] = {
        {"mirrored left-right", IDOK, 1, 0, KIT_Sjis(u8"左右"), 0, 1},
        {"mirrored top-bottom", IDOK, 2, 1, KIT_Sjis(u8"上下"), 0, 1},
        {"back to normal", IDOK, 0, 2, KIT_Sjis(u8"標準"), 0, 1},
        {"cancelled", IDCANCEL, 1, 0, "old", 1, 0},
        {"mode unchanged", IDOK, 2, 2, "old", 1, 1},
    };
    for (const Case& c : cases) {
        SetWindowTextA(button_, "old");
        SendMessageA(button_, BM_SETCHECK, 1, 0);
        ENV_SetViewMode(ENV_GetENVClass(), c.envMode);
        f->cs.viewMode = (int16_t)c.shownMode;
        KIT_DialogWatch watch;
        watch.Answer(c.answer, KIT_Sjis(u8"ＰＣＢ情報"));
        int r = ROT_PreCommandDialog(f->frame, 40037);
        ASSERT_EQ(watch.Count(), 1u) << c.name;
        EXPECT_EQ(r, c.result) << c.name;
        EXPECT_EQ(ButtonText(), c.text) << c.name;
        EXPECT_EQ(SendMessageA(button_, BM_GETCHECK, 0, 0), c.check) << c.name;
        EXPECT_EQ(f->cs.viewMode, c.result ? c.envMode : c.shownMode) << c.name;
        EXPECT_EQ(g_PreCommandActive, 0) << c.name;
    }
}
