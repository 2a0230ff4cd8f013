#pragma once
// The map page "k.html": its text, the file written from it, and the private
// folder that holds the file while the program runs.
#include <QByteArray>
#include <QString>

namespace drevlin {

// Scheme and host of each service that the page loads from or links to, for
// example "https://cyberjapandata.gsi.go.jp". The three tile servers that
// spread their load over subdomains keep the library's key "{s}" in the host.
struct MapEndpoints {
  QString library;      // content delivery of the map library
  QString gsiTiles;     // national map authority's tile server
  QString gsiSite;      // its site with the tile list page
  QString osmTiles;     // OpenStreetMap tiles, "{s}." first
  QString osmSite;      // OpenStreetMap site (copyright page)
  QString cycleTiles;   // cycle map tiles, "{s}." first
  QString cycleSite;    // OpenCycleMap site
  QString googleTiles;  // road and satellite tiles, "{s}" in the host
};

// The endpoints chosen when the program was built (CMake cache variables
// KIVO_MAP_*_ENDPOINT).
MapEndpoints BuiltInMapEndpoints();

// The address below which the page asks for the map library's files
// ("<library>/leaflet-0.7.3/").
QString LibraryBase(const MapEndpoints& endpoints);

// The page: 98 lines, UTF-8 without a byte-order mark, every line ended by
// CR LF. The same text for the same endpoints.
QByteArray MapPageText(const MapEndpoints& endpoints);

// Writes the page to `path` as a new file; a file already there is deleted
// first. Throws std::runtime_error "Cannot write the map page <path>: <why>"
// when the file cannot be created or written whole.
void WriteMapPageFile(const QString& path, const MapEndpoints& endpoints);

}  // namespace drevlin
