#pragma once
// Helpers for tests that drive the map page in a real web view.
#include <functional>

#include <QPoint>
#include <QString>
#include <QVariant>

#include "core/test_endpoints.h"
#include "map_view.h"

namespace drevlin::testing {

// Every wait gives up after this long.
inline constexpr int kWebTimeoutMs = 10000;

// Runs `script` in the page's own scripts' world and waits for its value;
// an invalid value after the timeout.
QVariant RunScript(MapView& view, const QString& script);
// Waits until `condition` holds; false after the timeout.
bool WaitFor(const std::function<bool()>& condition);
// Waits until the map library is there and has laid out the map.
bool WaitForMap(MapView& view);
// Counts the map's "moveend" events from now on, so that a test can wait for
// the pan that follows a click.
void CountMoves(MapView& view);
int Moves(MapView& view);
// The position under a point of the view, as the map computes it.
std::pair<double, double> LatLngAt(MapView& view, QPoint point);
// The texts that the page writes for a click there (the numbers'
// toString()), [lat, lng].
QStringList PositionTextsAt(MapView& view, QPoint point);
// A real mouse click on the view's content.
void ClickAt(MapView& view, QPoint point);

}  // namespace drevlin::testing
