#include "reports/frmfollowup.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "reports/followuplistmodel.h"
#include "reports/reportdefinitions.h"
#include "reports/reportfile.h"
#include "store/basics/dberror.h"
#include "store/connection.h"
#include "store/logins.h"
#include "store/statement.h"
#include "store/wholenumber.h"
#include "toolkit/controls.h"
#include "toolkit/datacontrol.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"
#include "toolkit/prompter.h"
#include "toolkit/refusal.h"
#include "toolkit/viewgrid.h"

namespace {

const char* const kStageCaptions[kFollowUpStageCount] = {"INQUIRY NOT QUOTED", "QUOTATION WITHOUT PO", "PO NOT EXECUTED",
                                                         "INVOICE NOT PAID"};
// Two lines each, so that the board stays legible in a small frame.
const char* const kBucketCaptions[kOverdueCount + 1] = {"NOT YET\nDUE", "1-30\nDAYS",   "31-60\nDAYS", "61-90\nDAYS",
                                                        "OVER 90\nDAYS", "NO DUE\nDATE", "TOTAL\n"};
constexpr int kTotalColumn = kOverdueCount;

const GridColumns kListColumns = {
    {"CLIENT", "client"},       {"No.", "number"},         {"DATE", "docdate", GridColumn::Pattern::Date},
    {"DUE DATE", "duedate", GridColumn::Pattern::Date},    {"DAYS OVERDUE", "agedfrom"},
    {"VALUE", "amount"},        {"LOGIN", "login"},
};

QDate& injectedToday() {
  static QDate day;
  return day;
}

QString bucketCaption(int bucket) { return QString::fromLatin1(kBucketCaptions[bucket]).simplified(); }

QString cellText(const BoardCell& cell) { return QStringLiteral("%1\n%2").arg(cell.count).arg(groupedDigits(cell.value)); }

}  // namespace

void frmfollowup::setToday(QDate day) { injectedToday() = day; }

QDate frmfollowup::today() { return injectedToday().isValid() ? injectedToday() : QDate::currentDate(); }

frmfollowup::frmfollowup(FormHost& host)
    : FormBase(QStringLiteral("frmfollowup")), databasePath_(host.databasePath()), connection_(Connection::open(databasePath_)),
      today_(today()) {
  setWindowTitle(QStringLiteral("FOLLOW-UP"));
  setCloseRule(CloseRule::useCloseButton());
  connection_->setAuthor({currentLoginName(*connection_), QStringLiteral("frmfollowup")});

  todayLine_ = makeLabel(this, QStringLiteral("TODAY: %1").arg(today_.toString(QStringLiteral("dd/MM/yy"))),
                         QStringLiteral("lbltoday"));
  board_ = new QTableWidget(kFollowUpStageCount, kOverdueCount + 1, this);
  board_->setObjectName(QStringLiteral("dgboard"));
  board_->setToolTip(QStringLiteral("OPEN DOCUMENTS OF EACH STAGE BY DAYS OVERDUE: COUNT, THEN VALUE.. SELECT A CELL TO "
                                    "LIST ITS DOCUMENTS BELOW"));
  nameForReaders(board_, QStringLiteral("FOLLOW-UP BOARD"));
  board_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  board_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int stage = 0; stage < kFollowUpStageCount; ++stage)
    board_->setVerticalHeaderItem(stage, new QTableWidgetItem(QString::fromLatin1(kStageCaptions[stage])));
  for (int bucket = 0; bucket <= kOverdueCount; ++bucket)
    board_->setHorizontalHeaderItem(bucket, new QTableWidgetItem(QString::fromLatin1(kBucketCaptions[bucket])));
  board_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  board_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  board_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  listTitle_ = makeLabel(this, QStringLiteral("SELECT A CELL OF THE BOARD TO LIST ITS DOCUMENTS"), QStringLiteral("lbllist"));
  grid_ = new ViewGrid(QStringLiteral("dgfollowup"),
                       QStringLiteral("DOCUMENTS OF THE SELECTED CELL, MOST OVERDUE FIRST.. CTRL+C COPIES THE SELECTED ROWS"),
                       this);
  nameForReaders(grid_, QStringLiteral("FOLLOW-UP DOCUMENTS"));
  bar_ = new DataControl(QStringLiteral("adfollowup"), grid_, this);
  report_ = makeButton(this, QStringLiteral("cmdreport"), QStringLiteral("MAKE THE REPORT"),
                       QStringLiteral("TO MAKE AN EXCEL FILE OF THE LISTED DOCUMENTS.."));
  payment_ = makeButton(this, QStringLiteral("cmdpayment"), QStringLiteral("PAYMENT RECEIVED"),
                        QStringLiteral("TO RECORD THAT THE SELECTED INVOICE IS PAID.."));
  auto* refresh = makeButton(this, QStringLiteral("cmdrefresh"), QStringLiteral("REFRESH"),
                             QStringLiteral("TO READ THE BOARD AGAIN FROM THE DATABASE.."));
  auto* close = makeButton(this, QStringLiteral("cmdclose"), QStringLiteral("CLOSE"), QString());

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {report_, payment_, refresh, close}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QStringLiteral("FOLLOW-UP"), QStringLiteral("Label8")));
  layout->addWidget(todayLine_);
  layout->addWidget(board_);
  layout->addWidget(listTitle_);
  layout->addWidget(grid_, 1);
  layout->addWidget(bar_);
  layout->addLayout(buttons);

  connect(board_, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { runGuarded([&] { showCell(row, column); }); });
  connectGuarded(report_, &QPushButton::clicked, this, [this] { makeReport(); });
  connectGuarded(payment_, &QPushButton::clicked, this, [this] { recordPayment(); });
  connectGuarded(refresh, &QPushButton::clicked, this, [this] {
    readBoard();
    if (listed_) showCell(board_->currentRow(), board_->currentColumn());
  });
  setCloseButton(close);
  connectGuarded(close, &QPushButton::clicked, this, [this] { closeByOwnPath(); });
  readBoard();
  updateButtons();
}

