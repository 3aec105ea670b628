#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "store/queries/pagedquery.h"

class Connection;
class QThread;

// Walks a list once, on a thread and a connection of its own, to count its
// rows and find where its pages begin (or to compute a computed list), while
// the window goes on answering. What it finds is handed to `arrived` on the
// window's thread, unless the walker was dropped first: a count that comes
// after the user moved on is not shown.
class ListWalker {
 public:
  ListWalker(const QString& location, const SortedQuery& query, int pageSize, QObject* receiver,
             std::function<void(const ListShape&)> arrived);
  ~ListWalker();  // stops the walk and waits for its thread
  ListWalker(const ListWalker&) = delete;
  ListWalker& operator=(const ListWalker&) = delete;

 private:
  void run(const QString& location, const SortedQuery& query, int pageSize, QObject* receiver,
           const std::function<void(const ListShape&)>& arrived);

  std::atomic<bool> stop_{false};
  std::mutex connectionLock_;
  Connection* connection_ = nullptr;  // the thread's, while it is open
  QThread* thread_;
};
