#pragma once
// The context menu of a bound grid and its keyboard commands. BuildGridMenu,
// GridMenuClick and GridKeyDown are declared with the binder (easygrid.h).
// Its dialogs run through the binder's window services.
#include "grid/easygrid.h"

// Menu captions of the command items.
inline constexpr const char* kSaveHtmlCaption = "Save grid as Html";
inline constexpr const char* kPrintGridCaption = "Print Grid";
inline constexpr const char* kFontCaption = "Font..";
inline constexpr const char* kPropFontCaption = "Proportional Font on/off";
inline constexpr const char* kResetFontCaption = "Reset Font";
inline constexpr const char* kBandsCaption = "Grid bands";
inline constexpr const char* kVertLinesCaption = "Vertical lines";
inline constexpr const char* kHorzLinesCaption = "Horizontal lines";
inline constexpr const char* kMaximizeCaption = "Maximize grid on/off (ctrl-F4)";
inline constexpr const char* kGridPanelsCaption = "Show/Hide grid panels (ctrl-F5)";
inline constexpr const char* kCycleCaption = "Cycle thru column layouts (ctrl-F2)";
