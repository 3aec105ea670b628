#pragma once

#include <QString>

// Shows a file with the desktop's program for its kind (a spreadsheet
// program for a workbook). Forms reach it only through fileViewer(), so tests
// check the file without starting any program.
class FileViewer {
 public:
  virtual ~FileViewer() = default;
  virtual bool show(const QString& path) = 0;  // false: nothing could show it
};

FileViewer& fileViewer();
// Not owned; nullptr restores the desktop's. Returns the one it replaces.
FileViewer* installFileViewer(FileViewer* viewer);
