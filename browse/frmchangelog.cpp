#include "browse/frmchangelog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/changelog.h"
#include "store/connection.h"
#include "store/dates.h"
#include "store/layout/changelogcheck.h"
#include "store/queries/changelogquery.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/querytablemodel.h"
#include "toolkit/refusal.h"
#include "toolkit/viewgrid.h"

namespace {

const GridColumns kColumns = {
    {"WHEN", "changedat"},       {"LOGIN", "login"},  {"FORM / TOOL", "source"}, {"TABLE", "tablename"},
    {"KEY", "rowkey", GridColumn::Pattern::Key},           {"DOCUMENT No.", "number"}, {"KIND", "kind"}, {"CHANGES", "summary", GridColumn::Pattern::ChangeSummary},
};
const char kAllTables[] = "(ALL TABLES)";

// An empty box is no limit; anything else must be a date.
QDate typedDate(QLineEdit* box, const QString& caption) {
  if (box->text().trimmed().isEmpty()) return {};
  const QDate date = dateFromInput(box->text().trimmed());
  if (!date.isValid()) throw Refusal{QStringLiteral("%1: type a date as dd/mm/yy or dd/mm/yyyy.").arg(caption), QStringLiteral("CHANGE LOG"), Prompter::Icon::Warning};
  return date;
}

}  // namespace

frmchangelog::frmchangelog(FormHost& host)
    : FormBase(QStringLiteral("frmchangelog")), connection_(Connection::open(host.databasePath())) {
  setWindowTitle(QStringLiteral("CHANGE LOG"));
  setCloseRule(CloseRule::useCloseButton());

  number_ = makeTextBox(this, QStringLiteral("txtnumber"), QStringLiteral("changes of this document number only"));
  table_ = new QComboBox(this);
  table_->setObjectName(QStringLiteral("cbotable"));
  table_->addItem(QString::fromLatin1(kAllTables));
  table_->addItems(loggedTables());
  login_ = makeTextBox(this, QStringLiteral("txtlogin"), QStringLiteral("changes by this login name only"));
  from_ = makeTextBox(this, QStringLiteral("txtfrom"), QStringLiteral("from this date (dd/mm/yy)"));
  to_ = makeTextBox(this, QStringLiteral("txtto"), QStringLiteral("up to this date (dd/mm/yy)"));
  auto* showButton = makeButton(this, QStringLiteral("cmdshow"), QStringLiteral("SHOW"),
                                QStringLiteral("shows the changes that match, newest first"));
  showButton->setDefault(true);

  auto* filters = new QGridLayout;
  const std::pair<const char*, QWidget*> boxes[] = {
      {"DOCUMENT No.", number_}, {"TABLE", table_}, {"LOGIN", login_}, {"FROM DATE", from_}, {"TO DATE", to_}};
  int column = 0;
  for (const auto& [caption, box] : boxes) {
    filters->addWidget(makeLabelFor(this, QString::fromLatin1(caption), box), 0, column);
    filters->addWidget(box, 1, column++);
  }
  filters->addWidget(showButton, 1, column);

  grid_ = new ViewGrid(QStringLiteral("dgchangelog"), QStringLiteral("every stored change, newest first"), this);
  nameForReaders(grid_, QStringLiteral("CHANGE LOG"));
  bar_ = new DataControl(QStringLiteral("adchangelog"), grid_, this);
  auto* close = makeButton(this, QStringLiteral("cmdclose"), QStringLiteral("CLOSE"), QString());
  // A log that fails the quick check of its head is not shown as if it were sound.
  const QStringList problems = changeLogHeadProblems(*connection_);
  checkLine_ = makeLabel(this, problems.isEmpty() ? QString() : QStringLiteral("THE CHANGE LOG FAILS ITS CHECK: %1. Run "
                                                                              "\"vantora-db check\".")
                                                                   .arg(problems.join(QStringLiteral("; "))),
                         QStringLiteral("lblcheck"));
  checkLine_->setWordWrap(true);
  checkLine_->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
  checkLine_->setVisible(!problems.isEmpty());

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QStringLiteral("CHANGE LOG"), QStringLiteral("Label8")));
  layout->addLayout(filters);
  layout->addWidget(checkLine_);
  layout->addWidget(grid_, 1);
  layout->addWidget(bar_);
  layout->addWidget(close);
  connectGuarded(showButton, &QPushButton::clicked, this, [this] { showChanges(); });
  for (QLineEdit* box : {number_, login_, from_, to_})
    connectGuarded(box, &QLineEdit::returnPressed, this, [this] { showChanges(); });
  setCloseButton(close);
  connectGuarded(close, &QPushButton::clicked, this, [this] { closeByOwnPath(); });
  showChanges();
}

frmchangelog::~frmchangelog() = default;

void frmchangelog::showChanges() {
  const ChangeFilter filter{number_->text(), table_->currentIndex() > 0 ? table_->currentText() : QString(),
                            login_->text().trimmed(), typedDate(from_, QStringLiteral("FROM DATE")),
                            typedDate(to_, QStringLiteral("TO DATE"))};
  QAbstractItemModel* old = grid_->model();
  grid_->setModel(new QueryTableModel(*connection_, changeLogQuery(filter), kColumns, grid_));
  delete old;
  bar_->bindModel();
  grid_->fitColumns();
  grid_->horizontalHeader()->setStretchLastSection(true);  // the changes take the room that is left
}
