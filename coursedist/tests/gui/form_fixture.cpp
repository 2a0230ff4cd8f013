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

QStringList FormFixture::Rows(const TForm1& form) {
  QStringList rows;
  for (int i = 0; i < form.ListBox1->count(); ++i) rows << form.ListBox1->item(i)->text();
  return rows;
}

QSize FormFixture::OuterSize(const TForm1& form) { return form.frameGeometry().size(); }

}  // namespace drevlin::testing
