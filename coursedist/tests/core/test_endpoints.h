#pragma once
// Endpoints on hosts that exist nowhere, for the page's tests.
#include "core/map_page.h"

namespace drevlin::testing {

inline MapEndpoints TestEndpoints() {
  return MapEndpoints{
      QStringLiteral("http://lib.test"),       QStringLiteral("http://tiles.gsi.test"),
      QStringLiteral("https://site.gsi.test"), QStringLiteral("http://{s}.tiles.osm.test"),
      QStringLiteral("https://osm.test"),      QStringLiteral("http://{s}.tiles.cycle.test"),
      QStringLiteral("http://cycle.test"),     QStringLiteral("https://mt{s}.road.test"),
  };
}

}  // namespace drevlin::testing
