#include "form_fixture.h"

#include <QTest>

namespace drevlin::testing {

FormFixture::FormFixture() {
  // The pages' numbers follow the user locale: tests start from Japanese.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

FormFixture::~FormFixture() {
  form_.reset();
  QLocale::setDefault(previousLocale_);
}

TForm1& FormFixture::StartForm() {
  form_ = std::make_unique<TForm1>();
  form_->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  return *form_;
}

QSize FormFixture::OuterSize(const TForm1& form) { return form.frameGeometry().size(); }

}  // namespace drevlin::testing
