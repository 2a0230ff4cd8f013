#pragma once
// The embedded browser that shows the map page: its own off-the-record
// profile, the requests it lets out, and the signal that stands in for the
// browser's command-state event.
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include "core/geodesy.h"
#include "core/map_page.h"

namespace drevlin {

// Before QApplication: what the web engine needs of the process. As root,
// Chromium refuses to start with its sandbox, so the sandbox is turned off
// for this process then.
void PrepareWebEngineProcess();

// Whether map views hold a browser. The window's tests that need no map
// turn it off: the view is then an empty area and loads nothing.
void SetWebEngineEnabled(bool enabled);

// Whether requests may leave the machine. Tests refuse them all, and read
// which were refused.
enum class NetworkPolicy { Allow, RefuseAndRecord };
// The policy of every map view made from now on (Allow unless changed).
void SetNetworkPolicy(NetworkPolicy policy);
NetworkPolicy CurrentNetworkPolicy();

// Serves the map library from the program's own copy: every request under
// the library's base address goes to "qrc:/leaflet-0.7.3/". Local schemes
// pass; what would leave the machine passes or is refused by the policy.
class MapRequestInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  MapRequestInterceptor(const QString& libraryBase, NetworkPolicy policy, QObject* parent);
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
  // Addresses refused under RefuseAndRecord, in the order asked.
  QStringList RefusedRequests() const;

 private:
  const QString libraryBase_;
  const NetworkPolicy policy_;
  mutable std::mutex mutex_;
  QStringList refused_;
};

// The page's two position inputs, as the page holds them.
struct PagePosition {
  QString lat;
  QString lng;
};

class MapPage : public QWebEnginePage {
  Q_OBJECT
 public:
  MapPage(QWebEngineProfile* profile, QObject* parent);

 signals:
  // A click went through the page's own handlers.
  void clicked();

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int lineNumber,
                                const QString& sourceId) override;
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

// The map area of the window: a browser on its own off-the-record profile,
// which shows the page file and reads the page's position inputs.
class MapView : public QWidget {
  Q_OBJECT
 public:
  explicit MapView(QWidget* parent, const MapEndpoints& endpoints = BuiltInMapEndpoints());
  ~MapView() override;

  // Shows the page file at `path`.
  void Navigate(const QString& path);
  // Reads the page's "lat" and "lng" inputs. `done` gets them, or nothing
  // when the page was replaced before the answer came or there is no
  // browser. Called once, unless the view is destroyed first.
  void ReadPosition(std::function<void(std::optional<PagePosition>)> done);
  // Leaves on the map one marker for each of `points` and no other: a
  // marker that stands at none of them goes, a point without one gets one.
  // A marker counts for a point within 0.0001° of it, also one world east or
  // west. Nothing without a browser or before the map is there.
  void ShowMarkersAt(const std::vector<Position>& points);

  // The browser and its parts; null when the web engine is turned off.
  QWebEngineView* Browser() const { return browser_; }
  MapPage* Page() const { return page_; }
  const MapRequestInterceptor* Interceptor() const { return interceptor_; }
  // The page file last navigated to.
  QString PagePath() const { return pagePath_; }

 signals:
  // Raised when a page finished loading and after each click on the page:
  // the moments to read the page's inputs.
  void pageActivity();

 private:
  QWebEngineProfile* profile_ = nullptr;
  MapRequestInterceptor* interceptor_ = nullptr;
  MapPage* page_ = nullptr;
  QWebEngineView* browser_ = nullptr;
  QString pagePath_;
  quint64 loads_ = 0;
  bool closing_ = false;
};

}  // namespace drevlin
