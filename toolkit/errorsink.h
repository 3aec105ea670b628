#pragma once

#include <QObject>
#include <functional>

// Runs one event handler; a refusal, a database, file or other error inside it
// becomes a message, and the form stays open with what the user typed.
void runGuarded(const std::function<void()>& handler);

// connect() whose slot (taking no arguments) runs inside runGuarded.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, Handler handler) {
  return QObject::connect(sender, signal, context, [handler] { runGuarded(handler); });
}
