#include "documents/orderfilespanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "store/schema.h"
#include "toolkit/controls.h"
#include "toolkit/filepicker.h"

namespace {

struct FileBox {
  const char* label;
  const char* kind;  // in the box's tooltip
};

constexpr std::array<FileBox, kCategoryCount> kFileBoxes = {{
    {"Pump", "PUMP RELATED"},
    {"Pump Spare", "PUMP SPARE RELATED"},
    {"Standard Acc", "STD. ACCESSORIES  RELATED"},
    {"Coupling", "COUPLING  RELATED"},
    {"Coupling Spare", "COUPLING SPARE  RELATED"},
    {"Motor", "MOTOR  RELATED"},
    {"Miscellenous", "MISCELLENOUS"},
}};

}  // namespace

OrderFilesPanel::OrderFilesPanel(QWidget* parent) : QWidget(parent) {
  new QGridLayout(this);
  layout()->setContentsMargins(0, 0, 0, 0);
  buildChooser();
  buildBoxes();
}

void OrderFilesPanel::buildChooser() {
  auto* frame = new QGroupBox(QStringLiteral("Select File"), this);
  frame->setObjectName(QStringLiteral("framefileopen"));
  frame->setToolTip(QStringLiteral("FRAME FOR SELECTING FILE WHICH SEND AS PO TO MANUFACTURER.."));
  auto* drives = new QComboBox(frame);
  drives->setObjectName(QStringLiteral("driveboxpo"));
  drives->setToolTip(QStringLiteral("select  drive in which PO TO MANUFACTURER file is saved."));
  auto* folders = new QListWidget(frame);
  folders->setObjectName(QStringLiteral("dirboxpo"));
  folders->setToolTip(QStringLiteral("double click the folder in which PO TO MANUFACTURER file is saved."));
  auto* files = new QListWidget(frame);
  files->setObjectName(QStringLiteral("fileboxpo"));
  files->setToolTip(QStringLiteral("double click the file name which was send as  PO TO MANUFACTURER... "));
  nameForReaders(drives, QStringLiteral("DRIVE"));
  nameForReaders(folders, QStringLiteral("FOLDER"));
  nameForReaders(files, QStringLiteral("FILE"));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(drives, 0, 0);
  grid->addWidget(folders, 1, 0);
  grid->addWidget(files, 0, 1, 2, 1);

  chosenPath_ = makeTextBox(this, QStringLiteral("txtfilenameclicked"),
                            QStringLiteral("after selecting PO TO MANUFACTURER saved file in eslect file frame..path of "
                                           "file apper in this box.."));
  nameForReaders(chosenPath_, QStringLiteral("PATH OF THE CHOSEN FILE"));
  limitTextLength(chosenPath_, textLimit(QStringLiteral("titeminq"), QStringLiteral("filep")));
  auto* picker = new FilePicker(drives, folders, files, this);
  connect(picker, &FilePicker::filePicked, chosenPath_, &QLineEdit::setText);

  auto* panel = static_cast<QGridLayout*>(layout());
  panel->addWidget(frame, 0, 0);
  panel->addWidget(chosenPath_, 1, 0, 1, 2);
}

void OrderFilesPanel::buildBoxes() {
  auto* frame = new QGroupBox(QStringLiteral("File Saved As"), this);
  frame->setObjectName(QStringLiteral("framefilename"));
  auto* grid = new QGridLayout(frame);
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const QString kind = QString::fromLatin1(kFileBoxes[i].kind);
    QLineEdit* box = boxes_[i] = makeTextBox(
        frame, QStringLiteral("txtfile") + categories()[i].suffix,
        QStringLiteral("IF FILE SEND AS PO TO MANUFACTURER IS %1 CLICK AT ABOVE BOX WHICH HAVE FILE PATH AND THEN AGAIN "
                       "CLICK IN THIS BOX...")
            .arg(kind));
    box->setReadOnly(true);  // it shows the path given to its category, nothing typed
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 24);  // room for a path
    onClicked(box, [this, box, i] {
      box->setText(chosenPath_->text());
      clicked_[i] = true;
    });
    grid->addWidget(makeLabelFor(frame, QString::fromLatin1(kFileBoxes[i].label), box), int(i), 0);
    grid->addWidget(box, int(i), 1);
  }
  auto* panel = static_cast<QGridLayout*>(layout());
  panel->addWidget(frame, 0, 1);
  panel->setColumnStretch(1, 1);  // the paths, rather than the lists, take a wider window
}

QVariantHash OrderFilesPanel::columns() const {
  QVariantHash columns;
  for (size_t i = 0; i < boxes_.size(); ++i)
    if (clicked_[i]) columns.insert(QStringLiteral("file") + categories()[i].suffix, boxes_[i]->text());
  return columns;
}
