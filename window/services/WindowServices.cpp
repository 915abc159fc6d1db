#include "window/services/WindowServices.h"

#include <QApplication>
#include <QDialog>

#include "window/components/QtText.h"

std::string MessageTitle(const QWidget* widget) {
  const QWidget* top = widget ? widget->window() : nullptr;
  // A dialog's message names the window the dialog was opened from.
  while (top && qobject_cast<const QDialog*>(top) && top->parentWidget()) top = top->parentWidget()->window();
  if (top && !top->windowTitle().isEmpty()) return FromQString(top->windowTitle());
  return FromQString(QApplication::applicationDisplayName());
}

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
  const size_t last = name.find_last_of("/\\");
  const size_t dot = name.rfind('.');
  const bool has = dot != std::string::npos && (last == std::string::npos || dot > last + 1) && dot + 1 < name.size();
  return has ? name : name + extension;
}
