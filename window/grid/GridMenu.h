#pragma once
// The context menu of a bound grid and its keyboard commands. BuildGridMenu,
// GridMenuClick and GridKeyDown are declared with the binder (easygrid.h).
// Its dialogs run through the binder's window services.
#include <QtGlobal>

#include "window/grid/easygrid.h"

// Menu captions of the command items, translated where the menu is built.
inline constexpr const char* kSaveHtmlCaption = QT_TRANSLATE_NOOP("GridMenu", "Save grid as Html");
inline constexpr const char* kPrintGridCaption = QT_TRANSLATE_NOOP("GridMenu", "Print Grid");
inline constexpr const char* kFontCaption = QT_TRANSLATE_NOOP("GridMenu", "Font..");
inline constexpr const char* kPropFontCaption = QT_TRANSLATE_NOOP("GridMenu", "Proportional Font on/off");
inline constexpr const char* kResetFontCaption = QT_TRANSLATE_NOOP("GridMenu", "Reset Font");
inline constexpr const char* kBandsCaption = QT_TRANSLATE_NOOP("GridMenu", "Grid bands");
inline constexpr const char* kVertLinesCaption = QT_TRANSLATE_NOOP("GridMenu", "Vertical lines");
inline constexpr const char* kHorzLinesCaption = QT_TRANSLATE_NOOP("GridMenu", "Horizontal lines");
inline constexpr const char* kMaximizeCaption = QT_TRANSLATE_NOOP("GridMenu", "Maximize grid on/off (ctrl-F4)");
inline constexpr const char* kGridPanelsCaption = QT_TRANSLATE_NOOP("GridMenu", "Show/Hide grid panels (ctrl-F5)");
inline constexpr const char* kCycleCaption = QT_TRANSLATE_NOOP("GridMenu", "Cycle thru column layouts (ctrl-F2)");
