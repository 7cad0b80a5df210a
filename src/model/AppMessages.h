// The program's private window messages (WM_USER = 0x400 upward), shared by every layer.
// A few numbers are used twice by windows that never receive each other's messages
// (WM_PRESET_LOAD / WM_INPUT_SOURCE_SELECTED, WM_BITBUTTON_CLICK / the last hidden strip flag).
#pragma once

#include "Messages.h"

// Control notices to their parents.
constexpr UINT WM_SKINBTN_UNCHECK = WM_USER + 16;         // 0x410
constexpr UINT WM_SLIDER_TAKEFOCUS = WM_USER + 201;       // 0x4C9
constexpr UINT WM_BITBUTTON_CLICK = WM_USER + 220;        // 0x4DC, wParam 513/515/516
constexpr UINT WM_CTRL_MOUSEMOVE = WM_USER + 602;         // 0x65A, sent
constexpr UINT WM_NUMEDIT_KEYDOWN = WM_USER + 700;        // 0x6BC, wParam id, lParam key
constexpr UINT WM_KEY_ENTER = WM_USER + 701;              // 0x6BD, wParam id
constexpr UINT WM_DROPLIST_SELCHANGE = WM_USER + 802;     // 0x722, wParam notify id, lParam index
constexpr UINT WM_DELAY_SPIN_STEP = WM_USER + 1100;       // 0x84C
constexpr UINT WM_SLIDER_MOVING = WM_USER + 9425;         // 0x28D1, wParam id, lParam position
constexpr UINT WM_SLIDER_MOVED = WM_USER + 9426;          // 0x28D2

// Link and reply engine to the main view (all posted).
constexpr UINT WM_SCENE_RECEIVED = WM_USER + 110;         // 0x46E, wParam scene
constexpr UINT WM_ALL_SCENES_RECEIVED = WM_USER + 111;    // 0x46F
constexpr UINT WM_SPEAKER_MAP_CHANGED = WM_USER + 112;    // 0x470, wParam 1 state record, 0 mode block
constexpr UINT WM_INPUT_TYPE_RECEIVED = WM_USER + 113;    // 0x471, lParam payload length
constexpr UINT WM_TRANSFER_DONE = WM_USER + 150;          // 0x496, lParam 1 write batch, 0 read batch
constexpr UINT WM_UPDATE_STEP_DONE = WM_USER + 151;       // 0x497, lParam 57 when the update is done
constexpr UINT WM_LINK_LOST = WM_USER + 154;              // 0x49A
constexpr UINT WM_FIRST_CONNECT = WM_USER + 156;          // 0x49C
constexpr UINT WM_STOP_PING = WM_USER + 157;              // 0x49D
constexpr UINT WM_UPDATE_FAILED = WM_USER + 158;          // 0x49E
constexpr UINT WM_DEVICE_ERROR = WM_USER + 160;           // 0x4A0, empty data reply
constexpr UINT WM_VERSION_RECEIVED = WM_USER + 161;       // 0x4A1
constexpr UINT WM_SCENE_NAME_CHANGED = WM_USER + 162;     // 0x4A2, posted by the change scanner
constexpr UINT WM_UPDATE_THREAD_DONE = WM_USER + 200;     // 0x4C8, lParam nonzero = reconnected
constexpr UINT WM_WIFI_OP_RESULT = WM_USER + 300;         // 0x52C, lParam 1 acknowledged, 0 failed
constexpr UINT WM_NET_REACHABLE = WM_USER + 500;          // 0x5F4, network watchdog

// Pages and their parts.
constexpr UINT WM_EQ_POINT_CHANGED = WM_USER + 100;       // 0x464, wParam element, lParam channel id
constexpr UINT WM_EQ_GRAPH_KILLFOCUS = WM_USER + 101;     // 0x465
constexpr UINT WM_STRIP_OUTPUT_ON = WM_USER + 202;        // 0x4CA, wParam channel (all strip messages)
constexpr UINT WM_STRIP_SELECT = WM_USER + 203;           // 0x4CB
constexpr UINT WM_STRIP_PASTE = WM_USER + 205;            // 0x4CD
constexpr UINT WM_STRIP_GAIN = WM_USER + 206;             // 0x4CE, lParam gain step 0..600
constexpr UINT WM_STRIP_POLARITY = WM_USER + 207;         // 0x4CF
constexpr UINT WM_STRIP_DELAY = WM_USER + 208;            // 0x4D0, lParam delay step 0..960
constexpr UINT WM_STRIP_FLAG_BIT1 = WM_USER + 209;        // 0x4D1
constexpr UINT WM_STRIP_FLAG_BIT2 = WM_USER + 210;        // 0x4D2
constexpr UINT WM_STRIP_FLAG_BIT0 = WM_USER + 211;        // 0x4D3
constexpr UINT WM_STRIP_FLAG_BIT4 = WM_USER + 212;        // 0x4D4
constexpr UINT WM_STRIP_SPEAKER_TYPE = WM_USER + 225;     // 0x4E1, lParam type 0..24
constexpr UINT WM_SHOW_THIRD_PAGE = WM_USER + 301;        // 0x52D
constexpr UINT WM_LINK_GROUPS_CHANGED = WM_USER + 302;    // 0x52E
constexpr UINT WM_PRESET_SAVE_AS = WM_USER + 400;         // 0x590
constexpr UINT WM_PRESET_LOAD = WM_USER + 401;            // 0x591
constexpr UINT WM_PRESET_DELETE = WM_USER + 402;          // 0x592
constexpr UINT WM_INPUT_SOURCE_SELECTED = WM_USER + 401;  // 0x591, lParam input code 0..5
constexpr UINT WM_MIX_MATRIX_CHANGED = WM_USER + 530;     // 0x612
constexpr UINT WM_MASTER_LEVEL_CHANGED = WM_USER + 8024;  // 0x2358
constexpr UINT WM_DELAY_UNIT_CHANGED = WM_USER + 8025;    // 0x2359, lParam 1 ms, 2 cm, 3 inch
constexpr UINT WM_MIX_COLUMN_CHANGED = WM_USER + 8030;    // 0x235E
constexpr UINT WM_MIX_COLUMN_FOCUS = WM_USER + 8031;      // 0x235F
// Between the input page and the level and delay page.
constexpr UINT WM_INPUT_STATE_CHANGED = WM_USER + 540;    // 0x61C, wParam input-state flag, lParam shown input
constexpr UINT WM_SELECT_INPUT_CHANNEL = WM_USER + 541;   // 0x61D, lParam input 0..5

