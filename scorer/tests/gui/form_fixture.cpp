#include "form_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kivo::testing {

TForm1& FormFixture::StartForm() {
  form_ = std::make_unique<TForm1>(ProgramFolder());
  form_->show();
  return *form_;
}

void FormFixture::CloseForm() { form_->close(); }

QString FormFixture::ProgramFolder() const { return folder_.path() + QLatin1Char('/'); }

QString FormFixture::PathOf(const QString& relative) const { return ProgramFolder() + relative; }

void FormFixture::WriteFile(const QString& relative, const QByteArray& content) const {
  const QString path = PathOf(relative);
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(content);
}

QByteArray FormFixture::ReadFile(const QString& relative) const {
  QFile file(PathOf(relative));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void FormFixture::MakeFolder(const QString& relative) const { QDir().mkpath(PathOf(relative)); }

}  // namespace kivo::testing
