#pragma once
// The form's edit fields: a line edit whose length limit holds for typing
// only, and a spin edit that keeps whatever text was typed into it.
#include <QLineEdit>
#include <QSpinBox>
#include <cstdint>

class QAction;
class MaxLengthValidator;

// An edit field whose maximum length limits typing only: texts that the
// program writes are never cut.
class TEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TEdit(QWidget* parent = nullptr);
  int32_t MaxLength() const { return maxLength_; }
  void SetMaxLength(int32_t n) { maxLength_ = n; }
  // Shown when the text is read otherwise than it reads; its tooltip says how.
  QAction* Hint = nullptr;

 private:
  int32_t maxLength_ = 0;  // 0 = no limit
  int32_t shownLength_ = 0;  // length of the text before the edit under way
  friend class MaxLengthValidator;
};

// A spin edit that keeps whatever text the user typed (read leniently later)
// and steps with the arrows within its range. Its text is the editor's, the
// same through QSpinBox::text().
class TSpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  explicit TSpinEdit(QWidget* parent = nullptr);
  QString Text() const { return lineEdit()->text(); }
  void SetText(const QString& text) { lineEdit()->setText(text); }
  void SetMaxLength(int32_t n) { maxLength_ = n; }
  QLineEdit* Editor() const { return lineEdit(); }

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  int valueFromText(const QString& text) const override;
  void fixup(QString& input) const override;

 private:
  int32_t maxLength_ = 0;
  int32_t shownLength_ = 0;
};
