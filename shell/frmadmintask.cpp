#include "shell/frmadmintask.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "store/logins.h"
#include "store/recordset.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/editabletablemodel.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/prompter.h"
#include "toolkit/secretcolumnsmodel.h"
#include "toolkit/viewgrid.h"

frmadmintask::frmadmintask(FormHost& host) : FormBase(QStringLiteral("frmadmintask")), host_(host) {
  setWindowTitle(QStringLiteral("Admin Task Form"));
  setPlacement(Placement::Centred);
  connection_ = Connection::open(host.databasePath());

  grid_ = new ViewGrid(QStringLiteral("DataGrid1"), QString(), this);
  grid_->allowTyping();
  RecordSet signInSlots = openSignInSlots(*connection_);
  connection_->setAuthor({readSignInSlots(signInSlots).value(0), QStringLiteral("frmadmintask")});
  slots_ = new EditableTableModel(std::move(signInSlots), {}, EditableTableModel::EmptyCell::EmptyText, grid_);
  QSet<int> passwords;
  for (int column = 1; column < slots_->columnCount(); column += 2) passwords << column;
  grid_->setModel(new SecretColumnsModel(slots_, passwords, grid_));
  grid_->fitColumns();
  // Its one row, with room for the captions and the scroll bar, and no more.
  const int oneRow = grid_->horizontalHeader()->sizeHint().height() + grid_->verticalHeader()->defaultSectionSize() +
                     grid_->horizontalScrollBar()->sizeHint().height() + 2 * grid_->frameWidth();
  grid_->setFixedHeight(std::max(oneRow, grid_->minimumSizeHint().height()));
  nameForReaders(grid_, QStringLiteral("SIGN-IN NAMES AND PASSWORDS"));
  bar_ = new DataControl(QStringLiteral("Adodcupdatepassword"), grid_, this);
  bar_->bindModel();

  auto* save = makeButton(this, QStringLiteral("Command1"), QStringLiteral("SAVE DATA"),
                          QStringLiteral("CLICK IT IF WANT TO SAVE THE CHANGE DONE"));
  auto* back = makeButton(this, QStringLiteral("Command2"), QStringLiteral("Go Back"), QStringLiteral("BACK TO LOGIN FORM"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QStringLiteral("ADMINISTRATION TOOL"), QStringLiteral("Label8")));
  layout->addWidget(grid_);
  layout->addWidget(bar_);
  layout->addWidget(save);
  layout->addWidget(back);
  connectGuarded(save, &QPushButton::clicked, this, [this] { saveData(); });
  connectGuarded(back, &QPushButton::clicked, this, [this] { goBack(); });
}

frmadmintask::~frmadmintask() = default;

// Only the row in sight is written, and only when every slot could be used to sign in.
void frmadmintask::saveData() {
  grid_->finishEditing();
  QStringList values;
  for (int column = 0; column < slots_->columnCount(); ++column)
    values << slots_->index(0, column).data(Qt::EditRole).toString();
  const QString problem = signInSlotsProblem(values);
  if (!problem.isEmpty()) {
    tell(problem + QStringLiteral("\nNothing was saved."), QStringLiteral("SAVE DATA"), Prompter::Icon::Warning);
    return;
  }
  slots_->commitRow(0);
}

void frmadmintask::goBack() {
  host_.show(QStringLiteral("frmLogin"));
  closeByOwnPath();
}

// Closed by its close box, it still leads back to the sign-in form: before
// sign-in the frame offers nothing else but EXIT.
void frmadmintask::releaseData() {
  if (!closingForExit()) host_.showNext(QStringLiteral("frmLogin"));
}
