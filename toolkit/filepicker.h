#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QListWidget;

// A file chosen from three lists: the drive list offers the machine's volumes
// and the home folder, the folder list the folders of the current one (a
// double click opens a folder, ".." goes up), the file list its files. A
// double click on a file reports its full path. A volume or folder that cannot
// be read is reported, and the lists keep their last readable state.
class FilePicker : public QObject {
  Q_OBJECT

 public:
  FilePicker(QComboBox* drives, QListWidget* folders, QListWidget* files, QObject* parent);

  QString folder() const { return folder_; }

 signals:
  void filePicked(const QString& path);

 private:
  void driveChosen(int index);
  void folderOpened(const QString& name);
  bool openFolder(const QString& path);

  QComboBox* drives_;
  QListWidget* folders_;
  QListWidget* files_;
  QString folder_;
  int drive_ = -1;
};
