#include "core/map_page.h"

#include <array>
#include <stdexcept>

#include <QFile>

#include "files/whole_file.h"

namespace drevlin {
namespace {

// The page line by line. "$NAME$" stands for an endpoint's scheme and host;
// "\t" and the blanks at the ends of lines belong to the page.
constexpr std::array<const char*, 98> kPageLines = {
    "<!DOCTYPE html>",
    "<html> ",
    "<head> ",
    "<meta charset=\"UTF-8\"> ",
    "<title>Drev Lin</title> ",
    "<link rel=\"stylesheet\" href=\"$LIBRARY$/leaflet-0.7.3/leaflet.css\" /> ",
    "<script src=\"$LIBRARY$/leaflet-0.7.3/leaflet.js\"></script> ",
    "",
    "<style> ",
    "   body {padding: 0; margin: 0} ",
    "   html, body, #map {height: 100%; width: 100%;} ",
    "   @import url($LIBRARY$/leaflet-0.6.1/leaflet.css);",
    "",
    " </style> ",
    " </head> ",
    " ",
    " ",
    " <body> ",
    "",
    " <div id=\"map\"> ",
    "        <input type=\"hidden\" id=\"lat\">",
    "        <input type=\"hidden\" id=\"lng\">",
    "\t      <input type=\"hidden\" id=\"zoomLevel\">",
    "        <input type=\"hidden\" id=\"clat\">",
    "\t      <input type=\"hidden\" id=\"clon\">",
    "        <input type=\"hidden\" id=\"alt\">",
    " </div>",
    "",
    " <script> ",
    " var map = L.map('map'); ",
    " var marker;",
    "",
    "     document.getElementById(\"lat\").value = \"\";",
    "     document.getElementById(\"lng\").value = \"\";",
    "     document.getElementById(\"zoomLevel\").value = \"\";",
    "     document.getElementById(\"clat\").value = \"\";",
    "     document.getElementById(\"clon\").value = \"\";",
    "",
    "",
    "    var gsi_pale = L.tileLayer('$GSI_TILES$/xyz/pale/{z}/{x}/{y}.png',{ attribution: "
    "'地理院タイル（淡色地図）', maxZoom: 17});",
    "    var gsi_ort = L.tileLayer('$GSI_TILES$/xyz/ort/{z}/{x}/{y}.jpg', { attribution: "
    "'地理院タイル（電子国土基本図（オルソ画像））', maxZoom: 17});",
    "    var osm = L.tileLayer('$OSM_TILES$/{z}/{x}/{y}.png', {attribution: \"OpenStreetMap\"});",
    "    var cyclemap= L.tileLayer('$CYCLE_TILES$/cycle/{z}/{x}/{y}.png', { attribution: '&copy; "
    "<a href=\"$CYCLE_SITE$\">OpenCycleMap</a>, &copy; <a href=\"$OSM_SITE$/copyright\">"
    "OpenStreetMap</a>'})",
    "    var google = L.tileLayer('$GOOGLE_TILES$/vt/lyrs=m@121&hl=ja&x={x}&y={y}&z={z}',{ "
    "subdomains: [0,1,2,3],attribution: \"GoogleMap\"});",
    "      var googleSat = L.tileLayer('$GOOGLE_TILES$/vt/lyrs=s&x={x}&y={y}&z={z}',{maxZoom: "
    "20,subdomains:[0,1,2,3],attribution: \"GoogleSatellite\"});",
    "    var gsi_std = L.tileLayer('$GSI_TILES$/xyz/std/{z}/{x}/{y}.png', {  attribution: \"<a "
    "href='$GSI_SITE$/development/ichiran.html' target='_blank'>地理院標準タイル</a>\"})"
    ".addTo(map); ",
    "    var baseLayers = { \"地理院-標準地図\":gsi_std,  \"地理院-淡色地図\":gsi_pale, "
    "\",地理院-航空写真\": gsi_ort,\"OpenStreetMap\":osm,\"Open Cycle Map\":cyclemap,"
    "\"GoogleMap\":google,\"Google Sat\":googleSat };",
    "  \t",
    "    L.control.layers(baseLayers).addTo(map);",
    "",
    "    var popup = L.popup();",
    "",
    "    function onMapClick(e) {",
    "        if (marker !=null){",
    "    }",
    "",
    "     popup",
    "",
    "    marker=L.marker(e.latlng).addTo(map);",
    "    map.panTo(e.latlng);",
    "",
    "    document.getElementById(\"lat\").value = e.latlng.lat.toString();",
    "    document.getElementById(\"lng\").value = e.latlng.lng.toString();",
    "",
    "    document.getElementById(\"clat\").value = e.latlng.lat.toString();",
    "    document.getElementById(\"clon\").value = e.latlng.lng.toString();",
    "",
    "    }",
    "",
    "     map.on('click', onMapClick);",
    "",
    "        function onDragEnd(){",
    "        document.getElementById(\"clat\").value = map.getCenter().lat.toString();",
    "        document.getElementById(\"clon\").value = map.getCenter().lng.toString();",
    "\t}",
    "",
    "    map.on('dragend', onDragEnd);",
    "",
    "",
    "    function GotoLatLng(Lat, Lang) { ",
    "       map.panTo(new L.LatLng(Lat, Lang));   ",
    "    }",
    "",
    "    map.on(\"zoomend\", function (e) { ",
    "        document.getElementById(\"zoomLevel\").value = map.getZoom(e).toString();  "
    "//e.latlng.lng.toString();",
    "    });",
    "",
    "    function changeZoom(z){map.setZoom(z)};",
    "  ",
    "    function clearMarker(){",
    "        if (marker !=null){",
    "            map.removeLayer(marker);",
    "    }}",
    "    map.setView([38.4,138.3],6); ",
    "",
    " </script> ",
    " </body> ",
    " </html> ",
};

QByteArray EndpointText(const QString& endpoint) { return endpoint.toUtf8(); }

}  // namespace

MapEndpoints BuiltInMapEndpoints() {
  return MapEndpoints{
      QStringLiteral(KIVO_MAP_LIBRARY_ENDPOINT),    QStringLiteral(KIVO_MAP_GSI_TILE_ENDPOINT),
      QStringLiteral(KIVO_MAP_GSI_SITE_ENDPOINT),   QStringLiteral(KIVO_MAP_OSM_TILE_ENDPOINT),
      QStringLiteral(KIVO_MAP_OSM_SITE_ENDPOINT),   QStringLiteral(KIVO_MAP_CYCLE_TILE_ENDPOINT),
      QStringLiteral(KIVO_MAP_CYCLE_SITE_ENDPOINT), QStringLiteral(KIVO_MAP_GOOGLE_TILE_ENDPOINT),
  };
}

QString LibraryBase(const MapEndpoints& endpoints) {
  return endpoints.library + QStringLiteral("/leaflet-0.7.3/");
}

QByteArray MapPageText(const MapEndpoints& endpoints) {
  const std::array<std::pair<QByteArray, QByteArray>, 8> substitutions = {{
      {"$LIBRARY$", EndpointText(endpoints.library)},
      {"$GSI_TILES$", EndpointText(endpoints.gsiTiles)},
      {"$GSI_SITE$", EndpointText(endpoints.gsiSite)},
      {"$OSM_TILES$", EndpointText(endpoints.osmTiles)},
      {"$OSM_SITE$", EndpointText(endpoints.osmSite)},
      {"$CYCLE_TILES$", EndpointText(endpoints.cycleTiles)},
      {"$CYCLE_SITE$", EndpointText(endpoints.cycleSite)},
      {"$GOOGLE_TILES$", EndpointText(endpoints.googleTiles)},
  }};
  QByteArray page;
  for (const char* line : kPageLines) {
    QByteArray text(line);
    for (const auto& [name, value] : substitutions) text.replace(name, value);
    page += text;
    page += "\r\n";
  }
  return page;
}

void WriteMapPageFile(const QString& path, const MapEndpoints& endpoints) {
  // A link in the page's place is removed, not followed: the writer then
  // makes a new file there (the folder is the program's own, 0700).
  QFile::remove(path);
  QString why;
  if (!platform::WriteFileWhole(path, MapPageText(endpoints), &why))
    throw std::runtime_error(QStringLiteral("Cannot write the map page %1: %2").arg(path, why).toStdString());
}

}  // namespace drevlin
