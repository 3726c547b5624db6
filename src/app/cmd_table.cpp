// The command table and the command stack.
//
// The table is static: the stack and the state procedures hold pointers into
// it, so its records are never copied. Searches walk it from the first record
// and stop at the first negative command id; the first match wins, which
// matters where two records share an id (200) or an entry state (348, 716,
// 727, 728: the shared procedure is the same either way).
#include "app/cmd.h"

#include "app/cmd_private.h"
#include "app/frame_state.h"
#include "app/cmd_procs.h"

// clang-format off
static CommandRecord s_cmdTable[CMD_TABLE_SIZE + 1] = {
//   id      state procedure                    lvl name
    {0,      0,    CMD_WaitAnswerState,         0,  "レスポンス待ち"},  // 0
    {0,      1,    CMD_RootState,               0,  "ルートアプリ"},  // 1
    {0,      2,    CMD_MenuSelectState,         0,  "メニュー選択"},  // 2
    {135,    4,    nullptr,                     1,  "縦メニュー選択"},  // 3
    {151,    4,    nullptr,                     1,  "オープニング"},  // 4
    {172,    4,    nullptr,                     1,  "新規ＰＣＢ"},  // 5
    {157,    3,    VIEW_RelativeBase,           15, "相対値ベース座標"},  // 6
    {156,    4,    nullptr,                     15, "絶対値座標"},  // 7
    {138,    4,    VIEW_NextInputGrid,          15, "入力グリッド変更"},  // 8
    {193,    4,    VIEW_PrevInputGrid,          15, "入力グリッド変更"},  // 9
    {179,    4,    nullptr,                     15, "上スクロール"},  // 10
    {180,    4,    nullptr,                     15, "下スクロール"},  // 11
    {181,    4,    nullptr,                     15, "左スクロール"},  // 12
    {182,    4,    nullptr,                     15, "右スクロール"},  // 13
    {178,    4,    nullptr,                     15, "スクロール"},  // 14
    {177,    4,    nullptr,                     15, "オートスケール"},  // 15
    {264,    4,    nullptr,                     15, "オートロック方向角"},  // 16
    {117,    4,    VIEW_ZoomUp,                 15, "ズームアップ"},  // 17
    {134,    4,    VIEW_ZoomDown,               15, "ズームダウン"},  // 18
    {132,    10,   VIEW_Pan,                    15, "パン"},  // 19
    {127,    4,    VIEW_WholeData,              15, "全データ表示"},  // 20
    {203,    4,    VIEW_AreaBack,               15, "←エリア表示"},  // 21
    {204,    4,    VIEW_AreaForward,            15, "→エリア表示"},  // 22
    {126,    4,    VIEW_PreviousArea,           15, "前エリア表示"},  // 23
    {137,    11,   VIEW_AreaZoom,               15, "エリア指定ズーム"},  // 24
    {131,    4,    VIEW_ZoomByFactor,           15, "倍率指定ズーム"},  // 25
    {130,    4,    VIEW_Redisplay,              15, "再表示"},  // 26
    {154,    16,   VIEW_AssignNameToggle,       15, "アサイン名表示切り替え"},  // 27
    {155,    15,   VIEW_PinNameCommand,         10, "ピン名表示切り替え"},  // 28
    {190,    17,   VIEW_RatsnestCommand,        10, "ラッツ表示切り替え"},  // 29
    {158,    4,    VIEW_ToggleGrid,             15, "グリッド表示切り替え"},  // 30
    {159,    4,    VIEW_ToggleOrigin,           15, "原点表示切り替え"},  // 31
    {165,    4,    nullptr,                     15, "ペア層切り替え"},  // 32
    {173,    4,    nullptr,                     15, "アサインズーム"},  // 33
    {196,    119,  nullptr,                     15, "パンアサインズーム"},  // 34
    {194,    4,    VIEW_Redisplay,              15, "CONTRAST"},  // 35
    {175,    4,    nullptr,                     15, "マップウィンドウ"},  // 36
    {40285,  4,    nullptr,                     15, "ヘルプ"},  // 37
    {162,    4,    nullptr,                     10, "レベル表"},  // 38
    {146,    4,    nullptr,                     10, "各ライン表"},  // 39
    {176,    4,    nullptr,                     10, "各ＶＩＡ表"},  // 40
    {192,    4,    NET_LogicalNetCommand,       15, "論理ﾈｯﾄﾘｽﾄ選択"},  // 41
    {199,    4,    nullptr,                     15, "等長配線表示"},  // 42
    {200,    4,    nullptr,                     15, "掲示板"},  // 43
    {40140,  900,  FILE_PcbReadCommand,         8,  "ＰＣＢ読み込み"},  // 44
    {40041,  4,    nullptr,                     8,  "終了"},  // 45
    {40037,  4,    nullptr,                     8,  "ＰＣＢ情報"},  // 46
    {40495,  4,    nullptr,                     8,  "Ｄ２Ｄ透過率設定"},  // 47
    {40318,  551,  ORG_MoveCommand,             8,  "原点移動"},  // 48
    {40133,  4,    nullptr,                     10, "レベル表"},  // 49
    {40042,  4,    nullptr,                     10, "基準サイズ表"},  // 50
    {40138,  4,    nullptr,                     10, "ライン設定表"},  // 51
    {40135,  4,    nullptr,                     10, "塗り込み設定表"},  // 52
    {40153,  4,    nullptr,                     10, "文字ライン設定表"},  // 53
    {40243,  4,    nullptr,                     10, "定義ＶＩＡ表"},  // 54
    {40169,  4,    nullptr,                     10, "ＱＺＶＩＡ表"},  // 55
    {40044,  4,    nullptr,                     8,  "内層導通表"},  // 56
    {40185,  4,    nullptr,                     8,  "信号線設定表"},  // 57
    {40242,  4,    nullptr,                     8,  "ルール表"},  // 58
    {40136,  4,    nullptr,                     15, "入力グリッド設定"},  // 59
    {40180,  4,    nullptr,                     8,  "ＶＩＡデータ情報"},  // 60
    {40237,  4,    nullptr,                     8,  "ホール表"},  // 61
    {40181,  4,    nullptr,                     8,  "ラインデータ情報"},  // 62
    {40317,  4,    nullptr,                     8,  "ラッツデータ情報"},  // 63
    {40182,  4,    nullptr,                     8,  "文字データ情報"},  // 64
    {40183,  4,    nullptr,                     8,  "塗り込みデータ情報"},  // 65
    {40401,  4,    nullptr,                     8,  "層構成（構成図）"},  // 66
    {40184,  4,    nullptr,                     8,  "部品データ情報"},  // 67
    {40081,  4,    nullptr,                     8,  "パレット"},  // 68
    {40329,  716,  EDIT_PinChangeCommand,       8,  "ＰＩＮ変更"},  // 69
    {40387,  348,  NET_LogicalNetCommand,       8,  "論理ネット表示"},  // 70
    {40449,  291,  MEAS_ChainLengthCommand,     8,  "チェイン長表示"},  // 71
    {40487,  4,    nullptr,                     8,  "CMP表示確認"},  // 72
    {40209,  710,  EDIT_AppViaChange,           8,  "ＶＩＡ変更"},  // 73
    {40210,  712,  EDIT_LineChangeCommand,      8,  "ライン変更"},  // 74
    {40211,  713,  EDIT_AppTextChange,          8,  "文字変更"},  // 75
    {40217,  714,  EDIT_FillChangeCommand,      8,  "塗り込み変更"},  // 76
    {40207,  715,  EDIT_AppPartChange,          8,  "部品変更"},  // 77
    {40208,  716,  EDIT_PinChangeCommand,       8,  "ＰＩＮ変更"},  // 78
    {40312,  727,  EDIT_AppSigViaChange,        8,  "信号VIA変更"},  // 79
    {40313,  728,  EDIT_AppSigLinChange,        8,  "信号線変更"},  // 80
    {40394,  727,  EDIT_AppSigViaChange,        8,  "信号VIA変更"},  // 81
    {40395,  728,  EDIT_AppSigLinChange,        8,  "信号線変更"},  // 82
    {40196,  720,  INFO_AppViaInfo,             8,  "ＶＩＡ情報表示"},  // 83
    {40198,  722,  INFO_AppLineInfo,            8,  "図形線情報表示"},  // 84
    {40199,  723,  INFO_AppTextInfo,            8,  "文字情報表示"},  // 85
    {40200,  724,  INFO_AppFillInfo,            8,  "塗り込み情報表示"},  // 86
    {40201,  725,  INFO_AppPartInfo,            8,  "部品情報表示"},  // 87
    {40202,  726,  INFO_AppPinInfo,             8,  "ＰＩＮ情報表示"},  // 88
    {40110,  801,  EDIT_DimensionLineCommand,   8,  "寸法線"},  // 89
    {40203,  802,  EDIT_LeaderViaCommand,       8,  "引き出し線(VIA)"},  // 90
    {40348,  803,  EDIT_LeaderArcCommand,       8,  "引き出し線(円弧)"},  // 91
    {40349,  804,  EDIT_LeaderArrowCommand,     8,  "引き出し線(矢印)"},  // 92
    {40338,  735,  EDIT_AppDeleteKindSelect,    8,  "削除種類選択"},  // 93
    {40122,  336,  MEAS_DistanceCommand,        8,  "距離"},  // 94
    {40507,  364,  MEAS_LineGapCommand,         8,  "ライン間距離"},  // 95
    {40236,  337,  MEAS_AngleCommand,           8,  "角度"},  // 96
    {40390,  354,  CHK_TextCheckCommand,        8,  "文字検査"},  // 97
    {40343,  339,  CHK_NetCheckCommand,         8,  "ネットチェック"},  // 98
    {40373,  348,  NET_LogicalNetCommand,       8,  "論理ネット表示"},  // 99
    {40127,  4,    nullptr,                     8,  "部品リスト"},  // 100
    {40306,  4,    nullptr,                     8,  "表出力"},  // 101
    {40130,  4,    nullptr,                     8,  "表出力"},  // 102
    {191,    4,    nullptr,                     15, "ｼﾝﾎﾞﾙﾘｽﾄ選択"},  // 103
    {198,    4,    nullptr,                     15, "ｼﾝﾎﾞﾙﾘｽﾄ選択"},  // 104
    {40254,  116,  HAT_HatchingCommand,         8,  "ハッチング表示"},  // 105
    {200,    4,    nullptr,                     15, "掲示板"},  // 106
    {213,    729,  INFO_ViaDetailCommand,       8,  "VIA詳細表示"},  // 107
    {40132,  4,    LIST_TextListCommand,        8,  "文字リスト"},  // 108
    {40050,  4,    nullptr,                     15, "開発暫定コントロール"},  // 109
    {-1,     0,    nullptr,                     0,  nullptr},  // end of the table
};
// clang-format on

