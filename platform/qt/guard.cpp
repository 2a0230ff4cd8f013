#include "qt/guard.h"

#include "qt/dialogs.h"

namespace platform {

void ShowError(const std::exception& e) { CurrentDialogs().ShowMessage(QString::fromUtf8(e.what())); }

void ShowUnknownError() { CurrentDialogs().ShowMessage(QStringLiteral("不明なエラーが発生しました。")); }

}  // namespace platform
