#pragma once
// The Qt message boxes behind QtDialogs, built but not shown, so that their
// titles, buttons and answers can be checked without a modal loop.
#include <memory>

#include <QMessageBox>
#include <QString>

#include "qt/dialogs.h"

namespace platform {

inline constexpr char kApplicationTitle[] = "MORSUND KIVO SCORER 2017";
inline constexpr char kQuestionTitle[] = "確認";

// A plain box with an OK button.
std::unique_ptr<QMessageBox> BuildMessageBox(const QString& title, const QString& text, QWidget* parent);
// A question titled "確認" with "はい(&Y)" and "いいえ(&N)", and "キャンセル"
// when `withCancel`. Escape answers No, or Cancel when there is one.
std::unique_ptr<QMessageBox> BuildQuestionBox(const QString& text, bool withCancel, QWidget* parent);
// The answer of a question box after it closed; a box closed without a
// button counts as its escape answer.
Answer AnswerOf(const QMessageBox& box);

}  // namespace platform
