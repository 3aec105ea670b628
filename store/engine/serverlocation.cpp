#include "store/engine/serverlocation.h"

#include <QUrl>
#include <QUrlQuery>

namespace {

bool isPasswordField(const QString& key) { return key.compare(QLatin1String("password"), Qt::CaseInsensitive) == 0; }

bool queryCarriesPassword(const QUrlQuery& query) {
  for (const auto& [key, value] : query.queryItems())
    if (isPasswordField(key)) return true;
  return false;
}

}  // namespace

bool isServerLocation(const QString& location) {
  return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
         location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString shownServerLocation(const QString& location) {
  QUrl url(location);
  QUrlQuery query(url);
  if (url.password().isEmpty() && !queryCarriesPassword(query)) return location;
  url.setPassword({});
  for (const auto& [key, value] : query.queryItems())
    if (isPasswordField(key)) query.removeAllQueryItems(key);
  url.setQuery(query);
  return url.toString();
}

bool carriesPassword(const QString& location) {
  if (!isServerLocation(location)) return false;
  const QUrl url(location);
  return !url.password().isEmpty() || queryCarriesPassword(QUrlQuery(url));
}

QString libpqAddress(const QString& location) {
  const qsizetype schemeEnd = location.indexOf(QLatin1String("://"));
  if (!isServerLocation(location) || schemeEnd < 0) return location;
  return location.left(schemeEnd).toLower() + location.mid(schemeEnd);
}
