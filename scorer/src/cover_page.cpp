// Page 0: the cover with its picture, the version and "OK".
#include <QImage>
#include <QPushButton>

#include "form_building.h"
#include "scorer_window.h"

// The cover picture is a resource of this static library.
static void InitCoverResources() { Q_INIT_RESOURCE(scorer); }

namespace kivo {

void TForm1::BuildCoverPage() {
  InitCoverResources();
  pnlCOVER = Place<ClickablePanel>(this, "pnlCOVER", 0, 0, 464, 481);
  pnlCOVER->SetFlat(true);
  pnlCOVER->SetColor(kWhite);

  Image1 = Place<PictureBox>(pnlCOVER, "Image1", 0, 0, 464, 400);
  Image1->SetPicture(QImage(QStringLiteral(":/kivo/cover.png")));

  VersionLabel = Place<QLabel>(pnlCOVER, "VersionLabel", 0, 404, 464, 28);
  VersionLabel->setAlignment(Qt::AlignCenter);
  VersionLabel->setText(QStringLiteral("Version 17.01"));

  Button14 = Place<QPushButton>(pnlCOVER, "Button14", 182, 440, 100, 32);
  Button14->setText(QStringLiteral("OK"));
  connect(Button14, &QPushButton::clicked, this, &TForm1::Button14Click);
}

}  // namespace kivo
