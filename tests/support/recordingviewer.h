#pragma once

#include <QStringList>

#include "toolkit/fileviewer.h"

// Shows nothing; remembers what it was asked to show. Installed for its
// lifetime in place of the program's viewer.
class RecordingViewer : public FileViewer {
 public:
  RecordingViewer() : replaced_(installFileViewer(this)) {}
  ~RecordingViewer() override { installFileViewer(replaced_); }
  RecordingViewer(const RecordingViewer&) = delete;
  RecordingViewer& operator=(const RecordingViewer&) = delete;
  bool show(const QString& path) override {
    shown << path;
    return true;
  }
  QStringList shown;

 private:
  FileViewer* replaced_;
};
