#include "reports/reportform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/reportdefinitions.h"
#include "reports/reportfile.h"
#include "store/connection.h"
#include "store/queries/reportqueries.h"
#include "toolkit/controls.h"
#include "toolkit/errorsink.h"
#include "toolkit/formhost.h"

QString reportTemplateFolder() {
  const QString chosen = qEnvironmentVariable("VANTORA_TEMPLATES");
  return chosen.isEmpty() ? shippedTemplateFolder(QCoreApplication::applicationDirPath()) : chosen;
}

QString shippedTemplateFolder(const QString& programFolder) {
  const QDir program(programFolder);
  const QString beside = program.filePath(QStringLiteral("lumoxlsfile"));
  return QFileInfo(beside).isDir() ? beside : QDir::cleanPath(program.filePath(QStringLiteral(VANTORA_INSTALLED_TEMPLATES)));
}

ReportForm::ReportForm(const ReportDefinition& definition, FormHost& host)
    : FormBase(QString::fromLatin1(definition.form)), definition_(definition), databasePath_(host.databasePath()) {
  setWindowTitle(QString::fromLatin1(definition.windowTitle));
  setCloseRule(CloseRule::useCloseButton());
  connection_ = Connection::open(databasePath_);

  auto* generate = makeButton(this, QStringLiteral("Command1"), QString::fromLatin1(definition.generateCaption), QString());
  auto* close = makeButton(this, QStringLiteral("cmdclose"), QStringLiteral("CLOSE"), QString());
  nameForReaders(generate, QStringLiteral("MAKE THE REPORT"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(makeLabel(this, QStringLiteral("VANTORA"), QStringLiteral("lblProductName")));
  layout->addWidget(makeLabel(this, QString::fromLatin1(definition.heading), QStringLiteral("Label8")));
  layout->addWidget(generate);
  layout->addWidget(close);
  connectGuarded(generate, &QPushButton::clicked, this, [this] { this->generate(); });
  setCloseButton(close);
  connectGuarded(close, &QPushButton::clicked, this, [this] { closeByOwnPath(); });
}

ReportForm::~ReportForm() = default;

void ReportForm::generate() {
  QStringList fields;
  std::vector<bool> dates;
  for (const ReportColumn& column : definition_.columns) {
    fields << QString::fromLatin1(column.field);
    dates.push_back(column.isDate());
  }
  ReportRows records(*connection_, definition_.query, fields);
  makeReportFile(this, databasePath_, QString::fromLatin1(definition_.templateFile),
                 QString::fromLatin1(definition_.windowTitle), dates,
                 [&records](QVariantList& values) { return records.next(values); });
}
