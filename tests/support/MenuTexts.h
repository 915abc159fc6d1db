#pragma once
// A menu as a user reads it.
#include <QAction>
#include <QMenu>
#include <cstdint>
#include <string>
#include <vector>

#include "window/components/QtText.h"

// Each item's text, "-" for a separator; with marks, "*" after a checked item.
inline std::vector<std::string> MenuTexts(const QMenu& menu, bool marks = false) {
  std::vector<std::string> texts;
  for (const QAction* a : menu.actions())
    texts.push_back(a->isSeparator() ? "-" : FromQString(a->text()) + (marks && a->isChecked() ? "*" : ""));
  return texts;
}

// The position of the item with this text; -1 when there is none.
inline int32_t MenuPosOf(const QMenu& menu, const std::string& text) {
  const auto items = menu.actions();
  for (int32_t i = 0; i < items.size(); ++i)
    if (FromQString(items[i]->text()) == text) return i;
  return -1;
}
