#include "qt/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>

#include "qt/message_boxes.h"

namespace platform {
namespace {

const char kAnswerProperty[] = "kivoAnswer";

QWidget* ActiveWindow() { return QApplication::activeWindow(); }

QPushButton* AddAnswerButton(QMessageBox& box, const QString& text, QMessageBox::ButtonRole role,
                             Answer answer) {
  QPushButton* button = box.addButton(text, role);
  button->setProperty(kAnswerProperty, static_cast<int>(answer));
  return button;
}

class QtDialogs : public Dialogs {
 public:
  void ShowMessage(const QString& text) override { ShowTitledMessage(MessageTitle(), text); }
  void ShowTitledMessage(const QString& title, const QString& text) override {
    BuildMessageBox(title, text, ActiveWindow())->exec();
  }
  bool Confirm(const QString& text) override {
    auto box = BuildQuestionBox(text, false, ActiveWindow());
    box->exec();
    return AnswerOf(*box) == Answer::Yes;
  }
  Answer ConfirmYesNoCancel(const QString& text) override {
    auto box = BuildQuestionBox(text, true, ActiveWindow());
    box->exec();
    return AnswerOf(*box);
  }
  QString OpenFile(const QString& title, const QString& folder, const QString& filter) override {
    return QFileDialog::getOpenFileName(ActiveWindow(), title, folder, filter);
  }
  QString OpenPicture(const QString& title, const QString& folder, const QString& filter) override {
    const QString pictures = filter.isEmpty() ? QStringLiteral("画像ファイル (*.jpg *.jpeg *.bmp)") : filter;
    return QFileDialog::getOpenFileName(ActiveWindow(), title, folder, pictures);
  }
};

Dialogs* installed = nullptr;
QString messageTitle = QString::fromUtf8(kApplicationTitle);

}  // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(const QString& title, const QString& text, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

std::unique_ptr<QMessageBox> BuildQuestionBox(const QString& text, bool withCancel, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QString::fromUtf8(kQuestionTitle), text,
                                           QMessageBox::NoButton, parent);
  box->setWindowModality(Qt::ApplicationModal);
  QPushButton* yes = AddAnswerButton(*box, QStringLiteral("はい(&Y)"), QMessageBox::YesRole, Answer::Yes);
  QPushButton* no = AddAnswerButton(*box, QStringLiteral("いいえ(&N)"), QMessageBox::NoRole, Answer::No);
  box->setDefaultButton(yes);
  if (withCancel) {
    box->setEscapeButton(
        AddAnswerButton(*box, QStringLiteral("キャンセル"), QMessageBox::RejectRole, Answer::Cancel));
  } else {
    box->setEscapeButton(no);
  }
  return box;
}

Answer AnswerOf(const QMessageBox& box) {
  QAbstractButton* button = box.clickedButton();
  if (button == nullptr) button = box.escapeButton();
  if (button == nullptr) return Answer::Cancel;
  const QVariant answer = button->property(kAnswerProperty);
  return answer.isValid() ? static_cast<Answer>(answer.toInt()) : Answer::Cancel;
}

Dialogs& CurrentDialogs() {
  static QtDialogs qtDialogs;
  return installed != nullptr ? *installed : qtDialogs;
}

void SetDialogs(Dialogs* dialogs) { installed = dialogs; }

QString MessageTitle() { return messageTitle; }

void SetMessageTitle(const QString& title) { messageTitle = title; }

}  // namespace platform
