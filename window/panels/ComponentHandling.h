#pragma once
// Looks and measures of windows, panels and grids.
#include <QWidget>
#include <cstdint>
#include <string_view>

#include "window/components/GPanel.h"

// Frame styles 0..4 (flat, raised, lowered+raised, lowered, raised+single);
// any other style changes nothing.
void SetPanelStyle(TPanel* panel, uint8_t style);
void CenterOnScreen(QWidget* window);
// The control and every windowed control inside it.
void SetDoubleBufferedDeep(QWidget* control);

int32_t FrameHeight(const QWidget* control);  // height - client height
int32_t FrameWidth(const QWidget* control);   // width - client width
// Height of the first status bar among the container's children, else 0.
int32_t StatusBarHeight(const QWidget* container);
void ShiftChildren(int32_t dy, int32_t dx, QWidget* container);
// Every child that is not a gradient panel moves to newParent (labels made
// transparent first); gradient panels stay.
void AdoptChildren(QWidget* container, QWidget* newParent);
bool IsTransparent(const QWidget* control);

// Fills the utility library's system-colour hook from the desktop palette.
// The window's entry calls it once after the QApplication exists; it is the
// one start-up setting that is not passed down with the services.
void InstallDesktopColorResolver();
