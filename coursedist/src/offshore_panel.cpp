// The offshore side of the window: the map page written at start-up and
// shown in the map area, the capture of clicked points into the point list,
// "再計算" and "Clear　All".
#include <optional>
#include <vector>

#include "core/map_page.h"
#include "core/page_folder.h"
#include "drevlin_window.h"
#include "locale/user_locale.h"
#include "qt/dialogs.h"
#include "qt/guard.h"
#include "qt/system.h"

namespace drevlin {

QString TForm1::GetTempFolder() {
  // A folder of this process alone: nobody else can put a file or a link
  // where the page goes, and the folder goes when the program ends. Folders
  // of runs that ended without removing theirs go first.
  const QString parent = platform::CurrentSystem().TempPath();
  RemoveStalePageFolders(parent);
  PageFolder.reset();
  PageFolder = std::make_unique<MapPageFolder>(parent);
  return PageFolder->Path() + QLatin1Char('/');
}

void TForm1::WriteMapPage() { WriteMapPageFile(PagePath, BuiltInMapEndpoints()); }

void TForm1::ShowMapPage() {
  // Without the page the map area stays empty; the rest of the window works.
  platform::Guarded([this] {
    PagePath = GetTempFolder() + QStringLiteral("k.html");
    try {
      WriteMapPage();
    } catch (...) {
      PagePath.clear();  // "Clear All" has no page to show again
      throw;
    }
    WebBrowser1->Navigate(PagePath);
  });
}

void TForm1::WebBrowser1CommandStateChange() {
  if (CaptureRunning) return;
  CaptureRunning = true;
  WebBrowser1->ReadPosition([this](std::optional<PagePosition> position) {
    if (position) CapturePoint(*position);
    CaptureRunning = false;
  });
}

void TForm1::CapturePoint(const PagePosition& position) {
  std::optional<CaptureResult> taken;
  platform::Guarded([&] {
    taken =
        TakePoint(Course, CaptureInput{position.lat, position.lng, Memo5->text(), Memo6->text(), MileUnit},
                  platform::UserLocale());
  });
  // Whatever became of the click, the map shows the listed points and no
  // others: a refused click leaves no marker.
  MarkListedPoints();
  if (!taken || taken->kind == CaptureResult::Kind::Ignored) return;
  const CaptureResult& result = *taken;
  if (result.kind == CaptureResult::Kind::Refused) {
    platform::CurrentDialogs().ShowMessage(result.message);
    return;
  }
  MagVar = result.magVar;
  AvgTwd = result.avgTwd;
  Memo1->setText(result.latText);
  Memo2->setText(result.lngText);
  Memo4->setText(result.countText);
  if (!result.magVarText.isEmpty()) Memo5->setText(result.magVarText);
  if (!result.totalMilesText.isEmpty()) {
    Memo3->setText(result.totalMilesText);
    Memo18->setText(result.totalKmText);
  }
  ListBox1->addItem(result.row);
  ListBox1->scrollToBottom();
  repaint();
  if (!result.message.isEmpty()) platform::CurrentDialogs().ShowMessage(result.message);
}

void TForm1::MarkListedPoints() {
  std::vector<Position> points;
  for (int i = 1; i <= Course.PointCount; ++i) points.push_back({Course.PointLat[i], Course.PointLon[i]});
  WebBrowser1->ShowMarkersAt(points);
}

void TForm1::Button2Click() {
  platform::Guarded([this] {
    // Fields that are no valid numbers leave the list as it is shown.
    const QStringList rows = RebuildPointList(Course, Memo5->text(), Memo6->text(), platform::UserLocale());
    ListBox1->clear();
    ListBox1->addItems(rows);
    repaint();
  });
  MarkListedPoints();
}

void TForm1::ClearPointList() {
  ClearPoints(Course);
  ListBox1->clear();
  Memo1->clear();
  Memo2->clear();
  Memo3->clear();
  Memo18->clear();
  Memo4->setText(QStringLiteral("0"));
}

void TForm1::Button1Click() {
  ClearPointList();
  if (!PagePath.isEmpty()) WebBrowser1->Navigate(PagePath);
}

}  // namespace drevlin
