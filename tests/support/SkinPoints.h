// Where an operator clicks in each of the program's windows, and the regions
// a test looks at, in the window's client coordinates. One table per skin,
// derived from the skin's fixed layout (its size, bar heights, insets, child
// paddings and fixed widths) and checked against screenshots: a change to a
// skin's layout means a change here.
#pragma once

#include "support/XWindow.h"

namespace skinpoints {

struct Point {
    int x;
    int y;
};

// The windows' texts, which Wine gives their X windows as names.
constexpr char kRoleWindowText[] = "CSelectServerClassWnd";
constexpr char kMainWindowText[] = "CTrevandWnd";
constexpr char kMsgBoxText[] = "MsgBoxWnd";
constexpr char kDelDirWindowText[] = "CDelDirWnd";
constexpr char kQuarantineWindowText[] = "CQuarantineWnd";

// SelectServerClass.xml, 420x260: title bar 36 high; below it a column with
// inset 28,18,24,18 and childpadding 8 — prompt 24, note 20, the two options
// 30 each, a filler, and the button row 32 high at the bottom.
struct RoleWindow {
    Point closebtn;              // 40x36 at the title bar's right end
    Point MasterServerCheck;     // y 114..144
    Point SecondaryServerCheck;  // y 152..182
    Point OkButton;              // 96x32 at x 300..396, y 210..242
};
constexpr RoleWindow kRoleWindow = {{400, 18}, {212, 129}, {212, 167}, {348, 226}};

// TrevandWnd.xml, 1120x684: title bar 40 high with minimise and close (40
// wide each) at its right end; the toolbar row y 40..96 with inset
// 16,12,16,12 and childpadding 12 — combo 120, the count line taking the
// free width (268), the size totals 212, "全选" 64, "刷新" 64, "导出" 64,
// "隔离区" 72, "隔离" 64 and "删除" 64; the filter row y 96..140 (inset
// 16,0,16,12, childpadding 10) — the text box 320 (x 16..336, y 96..128),
// "修改时间" 64, the age drop-down 112 (x 410..522); then the list at x
// 16..1104 from y 140 with a header 30 high and rows 26 high from y 170.
struct MainWindow {
    Point minbtn;
    Point closebtn;
    Point TrevandComBox;  // x 16..136, y 52..84
    Point ChkSelectAll;       // x 652..716
    Point BtnFlush;           // x 728..792
    Point BtnExport;          // x 804..868
    Point BtnQuarantineList;  // x 880..952
    Point BtnQuarantine;      // x 964..1028
    Point BtnRemove;          // x 1040..1104
    int listTop;          // first row's top
    int rowHeight;
    int rowsShown;  // whole rows between the header and the list's bottom
    testsupport::ScreenRect countLabel;
    // The drop-down opens below the combo (its top at y 84, a 1 px border),
    // entries 26 high.
    int dropDownTop;
    int dropDownEntryHeight;
    Point FilterText;  // the text box
    Point FilterAge;   // the age drop-down
};
constexpr MainWindow kMainWindow = {{1060, 20}, {1100, 20}, {76, 68},  {684, 68}, {760, 68},          {836, 68},
                                    {916, 68},  {996, 68},  {1072, 68}, 170,       26,        19,
                                    {148, 52, 268, 32},    85,         26,        {176, 112}, {466, 112}};

// The title of the "大小" column: the header row y 140..170; from the list's
// right inner edge (x 1103) 修改时间 takes 140 and 大小 104, so x 859..963.
constexpr Point kSizeHeader = {911, 155};

// Row `row` (0: the first shown) of the list whose first row's top is
// `listTop` (the main window's unless said; the quarantine window's list
// lies as the main window's does, without the filter row above it).
inline int RowTop(int row, int listTop = kMainWindow.listTop) { return listTop + row * kMainWindow.rowHeight; }
// The row's check box: a 16x16 cell at x 27..43 (10 px into the row), 2 px
// below the row's top.
inline testsupport::ScreenRect TickCell(int row, int listTop = kMainWindow.listTop) {
    return {27, RowTop(row, listTop) + 2, 16, 16};
}
inline Point RowTick(int row, int listTop = kMainWindow.listTop) { return {35, RowTop(row, listTop) + 10}; }
// Where the row's name is written (the first column, after the check box).
inline testsupport::ScreenRect RowName(int row, int listTop = kMainWindow.listTop) {
    return {50, RowTop(row, listTop) + 4, 190, 18};
}
// The drop-down entry `entry` (0: the first drive), in the main window's
// client coordinates.
inline Point DriveEntry(int entry) {
    return {kMainWindow.TrevandComBox.x,
            kMainWindow.dropDownTop + entry * kMainWindow.dropDownEntryHeight + kMainWindow.dropDownEntryHeight / 2};
}

// MsgBoxWnd.xml sizes itself to its text, so its points follow from the
// window's size: buttons 80x30 right-aligned in a bottom row 52 high with
// inset 0,10,16,12 and childpadding 10 ("BtnOk" left of "BtnCancel"); the
// close button 40x32 at the title bar's right end.
struct MsgBoxWindow {
    Point BtnOk;
    Point BtnCancel;
    Point closebtn;
};
inline MsgBoxWindow MsgBoxPoints(int width, int height) {
    return {{width - 16 - 80 - 10 - 40, height - 12 - 15}, {width - 16 - 40, height - 12 - 15}, {width - 20, 16}};
}

// DelDirWnd.xml, 560x292: title bar 36 high with "closebtn" 40 wide at its
// right end; below it a column with inset 24,22,24,18 and childpadding 10 —
// the headline "DelDirWndFinal" 28 (y 58..86), a row 20 high (y 96..116)
// with the bar "DelDirWndProcess" 8 high (y 102..110, 310 wide) and the
// count 190 wide right of it, "DelDirWndText" 22 and "DelDirWndStatus" 22
// while it runs. Once the run is over both lines are hidden (the status line
// unless it still says something) and the window is 560x228: the summary 36
// (y 126..162) and the buttons row 32 (y 172..204), "BtnDone" 88 wide at the
// right, "BtnViewLog" 88 wide 10 left of it.
struct DelDirWindow {
    Point closebtn;
    testsupport::ScreenRect DelDirWndFinal;    // the headline: at work, done or cancelling
    testsupport::ScreenRect DelDirWndProcess;  // filling with the entries done
    testsupport::ScreenRect BtnDone;           // "完成", once the run is over
    testsupport::ScreenRect BtnViewLog;        // "查看日志", when entries stayed
};
constexpr DelDirWindow kDelDirWindow = {
    {540, 18}, {24, 58, 512, 28}, {24, 102, 310, 8}, {448, 172, 88, 32}, {350, 172, 88, 32}};

// QuarantineWnd.xml, 1040x600: title bar 40 high with "closebtn" 40 wide at
// its right end; the toolbar row y 40..96 with inset 16,12,16,12 and
// childpadding 12 — what the disks hold taking the free width, "全选" 64,
// "还原" 72, "彻底删除" 96 and "清空隔离区" 104 at the right; then the list at
// x 16..1024 with a header 30 high and rows 26 high from y 126, so its rows
// and their check boxes lie where the main window's do (RowTick, RowName).
struct QuarantineWindow {
    Point closebtn;
    Point ChkSelectAll;  // x 652..716
    Point BtnRestore;    // x 728..800
    Point BtnPurge;      // x 812..908
    Point BtnPurgeAll;   // x 920..1024
    int listTop;         // first row's top: the header y 96..126
};
constexpr QuarantineWindow kQuarantineWindow = {{1020, 20}, {684, 68}, {764, 68}, {860, 68}, {972, 68}, 126};

}  // namespace skinpoints
