#include "window/form/edits.h"

#include <QValidator>
#include <algorithm>

#include "dates/dater.h"
#include "window/components/QtText.h"

// Typing may not make the text longer than the limit; shorter edits of a
// longer text (one the program wrote) stay possible.
class MaxLengthValidator : public QValidator {
 public:
  explicit MaxLengthValidator(TEdit* edit) : QValidator(edit), edit_(edit) {}
  State validate(QString& input, int&) const override {
    return TooLong(input.size(), edit_->maxLength_, edit_->shownLength_) ? Invalid : Acceptable;
  }
  static bool TooLong(int64_t length, int32_t limit, int32_t before) {
    return limit > 0 && length > limit && length > before;
  }

 private:
  TEdit* edit_;
};

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  setValidator(new MaxLengthValidator(this));
  connect(this, &QLineEdit::textChanged, this, [this](const QString& t) { shownLength_ = static_cast<int32_t>(t.size()); });
}

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& t) { shownLength_ = static_cast<int32_t>(t.size()); });
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
  return MaxLengthValidator::TooLong(input.size(), maxLength_, shownLength_) ? QValidator::Invalid
                                                                             : QValidator::Acceptable;
}

int TSpinEdit::valueFromText(const QString& text) const {
  const int32_t v = TextToInt(FromQString(text));
  return std::clamp(v, minimum(), maximum());
}

void TSpinEdit::fixup(QString&) const {}
