// The open and save dialogs of design files, templates, predecessor boards
// and font files. Each wraps the system dialog around a folder and file-name
// pair, checks the chosen file by its extension (and, for fonts, its folder
// and name), explains a refusal and asks again until the user chooses an
// acceptable file or cancels.
#include "app/file.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <cstring>
#include <string>

// The filter strings are pairs of NUL-terminated texts ended by an extra NUL.
static const char FILTER_TEMPLATE[] = "ＱＺ-Ｔ テンプレート(*.ttp)\0*.ttp\0全てのファイル(*.*)\0*.*\0";
static const char FILTER_BOARD[] = "ＱＺ-Vyre ＰＣＢ(*.pcb)\0*.pcb\0全てのファイル(*.*)\0*.*\0";
static const char FILTER_DESIGN_OR_BOARD[] =
    "ＱＺ-Ｔ ＰＣＢ(*.tpw)\0*.tpw\0ＱＺ-Vyre ＰＣＢ(*.pcb)\0*.pcb\0全てのファイル(*.*)\0*.*\0";
static const char FILTER_DESIGN[] = "ＱＺ-Ｔ ＰＣＢ(*.tpw)\0*.tpw\0全てのファイル(*.*)\0*.*\0";
static const char FILTER_FONT[] = "ＱＺフォントファイル(*.fnt)\0*.fnt\0全てのファイル(*.*)\0*.*\0";
static const char FILTER_SAVE_TEMPLATE[] = "ＱＺ-Ｔ テンプレート(*.ttp)\0*.ttp\0";
static const char FILTER_SAVE_DESIGN[] = "ＱＺ-Ｔ ＰＣＢ(*.tpw)\0*.tpw\0";

static const char MSG_PCB_ONLY[] = "ファイルの種類（拡張子）は、\n'.PCB' のみです。";
static const char MSG_PCB_OR_TPW[] = "ファイルの種類（拡張子）は、\n'.PCB' または '.TPW' のみです。";
static const char MSG_CLEANING[] =
    "ＱＺ－VyreⅡのＰＣＢファイルは、\nVyreⅡ内の「圧縮」機能を\n利用してクリーニングしてから\n読み込むことをお勧めします。";
static const char MSG_FONT_FOLDER[] = "Torva.exeと同じフォルダに配置してください。";
static const char MSG_FONT_EXT[] = "ファイルの種類（拡張子）は、\n'.fntです。";
static const char MSG_FONT_NAME[] = "フォントファイル名の長さは半角8文字以下にしてください。";
static const char CAPTION_FONT[] = "フォントファイル選択";

static const DWORD OPEN_FLAGS = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;   // 0x1804
static const DWORD SAVE_FLAGS = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;  // 0x2006

static DesignPathBuffer s_lastTemplate;

DesignPathBuffer* FILE_LastTemplate()
{
    return &s_lastTemplate;
}

static FileRule Rule(FileVerdict verdict, const char* message = nullptr, const char* caption = nullptr,
                     bool noOwner = false)
{
    return FileRule{verdict, message, caption, MB_ICONEXCLAMATION, noOwner};
}

FileRule FILE_CheckChoice(FileDialogKind kind, const char* fullPath, const char* extension, const char* folder)
{
    bool pcb = lstrcmpiA(extension, "pcb") == 0;
    bool tpw = lstrcmpiA(extension, "tpw") == 0;
    switch (kind) {
    case FILE_KIND_TEMPLATE:
    case FILE_KIND_SAVE_TEMPLATE:
        return Rule(FILE_ACCEPT);
    case FILE_KIND_BOARD_ONLY:
        return pcb ? Rule(FILE_ADVISE) : Rule(FILE_REFUSE, MSG_PCB_ONLY);
    case FILE_KIND_DESIGN_OR_BOARD:
    case FILE_KIND_BOARD:
        if (pcb) return Rule(FILE_ADVISE);
        return tpw ? Rule(FILE_ACCEPT) : Rule(FILE_REFUSE, MSG_PCB_OR_TPW);
    case FILE_KIND_DESIGN: {
        if (pcb) return Rule(FILE_ASK_AGAIN);
        if (!tpw) return Rule(FILE_REFUSE, MSG_PCB_OR_TPW);
        int other = APP_CheckOtherInstance(fullPath);
        return other != 0 && other != -1 ? Rule(FILE_ACCEPT) : Rule(FILE_ASK_AGAIN);
    }
    case FILE_KIND_FONT: {
        size_t n = std::strlen(folder);
        if (std::strlen(fullPath) < n || _strnicmp(fullPath, folder, n) != 0)
            return Rule(FILE_REFUSE, MSG_FONT_FOLDER, CAPTION_FONT, true);
        if (lstrcmpiA(extension, "fnt") != 0) return Rule(FILE_REFUSE, MSG_FONT_EXT, nullptr, true);
        if (std::strlen(PathFindFileNameA(fullPath)) > 12) return Rule(FILE_REFUSE, MSG_FONT_NAME, CAPTION_FONT, true);
        return Rule(FILE_ACCEPT);
    }
    case FILE_KIND_SAVE_DESIGN:
        return APP_CheckOtherInstance(fullPath) != 0 ? Rule(FILE_ACCEPT) : Rule(FILE_GIVE_UP);
    }
    return Rule(FILE_ASK_AGAIN);
}

// One dialog's fixed settings.
struct FileDialogSetup {
    FileDialogKind kind;
    bool save;
    const char* title;
    const char* filter;
    const char* defExt;
    const char* initialName;  // null: the pair's file name
};

