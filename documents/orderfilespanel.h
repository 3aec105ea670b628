#pragma once

#include <QVariantHash>
#include <QWidget>
#include <array>

#include "store/categories.h"

class QLineEdit;

// Where the order sent to each manufacturer is kept: a file chosen from the
// drive, folder and file lists lands in the path box; a click in a category's
// box copies that path into it. Only the path is stored.
class OrderFilesPanel : public QWidget {
  Q_OBJECT

 public:
  explicit OrderFilesPanel(QWidget* parent);

  QVariantHash columns() const;  // the file columns of the boxes clicked, as they show

 private:
  void buildChooser();
  void buildBoxes();

  QLineEdit* chosenPath_;
  std::array<QLineEdit*, kCategoryCount> boxes_{};
  std::array<bool, kCategoryCount> clicked_{};
};
