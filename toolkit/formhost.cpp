#include "toolkit/formhost.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <map>

#include "toolkit/errorsink.h"
#include "toolkit/formbase.h"
#include "toolkit/formframe.h"

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

QStringList registeredForms() {
  QStringList names;
  for (const auto& [name, factory] : registry()) names << name;
  return names;
}

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
    return formIn(open);
  }
  const auto factory = registry().find(name);
  if (factory == registry().end()) return nullptr;

  QWidget* form = nullptr;
  runGuarded([&] { form = factory->second(*this); });  // a form whose database cannot open stays closed
  if (!form) return nullptr;
  auto* frame = new FormFrame(form);
  QMdiSubWindow* window = area_->addSubWindow(frame, form->windowFlags());
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(form->windowTitle());
  open_.insert(name, window);
  emit opened(form);
  window->show();
  frame->fitWindow();
  const QRect room(QPoint(), area_->viewport()->size());
  if (auto* base = qobject_cast<FormBase*>(form); base && base->placement() == FormBase::Placement::Centred)
    window->move(room.center() - window->rect().center());
  else if (base && base->placement() == FormBase::Placement::Filling)
    window->setGeometry(room);
  area_->setActiveSubWindow(window);
  focusFirstControl(form);
  return form;
}

void FormHost::showNext(const QString& name) {
  QTimer::singleShot(0, this, [this, name] { show(name); });
}

QWidget* FormHost::find(const QString& name) const {
  QMdiSubWindow* open = openWindow(name);
  return open ? formIn(open) : nullptr;
}

QList<QWidget*> FormHost::openForms() const {
  QList<QWidget*> forms;
  for (QMdiSubWindow* window : area_->subWindowList())
    if (QWidget* form = formIn(window)) forms << form;
  return forms;
}

QWidget* FormHost::formIn(QMdiSubWindow* window) {
  auto* frame = qobject_cast<FormFrame*>(window->widget());
  return frame ? frame->form() : window->widget();
}
