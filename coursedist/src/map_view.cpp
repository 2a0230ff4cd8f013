#include "map_view.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>

#include "qt/shell.h"

namespace drevlin {
namespace {

bool webEngineEnabled = true;
NetworkPolicy networkPolicy = NetworkPolicy::Allow;

// The console line by which the click listener reports; the page never
// writes it.
const QString kClickToken = QStringLiteral("drevlin:page-click");

// Listens on the document, below the map's own handlers, so that the inputs
// are set when it reports. It runs apart from the page's scripts.
const QString kClickListener =
    QStringLiteral("document.addEventListener('click', function () { console.log('%1'); }, false);")
        .arg(kClickToken);

// The last "input" under the body whose id is the name, ASCII letters in
// either case, gives the value; [lat, lng], or null without a body.
const QString kReadPosition = QStringLiteral(R"((function () {
  function asciiLower(text) {
    return String(text).replace(/[A-Z]/g, function (c) {
      return String.fromCharCode(c.charCodeAt(0) + 32);
    });
  }
  function GetHiddenInputValue(name, body) {
    var result = '';
    var inputs = body.getElementsByTagName('input');
    for (var i = 0; i < inputs.length; ++i) {
      if (asciiLower(inputs[i].id) === name) result = String(inputs[i].value);
    }
    return result;
  }
  var body = document.body;
  if (!body) return null;
  return [GetHiddenInputValue('lat', body), GetHiddenInputValue('lng', body)];
})())");

// Runs in the page's own world, where its map is: matches the markers to the
// points in the order they were set, so that of two at one point the later
// (a refused click) goes.
const QString kShowMarkersAt = QStringLiteral(R"((function (points) {
  if (typeof L !== 'object' || typeof map !== 'object') return null;
  var markers = [];
  map.eachLayer(function (layer) { if (layer instanceof L.Marker) markers.push(layer); });
  function at(marker, point) {
    var position = marker.getLatLng();
    var east = Math.abs(position.lng - point[1]) % 360;
    return Math.abs(position.lat - point[0]) < 1e-4 && Math.min(east, 360 - east) < 1e-4;
  }
  points.forEach(function (point) {
    for (var i = 0; i < markers.length; ++i) {
      if (markers[i] !== null && at(markers[i], point)) {
        markers[i] = null;
        return;
      }
    }
    L.marker(point).addTo(map);
  });
  markers.forEach(function (marker) { if (marker !== null) map.removeLayer(marker); });
  return points.length;
})(%1))");

bool IsLocalScheme(const QString& scheme) {
  static const QStringList local = {QStringLiteral("qrc"), QStringLiteral("file"), QStringLiteral("data"),
                                    QStringLiteral("blob"), QStringLiteral("about")};
  return local.contains(scheme);
}

bool IsWebAddress(const QUrl& url) {
  return url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http");
}

}  // namespace

void PrepareWebEngineProcess() {
  if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void SetWebEngineEnabled(bool enabled) { webEngineEnabled = enabled; }

void SetNetworkPolicy(NetworkPolicy policy) { networkPolicy = policy; }

NetworkPolicy CurrentNetworkPolicy() { return networkPolicy; }

MapRequestInterceptor::MapRequestInterceptor(const QString& libraryBase, NetworkPolicy policy,
                                             QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent), libraryBase_(libraryBase), policy_(policy) {}

void MapRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
  const QUrl url = info.requestUrl();
  const QString address = url.toString();
  if (address.startsWith(libraryBase_)) {
    // A redirect to file: is refused by the engine; qrc: is served.
    info.redirect(QUrl(QStringLiteral("qrc:/leaflet-0.7.3/") + address.mid(libraryBase_.size())));
    return;
  }
  if (IsLocalScheme(url.scheme()) || policy_ == NetworkPolicy::Allow) return;
  info.block(true);
  std::lock_guard lock(mutex_);
  refused_.append(address);
}

QStringList MapRequestInterceptor::RefusedRequests() const {
  std::lock_guard lock(mutex_);
  return refused_;
}

