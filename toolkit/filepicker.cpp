#include "toolkit/filepicker.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>

#include "toolkit/errorsink.h"
#include "toolkit/prompter.h"

namespace {

const QString kUp = QStringLiteral("..");

// The volumes a user keeps files on (block devices), and the home folder.
QStringList volumes() {
  QStringList roots{QDir::homePath()};
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.device().startsWith("/dev/") && !roots.contains(volume.rootPath()))
      roots << volume.rootPath();
  return roots;
}

}  // namespace

FilePicker::FilePicker(QComboBox* drives, QListWidget* folders, QListWidget* files, QObject* parent)
    : QObject(parent), drives_(drives), folders_(folders), files_(files) {
  drives_->addItems(volumes());
  connect(drives_, &QComboBox::currentIndexChanged, this, [this](int index) { runGuarded([&] { driveChosen(index); }); });
  connect(folders_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { runGuarded([&] { folderOpened(item->text()); }); });
  connect(files_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    emit filePicked(QDir::toNativeSeparators(QDir(folder_).filePath(item->text())));
  });
  driveChosen(drives_->currentIndex());  // the first drive is chosen as soon as it is listed
}

void FilePicker::driveChosen(int index) {
  if (index < 0 || index == drive_) return;
  if (openFolder(drives_->itemText(index))) {
    drive_ = index;
    return;
  }
  const QSignalBlocker quiet(drives_);  // back to the drive still shown in the lists
  drives_->setCurrentIndex(drive_);
}

void FilePicker::folderOpened(const QString& name) {
  openFolder(name == kUp ? QDir(folder_).absoluteFilePath(kUp) : QDir(folder_).filePath(name));
}

bool FilePicker::openFolder(const QString& path) {
  const QDir folder(QDir::cleanPath(path));
  if (!folder.exists() || !folder.isReadable()) {
    tell(QStringLiteral("The drive or folder %1 cannot be read. Choose another one.").arg(QDir::toNativeSeparators(path)),
         QStringLiteral("ALERT!"));
    return false;
  }
  folder_ = folder.absolutePath();
  folders_->clear();
  if (!folder.isRoot()) folders_->addItem(kUp);
  folders_->addItems(folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
  files_->clear();
  files_->addItems(folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
  return true;
}