static CommandRecord* s_cmdStack[CMD_STACK_SIZE];
static int s_cmdDepth = 0;

CommandRecord* CMD_TableRecord(int n)
{
    if (n < 0 || n > CMD_TABLE_SIZE) return nullptr;
    return &s_cmdTable[n];
}

CommandRecord* CMD_FindById(int commandId)
{
    for (CommandRecord* r = s_cmdTable; r->commandId >= 0; r++)
        if (r->commandId == commandId) return r;
    return nullptr;
}

CommandRecord* CMD_FindByState(int stateId)
{
    for (CommandRecord* r = s_cmdTable; r->commandId >= 0; r++)
        if (r->stateId == stateId) return r;
    return nullptr;
}

int CMD_FindLevel(int commandId)
{
    CommandRecord* r = CMD_FindById(commandId);
    return r ? r->level : 0;
}

CommandRecord* CMD_StackTop()
{
    return s_cmdDepth > 0 ? s_cmdStack[s_cmdDepth - 1] : nullptr;
}

int CMD_StackDepth()
{
    return s_cmdDepth;
}

int CMD_Push(CommandRecord* record)
{
    if (s_cmdDepth >= CMD_STACK_SIZE) return 0;
    s_cmdStack[s_cmdDepth++] = record;
    record->hWndFrame = g_hWndFrame;
    record->hWndCanvas = g_hWndCanvas;
    record->leakBytes = 0;
    return 1;
}

// Drops the top slot; the record that was there, or null when the stack was
// empty or the slot held none. Only CMD_End pops.
CommandRecord* CMD_PopTop()
{
    if (s_cmdDepth <= 0) return nullptr;
    CommandRecord* top = s_cmdStack[--s_cmdDepth];
    s_cmdStack[s_cmdDepth] = nullptr;
    return top;
}
