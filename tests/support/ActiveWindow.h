#pragma once
// The main window shown and made the active one, as a user finds it at start:
// keys reach its focused control.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "window/form/main.h"
#include "tests/support/options.h"

inline std::unique_ptr<TForm1> StartActiveWindow(const TWindowServices& services,
                                                 const std::vector<std::string>& args) {
  auto form = std::make_unique<TForm1>(TestOptions(args), nullptr, services);
  form->show();
  QApplication::setActiveWindow(form.get());
  EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
  return form;
}
