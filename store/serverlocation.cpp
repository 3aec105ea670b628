#include "store/serverlocation.h"

#include <QUrl>
#include <QUrlQuery>

namespace {
constexpr char kPasswordField[] = "password";
}

bool isServerLocation(const QString& location) {
  return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
         location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString shownServerLocation(const QString& location) {
  QUrl url(location);
  QUrlQuery query(url);
  if (url.password().isEmpty() && !query.hasQueryItem(QLatin1String(kPasswordField))) return location;
  url.setPassword({});
  query.removeAllQueryItems(QLatin1String(kPasswordField));
  url.setQuery(query);
  return url.toString();
}

bool carriesPassword(const QString& location) {
  if (!isServerLocation(location)) return false;
  const QUrl url(location);
  return !url.password().isEmpty() || QUrlQuery(url).hasQueryItem(QLatin1String(kPasswordField));
}
