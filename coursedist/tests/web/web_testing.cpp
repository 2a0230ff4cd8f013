#include "web_testing.h"

#include <QTest>

namespace drevlin::testing {

QVariant RunScript(MapView& view, const QString& script) {
  bool answered = false;
  QVariant value;
  view.Page()->runJavaScript(script, [&](const QVariant& result) {
    value = result;
    answered = true;
  });
  if (!QTest::qWaitFor([&] { return answered; }, kWebTimeoutMs)) return {};
  return value;
}

bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, kWebTimeoutMs); }

bool WaitForMap(MapView& view) {
  return WaitFor([&] {
    return RunScript(view, QStringLiteral("typeof L === 'object' && typeof map === 'object' && "
                                          "map.getSize().x > 0"))
        .toBool();
  });
}

void CountMoves(MapView& view) {
  RunScript(view, QStringLiteral("window.testMoves = 0; "
                                 "map.on('moveend', function () { ++window.testMoves; }); true"));
}

int Moves(MapView& view) { return RunScript(view, QStringLiteral("window.testMoves")).toInt(); }

QStringList PositionTextsAt(MapView& view, QPoint point) {
  return RunScript(view, QStringLiteral("(function () { var p = map.containerPointToLatLng([%1, %2]); "
                                        "return [p.lat.toString(), p.lng.toString()]; })()")
                             .arg(point.x())
                             .arg(point.y()))
      .toStringList();
}

std::pair<double, double> LatLngAt(MapView& view, QPoint point) {
  // A number's toString() reads back as the same number.
  const QStringList texts = PositionTextsAt(view, point);
  if (texts.size() != 2) return {0, 0};
  return {texts[0].toDouble(), texts[1].toDouble()};
}

void ClickAt(MapView& view, QPoint point) {
  QWidget* target = view.Browser()->focusProxy() != nullptr ? view.Browser()->focusProxy() : view.Browser();
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
}

}  // namespace drevlin::testing
