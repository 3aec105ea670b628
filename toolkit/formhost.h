#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;
class FormHost;

using FormFactory = std::function<QWidget*(FormHost& host)>;

// Forms are known by name; feature folders register theirs at start-up, so
// the frame and the panel open them without knowing their classes.
void registerForm(const QString& name, FormFactory factory);
QStringList registeredForms();

// Every form exists once inside the MDI area: show() creates it, or brings the
// open one forward.
class FormHost : public QObject {
  Q_OBJECT

 public:
  FormHost(QMdiArea* area, const QString& databasePath);

  const QString& databasePath() const { return databasePath_; }
  QMdiArea* area() const { return area_; }

  QWidget* show(const QString& name);  // nullptr when no such form is registered
  // Shows the form once the current event is done: a form closing hands over to it.
  void showNext(const QString& name);
  QWidget* find(const QString& name) const;
  QList<QWidget*> openForms() const;  // in the area's order
  static QWidget* formIn(QMdiSubWindow* window);

 signals:
  void opened(QWidget* form);

 private:
  QMdiSubWindow* openWindow(const QString& name) const;

  QMdiArea* area_;
  QString databasePath_;
  QHash<QString, QPointer<QMdiSubWindow>> open_;
};