static void CopyText(char* dst, size_t size, const char* src)
{
    size_t n = std::strlen(src);
    if (n >= size) n = size - 1;
    std::memcpy(dst, src, n);
    dst[n] = 0;
}

static int RunFileDialog(const FileDialogSetup& setup, DesignPathBuffer* pair, HWND hOwner)
{
    char initialDir[260];
    CopyText(initialDir, sizeof(initialDir), pair->folder);
    char file[260];
    CopyText(file, sizeof(file), setup.initialName ? setup.initialName : pair->name);
    for (;;) {
        char title[260] = "";
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = hOwner;
        ofn.hInstance = hOwner ? (HINSTANCE)GetWindowLongPtrA(hOwner, GWLP_HINSTANCE) : GetModuleHandleA(nullptr);
        ofn.lpstrFilter = setup.filter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof(file);
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof(title);
        ofn.lpstrInitialDir = initialDir[0] ? initialDir : nullptr;
        ofn.lpstrTitle = setup.title;
        ofn.lpstrDefExt = setup.defExt;
        ofn.Flags = setup.save ? SAVE_FLAGS : OPEN_FLAGS;
        BOOL ok = setup.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
        if (!ok) return 0;
        // A name without any extension: ask again.
        if (ofn.nFileExtension == 0 || file[ofn.nFileExtension] == 0) continue;
        FileRule rule = FILE_CheckChoice(setup.kind, file, file + ofn.nFileExtension, pair->folder);
        HWND boxOwner = rule.noOwner ? nullptr : hOwner;
        if (rule.verdict == FILE_GIVE_UP) return 0;
        if (rule.verdict == FILE_ASK_AGAIN) continue;
        if (rule.verdict == FILE_REFUSE) {
            MessageBoxA(boxOwner, rule.message, rule.caption ? rule.caption : setup.title, MB_OK | rule.icon);
            continue;
        }
        if (rule.verdict == FILE_ADVISE &&
            MessageBoxA(boxOwner, MSG_CLEANING, setup.title, MB_OKCANCEL | MB_ICONASTERISK) != IDOK)
            continue;
        CopyText(pair->name, sizeof(pair->name), file + ofn.nFileOffset);
        file[ofn.nFileOffset] = 0;
        CopyText(pair->folder, sizeof(pair->folder), file);
        return 1;
    }
}

int FILE_OpenTemplateDialog(HWND hOwner, DesignPathBuffer* pair)
{
    FileDialogSetup setup = {FILE_KIND_TEMPLATE, false, "テンプレートを開く", FILTER_TEMPLATE, "ttp", ""};
    return RunFileDialog(setup, pair, hOwner);
}

int FILE_OpenBoardOnlyDialog(DesignPathBuffer* pair, HWND hOwner)
{
    FileDialogSetup setup = {FILE_KIND_BOARD_ONLY, false, "開く", FILTER_BOARD, "pcb", nullptr};
    return RunFileDialog(setup, pair, hOwner);
}

int FILE_OpenDesignOrBoardDialog(HWND hOwner, DesignPathBuffer* pair)
{
    FileDialogSetup setup = {FILE_KIND_DESIGN_OR_BOARD, false, "開く", FILTER_DESIGN_OR_BOARD, "tpw", nullptr};
    return RunFileDialog(setup, pair, hOwner);
}

// A folder that no longer exists gives way to its nearest existing parent.
static void NearestExistingFolder(char* folder)
{
    std::string f = folder;
    while (!f.empty() && !PathIsDirectoryA(f.c_str())) {
        size_t cut = f.find_last_of('\\', f.size() > 1 && f.back() == '\\' ? f.size() - 2 : std::string::npos);
        if (cut == std::string::npos) return;  // none exists: keep the folder as given
        f.resize(cut + 1);
    }
    if (!f.empty()) std::strcpy(folder, f.c_str());
}

int FILE_OpenDesignDialog(DesignPathBuffer* pair, HWND hOwner)
{
    NearestExistingFolder(pair->folder);
    FileDialogSetup setup = {FILE_KIND_DESIGN, false, "開く", FILTER_DESIGN, "tpw", nullptr};
    return RunFileDialog(setup, pair, hOwner);
}

int FILE_OpenBoardDialog(DesignPathBuffer* pair, HWND hOwner)
{
    FileDialogSetup setup = {FILE_KIND_BOARD, false, "開く", FILTER_BOARD, "pcb", "*.pcb"};
    return RunFileDialog(setup, pair, hOwner);
}

int FILE_SelectFontFile(DesignPathBuffer* pair)
{
    FileDialogSetup setup = {FILE_KIND_FONT, false, "開く", FILTER_FONT, "fnt", "*.fnt"};
    return RunFileDialog(setup, pair, nullptr);
}

int FILE_SaveTemplateDialog(HWND hOwner)
{
    FileDialogSetup setup = {FILE_KIND_SAVE_TEMPLATE, true, "テンプレート出力", FILTER_SAVE_TEMPLATE, "ttp", nullptr};
    return RunFileDialog(setup, &s_lastTemplate, hOwner);
}

int FILE_SaveDesignDialog(HWND hOwner, DesignPathBuffer* pair)
{
    FileDialogSetup setup = {FILE_KIND_SAVE_DESIGN, true, "保存", FILTER_SAVE_DESIGN, "tpw", nullptr};
    return RunFileDialog(setup, pair, hOwner);
}