frmfollowup::~frmfollowup() = default;

void frmfollowup::readBoard() {
  const FollowUpBoard board = readFollowUpBoard(*connection_, today_);
  for (int stage = 0; stage < kFollowUpStageCount; ++stage) {
    BoardCell total;
    for (int bucket = 0; bucket <= kOverdueCount; ++bucket) {
      const BoardCell cell = bucket == kTotalColumn ? total : board[size_t(stage)][size_t(bucket)];
      total.count += cell.count;
      total.value += cell.value;
      auto* item = new QTableWidgetItem(cellText(cell));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      item->setToolTip(QStringLiteral("%1, %2: %3 DOCUMENTS, VALUE %4")
                           .arg(QString::fromLatin1(kStageCaptions[stage]), bucketCaption(bucket))
                           .arg(cell.count)
                           .arg(groupedDigits(cell.value)));
      const QSignalBlocker quiet(board_);  // the current cell stays; only its text changes
      board_->setItem(stage, bucket, item);
    }
  }
  board_->resizeRowsToContents();
  board_->setFixedHeight(board_->horizontalHeader()->sizeHint().height() + board_->verticalHeader()->length() + 2 * board_->frameWidth());
}

void frmfollowup::showCell(int row, int column) {
  if (row < 0 || column < 0) return;
  stage_ = FollowUpStage(row);
  bucket_ = column == kTotalColumn ? std::nullopt : std::optional<Overdue>(Overdue(column));
  QAbstractItemModel* old = grid_->model();
  list_ = new FollowUpListModel(*connection_, followUpList(stage_, bucket_, today_), kListColumns, today_, grid_);
  grid_->setModel(list_);
  delete old;
  bar_->bindModel();
  grid_->fitColumns();
  listed_ = true;
  listTitle_->setText(QStringLiteral("%1, %2").arg(QString::fromLatin1(kStageCaptions[row]), bucketCaption(column)));
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { updateButtons(); });
  updateButtons();
}

void frmfollowup::updateButtons() {
  report_->setEnabled(listed_);
  payment_->setEnabled(listed_ && stage_ == FollowUpStage::Invoices && grid_->currentIndex().isValid());
}

void frmfollowup::makeReport() {
  if (!listed_) return;
  const ReportTemplate& shape = followUpTemplate();
  std::vector<bool> dates;
  for (const ReportColumn& column : shape.columns) dates.push_back(column.isDate());
  auto rows = wholeList(*connection_, followUpList(stage_, bucket_, today_));
  const QStringList listed = rows->columnNames();
  std::vector<int> fields;
  for (const ReportColumn& column : shape.columns) fields.push_back(int(listed.indexOf(QLatin1String(column.field))));
  const auto next = [&](QVariantList& values) {
    if (!rows->step()) return false;
    values.clear();
    for (size_t i = 0; i < fields.size(); ++i) {
      const QVariant value = rows->value(fields[i]);
      values << (QLatin1String(shape.columns[i].field) == QLatin1String("agedfrom") ? QVariant(daysOverdue(value, today_))
                                                                                  : value);
    }
    return true;
  };
  makeReportFile(this, databasePath_, QString::fromLatin1(shape.templateFile), windowTitle(), dates, next);
}

void frmfollowup::recordPayment() {
  const int row = grid_->currentIndex().row();
  if (!list_ || stage_ != FollowUpStage::Invoices || row < 0) return;
  const QVariantHash invoice = list_->listed(row);
  if (!askYesNo(QStringLiteral("PAYMENT RECEIVED FOR INVOICE %1 OF %2, AMOUNT %3 ?  Click YES to store it..")
                    .arg(invoice.value("number").toString(), invoice.value("client").toString(),
                         groupedDigits(invoice.value("amount").toLongLong())),
                QStringLiteral("PAYMENT RECEIVED")))
    return;
  try {
    ::recordPayment(*connection_, invoice.value("rowkey").toLongLong(), invoice);
  } catch (const DbError& error) {
    if (error.kind() == DbErrorKind::Conflict) {
      readBoard();
      showCell(board_->currentRow(), board_->currentColumn());
    }
    throw;
  }
  readBoard();
  showCell(board_->currentRow(), board_->currentColumn());
}
