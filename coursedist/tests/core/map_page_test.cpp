// The map page's bytes and the writing of its file.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/map_page.h"
#include "test_endpoints.h"

namespace drevlin {
namespace {

using testing::TestEndpoints;

// The page as it must be, line by line, with the test hosts above.
const char* const kExpectedLines[] = {
    /* 1 */ "<!DOCTYPE html>",
    /* 2 */ "<html> ",
    /* 3 */ "<head> ",
    /* 4 */ "<meta charset=\"UTF-8\"> ",
    /* 5 */ "<title>Drev Lin</title> ",
    /* 6 */ "<link rel=\"stylesheet\" href=\"http://lib.test/leaflet-0.7.3/leaflet.css\" /> ",
    /* 7 */ "<script src=\"http://lib.test/leaflet-0.7.3/leaflet.js\"></script> ",
    /* 8 */ "",
    /* 9 */ "<style> ",
    /* 10 */ "   body {padding: 0; margin: 0} ",
    /* 11 */ "   html, body, #map {height: 100%; width: 100%;} ",
    /* 12 */ "   @import url(http://lib.test/leaflet-0.6.1/leaflet.css);",
    /* 13 */ "",
    /* 14 */ " </style> ",
    /* 15 */ " </head> ",
    /* 16 */ " ",
    /* 17 */ " ",
    /* 18 */ " <body> ",
    /* 19 */ "",
    /* 20 */ " <div id=\"map\"> ",
    /* 21 */ "        <input type=\"hidden\" id=\"lat\">",
    /* 22 */ "        <input type=\"hidden\" id=\"lng\">",
    /* 23 */ "\t      <input type=\"hidden\" id=\"zoomLevel\">",
    /* 24 */ "        <input type=\"hidden\" id=\"clat\">",
    /* 25 */ "\t      <input type=\"hidden\" id=\"clon\">",
    /* 26 */ "        <input type=\"hidden\" id=\"alt\">",
    /* 27 */ " </div>",
    /* 28 */ "",
    /* 29 */ " <script> ",
    /* 30 */ " var map = L.map('map'); ",
    /* 31 */ " var marker;",
    /* 32 */ "",
    /* 33 */ "     document.getElementById(\"lat\").value = \"\";",
    /* 34 */ "     document.getElementById(\"lng\").value = \"\";",
    /* 35 */ "     document.getElementById(\"zoomLevel\").value = \"\";",
    /* 36 */ "     document.getElementById(\"clat\").value = \"\";",
    /* 37 */ "     document.getElementById(\"clon\").value = \"\";",
    /* 38 */ "",
    /* 39 */ "",
    /* 40 */
    "    var gsi_pale = L.tileLayer('http://tiles.gsi.test/xyz/pale/{z}/{x}/{y}.png',{ attribution: "
    "'地理院タイル（淡色地図）', maxZoom: 17});",
    /* 41 */
    "    var gsi_ort = L.tileLayer('http://tiles.gsi.test/xyz/ort/{z}/{x}/{y}.jpg', { attribution: "
    "'地理院タイル（電子国土基本図（オルソ画像））', maxZoom: 17});",
    /* 42 */
    "    var osm = L.tileLayer('http://{s}.tiles.osm.test/{z}/{x}/{y}.png', {attribution: "
    "\"OpenStreetMap\"});",
    /* 43 */
    "    var cyclemap= L.tileLayer('http://{s}.tiles.cycle.test/cycle/{z}/{x}/{y}.png', { "
    "attribution: '&copy; <a href=\"http://cycle.test\">OpenCycleMap</a>, &copy; <a "
    "href=\"https://osm.test/copyright\">OpenStreetMap</a>'})",
    /* 44 */
    "    var google = L.tileLayer('https://mt{s}.road.test/vt/lyrs=m@121&hl=ja&x={x}&y={y}&z={z}',{ "
    "subdomains: [0,1,2,3],attribution: \"GoogleMap\"});",
    /* 45 */
    "      var googleSat = L.tileLayer('https://mt{s}.road.test/vt/lyrs=s&x={x}&y={y}&z={z}',"
    "{maxZoom: 20,subdomains:[0,1,2,3],attribution: \"GoogleSatellite\"});",
    /* 46 */
    "    var gsi_std = L.tileLayer('http://tiles.gsi.test/xyz/std/{z}/{x}/{y}.png', {  "
    "attribution: \"<a href='https://site.gsi.test/development/ichiran.html' "
    "target='_blank'>地理院標準タイル</a>\"}).addTo(map); ",
    /* 47 */
    "    var baseLayers = { \"地理院-標準地図\":gsi_std,  \"地理院-淡色地図\":gsi_pale, "
    "\",地理院-航空写真\": gsi_ort,\"OpenStreetMap\":osm,\"Open Cycle "
    "Map\":cyclemap,\"GoogleMap\":google,\"Google Sat\":googleSat };",
    /* 48 */ "  \t",
    /* 49 */ "    L.control.layers(baseLayers).addTo(map);",
    /* 50 */ "",
    /* 51 */ "    var popup = L.popup();",
    /* 52 */ "",
    /* 53 */ "    function onMapClick(e) {",
    /* 54 */ "        if (marker !=null){",
    /* 55 */ "    }",
    /* 56 */ "",
    /* 57 */ "     popup",
    /* 58 */ "",
    /* 59 */ "    marker=L.marker(e.latlng).addTo(map);",
    /* 60 */ "    map.panTo(e.latlng);",
    /* 61 */ "",
    /* 62 */ "    document.getElementById(\"lat\").value = e.latlng.lat.toString();",
    /* 63 */ "    document.getElementById(\"lng\").value = e.latlng.lng.toString();",
    /* 64 */ "",
    /* 65 */ "    document.getElementById(\"clat\").value = e.latlng.lat.toString();",
    /* 66 */ "    document.getElementById(\"clon\").value = e.latlng.lng.toString();",
    /* 67 */ "",
    /* 68 */ "    }",
    /* 69 */ "",
    /* 70 */ "     map.on('click', onMapClick);",
    /* 71 */ "",
    /* 72 */ "        function onDragEnd(){",
    /* 73 */ "        document.getElementById(\"clat\").value = map.getCenter().lat.toString();",
    /* 74 */ "        document.getElementById(\"clon\").value = map.getCenter().lng.toString();",
    /* 75 */ "\t}",
    /* 76 */ "",
    /* 77 */ "    map.on('dragend', onDragEnd);",
    /* 78 */ "",
    /* 79 */ "",
    /* 80 */ "    function GotoLatLng(Lat, Lang) { ",
    /* 81 */ "       map.panTo(new L.LatLng(Lat, Lang));   ",
    /* 82 */ "    }",
    /* 83 */ "",
    /* 84 */ "    map.on(\"zoomend\", function (e) { ",
    /* 85 */
    "        document.getElementById(\"zoomLevel\").value = map.getZoom(e).toString();  "
    "//e.latlng.lng.toString();",
    /* 86 */ "    });",
    /* 87 */ "",
    /* 88 */ "    function changeZoom(z){map.setZoom(z)};",
    /* 89 */ "  ",
    /* 90 */ "    function clearMarker(){",
    /* 91 */ "        if (marker !=null){",
    /* 92 */ "            map.removeLayer(marker);",
    /* 93 */ "    }}",
    /* 94 */ "    map.setView([38.4,138.3],6); ",
    /* 95 */ "",
    /* 96 */ " </script> ",
    /* 97 */ " </body> ",
    /* 98 */ " </html> ",
};

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}

TEST(MapPage, IsTheNinetyEightLinesWithTheConfiguredHosts) {
  const QByteArray page = MapPageText(TestEndpoints());
  ASSERT_FALSE(page.startsWith("\xEF\xBB\xBF")) << "no byte-order mark";
  ASSERT_TRUE(page.endsWith("\r\n")) << "the last line ends with CR LF too";
  const QList<QByteArray> lines = page.chopped(2).split('\n');
  ASSERT_EQ(lines.size(), 98);
  for (int i = 0; i < 98; ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    ASSERT_TRUE(lines[i].endsWith('\r') || i == 97);
    const QByteArray line = i == 97 ? lines[i] : lines[i].chopped(1);
    EXPECT_EQ(line.toStdString(), std::string(kExpectedLines[i]));
  }
  EXPECT_EQ(page.count("\r\n"), 98);
  EXPECT_EQ(page.count('\n'), 98) << "no bare line feeds";
}

TEST(MapPage, JapaneseTextsAreUtf8) {
  const QByteArray page = MapPageText(TestEndpoints());
  // 地理院標準タイル, UTF-8 encoded.
  EXPECT_TRUE(
      page.contains("\xE5\x9C\xB0\xE7\x90\x86\xE9\x99\xA2\xE6\xA8\x99\xE6\xBA\x96"
                    "\xE3\x82\xBF\xE3\x82\xA4\xE3\x83\xAB"));
  EXPECT_EQ(QString::fromUtf8(page).toUtf8(), page);
}

TEST(MapPage, TwoStartsLeaveOneFileWithTheSameBytes) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("k.html"));
  WriteMapPageFile(path, TestEndpoints());
  const QByteArray first = ReadFile(path);
  WriteMapPageFile(path, TestEndpoints());
  EXPECT_EQ(ReadFile(path), first);
  EXPECT_EQ(first, MapPageText(TestEndpoints()));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("k.html")});
}

TEST(MapPage, APlantedLinkIsReplacedNotFollowed) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString victim = folder.filePath(QStringLiteral("victim.txt"));
  {
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
  }
  const QString path = folder.filePath(QStringLiteral("k.html"));
  ASSERT_TRUE(QFile::link(victim, path));
  WriteMapPageFile(path, TestEndpoints());
  EXPECT_EQ(ReadFile(victim), QByteArray("keep me"));
  EXPECT_FALSE(QFileInfo(path).isSymLink());
  EXPECT_EQ(ReadFile(path), MapPageText(TestEndpoints()));
}

TEST(MapPage, AFileThatCannotBeWrittenIsReportedWithItsPath) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("missing/k.html"));
  try {
    WriteMapPageFile(path, TestEndpoints());
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Cannot write the map page ") + path +
                                                       QStringLiteral(": ")))
        << e.what();
  }
}

}  // namespace
}  // namespace drevlin
