#include "toolkit/listwalker.h"

#include <QThread>

#include "store/basics/dberror.h"
#include "store/connection.h"

ListWalker::ListWalker(const QString& location, const SortedQuery& query, int pageSize, QObject* receiver,
                       std::function<void(const ListShape&)> arrived) {
  thread_ = QThread::create([=, this] { run(location, query, pageSize, receiver, arrived); });
  thread_->start(QThread::LowPriority);
}

ListWalker::~ListWalker() {
  stop_ = true;
  {
    const std::lock_guard<std::mutex> held(connectionLock_);
    if (connection_) connection_->interrupt();
  }
  thread_->wait();
  delete thread_;
}

void ListWalker::run(const QString& location, const SortedQuery& query, int pageSize, QObject* receiver,
                     const std::function<void(const ListShape&)>& arrived) {
  try {
    auto connection = Connection::open(location);
    {
      const std::lock_guard<std::mutex> held(connectionLock_);
      connection_ = connection.get();
    }
    const auto forget = [this] {
      const std::lock_guard<std::mutex> held(connectionLock_);
      connection_ = nullptr;
    };
    ListShape shape;
    try {
      shape = PagedQuery(*connection, query).walk(pageSize, stop_);
    } catch (...) {
      forget();
      throw;
    }
    forget();
    // The receiver outlives this thread (its walker waits for it), and a
    // posted call to a receiver deleted later is dropped.
    if (!stop_) QMetaObject::invokeMethod(receiver, [arrived, shape] { arrived(shape); }, Qt::QueuedConnection);
  } catch (const DbError& error) {
    if (!stop_) qWarning("A list could not be counted: %s", qPrintable(error.message()));
  }
}
