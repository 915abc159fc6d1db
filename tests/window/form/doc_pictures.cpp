// The README's pictures of the print preview and the German dialogs, taken
// on the offscreen platform as a user would open them: the calendar's menu,
// then the dialog. Run from the repository's root:
//   build/tests/window/form/orvane_doc_pictures docs
#include <QApplication>
#include <QFont>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <iostream>

#include "tests/support/FakeWindowServices.h"
#include "tests/support/options.h"
#include "window/form/main.h"
#include "window/grid/HtmlSettingsDialog.h"
#include "window/grid/PrintSettingsDialog.h"

namespace {

void OpenFromMenu(TTextGrid* grid, const QString& caption) {
  QApplication::setActiveWindow(grid->window());
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu) {
    std::cout << "no menu for " << caption.toStdString() << '\n';
    return;
  }
  for (QAction* a : menu->actions())
    if (a->text() == caption) menu->setActiveAction(a);
  QTest::keyClick(menu, Qt::Key_Return);
}

bool Save(QWidget& dialog, const QString& file) {
  dialog.show();
  QApplication::processEvents();
  const bool saved = dialog.grab().save(file);
  std::cout << (saved ? "wrote " : "cannot write ") << file.toStdString() << '\n';
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans")});
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("Liberation Sans")});
  bool ok = true;
  FakeWindowServices services;
  {
    // The preview of the print settings' page, opened from the English dialog.
    TForm1 form(TestOptions({"--today", "8.12.2026", "15.3.2001", "1.1.2000"}), nullptr, services);
    form.show();
    QApplication::setActiveWindow(&form);
    services.onExec = [&](QDialog& d) {
      if (auto* settings = qobject_cast<TPrintSettingsDialog*>(&d)) {
        settings->show();
        settings->previewButton->click();
        return int(QDialog::Rejected);
      }
      if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&d)) {
        preview->resize(760, 820);
        if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) pages->fitInView();
        ok = Save(*preview, folder + "/print-preview.png") && ok;
      }
      return int(QDialog::Rejected);
    };
    OpenFromMenu(form.StringGrid1, QStringLiteral("Print Grid"));
  }
  {
    TForm1 form(TestOptions({"--lang", "de", "--today", "8.12.2026", "15.3.2001", "1.1.2000"}), nullptr, services);
    form.show();
    QApplication::setActiveWindow(&form);
    services.onExec = [&](QDialog& d) {
      const bool print = qobject_cast<TPrintSettingsDialog*>(&d) != nullptr;
      ok = Save(d, folder + (print ? "/print-settings-de.png" : "/html-settings-de.png")) && ok;
      return int(QDialog::Rejected);
    };
    OpenFromMenu(form.StringGrid1, QStringLiteral("Tabelle drucken"));
    OpenFromMenu(form.StringGrid1, QStringLiteral("Tabelle als HTML speichern"));
  }
  return ok ? 0 : 1;
}