MapPage::MapPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
  QWebEngineScript listener;
  listener.setName(QStringLiteral("drevlin-click-listener"));
  listener.setSourceCode(kClickListener);
  listener.setInjectionPoint(QWebEngineScript::DocumentReady);
  listener.setWorldId(QWebEngineScript::ApplicationWorld);
  listener.setRunsOnSubFrames(false);
  scripts().insert(listener);

  // The attribution links open in the desktop's browser, never in the map.
  connect(this, &QWebEnginePage::newWindowRequested, this, [](QWebEngineNewWindowRequest& request) {
    if (IsWebAddress(request.requestedUrl()))
      platform::CurrentShell().OpenDocument(request.requestedUrl().toString());
  });
}

void MapPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                       int lineNumber, const QString& sourceId) {
  if (message == kClickToken) {
    emit clicked();
    return;
  }
  QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceId);
}

bool MapPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (url.isLocalFile() && isMainFrame) return true;
  if (type == NavigationTypeLinkClicked && IsWebAddress(url))
    platform::CurrentShell().OpenDocument(url.toString());
  return false;
}

MapView::MapView(QWidget* parent, const MapEndpoints& endpoints) : QWidget(parent) {
  if (!webEngineEnabled) return;
  // No storage name: off the record, nothing kept on disk between runs.
  profile_ = new QWebEngineProfile(this);
  interceptor_ = new MapRequestInterceptor(LibraryBase(endpoints), CurrentNetworkPolicy(), this);
  profile_->setUrlRequestInterceptor(interceptor_);
  QWebEngineSettings* settings = profile_->settings();
  // A file page requests no script, style sheet or tile without the first;
  // with the second on, a page script could read any of the user's files.
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);

  browser_ = new QWebEngineView(this);
  page_ = new MapPage(profile_, browser_);
  browser_->setPage(page_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  setFocusProxy(browser_);
  // Asking for the history sets the browser up now, before the window has a
  // native window; set up at the first navigation instead, it makes the
  // window system forget that the window is maximized.
  page_->history()->count();
  connect(page_, &QWebEnginePage::loadStarted, this, [this] { ++loads_; });
  connect(page_, &QWebEnginePage::loadFinished, this, [this] { emit pageActivity(); });
  connect(page_, &MapPage::clicked, this, &MapView::pageActivity);
}

MapView::~MapView() {
  // The page goes before the profile it was made with; answers that its
  // end delivers find no reader.
  closing_ = true;
  delete page_;
}

void MapView::Navigate(const QString& path) {
  pagePath_ = path;
  // Answers still on their way belong to the page being replaced.
  ++loads_;
  if (browser_ != nullptr) browser_->load(QUrl::fromLocalFile(path));
}

void MapView::ReadPosition(std::function<void(std::optional<PagePosition>)> done) {
  if (page_ == nullptr) {
    done(std::nullopt);
    return;
  }
  const quint64 load = loads_;
  page_->runJavaScript(kReadPosition, QWebEngineScript::ApplicationWorld,
                       [this, load, done = std::move(done)](const QVariant& result) {
                         if (closing_) return;
                         if (load != loads_) {
                           done(std::nullopt);
                           return;
                         }
                         const QVariantList texts = result.toList();
                         if (texts.size() != 2) {
                           done(PagePosition{});
                           return;
                         }
                         done(PagePosition{texts[0].toString(), texts[1].toString()});
                       });
}

void MapView::ShowMarkersAt(const std::vector<Position>& points) {
  if (page_ == nullptr) return;
  QStringList pairs;
  for (const Position& point : points)
    pairs << QStringLiteral("[%1,%2]").arg(point.lat, 0, 'g', 17).arg(point.lon, 0, 'g', 17);
  page_->runJavaScript(kShowMarkersAt.arg(QLatin1Char('[') + pairs.join(QLatin1Char(',')) + QLatin1Char(']')),
                       QWebEngineScript::MainWorld);
}

}  // namespace drevlin
