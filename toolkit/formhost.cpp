#include "toolkit/formhost.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <map>

#include "toolkit/errorsink.h"

namespace {
std::map<QString, FormFactory>& registry() {
  static std::map<QString, FormFactory> forms;
  return forms;
}
// A form opens ready for typing: in its focus proxy, or its first control that takes the focus.
void focusFirstControl(QWidget* form) {
  if (form->focusProxy() || form->focusPolicy() != Qt::NoFocus) {
    form->setFocus(Qt::OtherFocusReason);
    return;
  }
  for (QWidget* w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain()) {
    if (!form->isAncestorOf(w) || !w->isEnabled() || !w->isVisible() || !(w->focusPolicy() & Qt::TabFocus)) continue;
    w->setFocus(Qt::OtherFocusReason);
    return;
  }
}

}  // namespace

void registerForm(const QString& name, FormFactory factory) { registry()[name] = std::move(factory); }

bool isFormRegistered(const QString& name) { return registry().count(name) > 0; }

FormHost::FormHost(QMdiArea* area, const QString& databasePath)
    : QObject(area), area_(area), databasePath_(databasePath) {}

// A closed window lingers until its deferred deletion; it is no longer open.
QMdiSubWindow* FormHost::openWindow(const QString& name) const {
  QMdiSubWindow* window = open_.value(name);
  return window && !window->isHidden() ? window : nullptr;
}

QWidget* FormHost::show(const QString& name) {
  if (QMdiSubWindow* open = openWindow(name)) {
    area_->setActiveSubWindow(open);
    open->raise();
    return open->widget();
  }
  const auto factory = registry().find(name);
  if (factory == registry().end()) return nullptr;

  QWidget* form = nullptr;
  runGuarded([&] { form = factory->second(*this); });  // a form whose database cannot open stays closed
  if (!form) return nullptr;
  QMdiSubWindow* window = area_->addSubWindow(form);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(form->windowTitle());
  open_.insert(name, window);
  emit opened(form);
  window->show();
  area_->setActiveSubWindow(window);
  focusFirstControl(form);
  return form;
}

QWidget* FormHost::find(const QString& name) const {
  QMdiSubWindow* open = openWindow(name);
  return open ? open->widget() : nullptr;
}
