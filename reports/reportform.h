#pragma once

#include <memory>

#include "toolkit/formbase.h"

class Connection;
class FormHost;
struct ReportDefinition;

// A follow-up report: each press of its button fills a new copy of the
// report's template from the current data and shows it.
class ReportForm : public FormBase {
  Q_OBJECT

 public:
  ReportForm(const ReportDefinition& definition, FormHost& host);
  ~ReportForm() override;

 private:
  void generate();

  const ReportDefinition& definition_;
  QString databasePath_;
  std::unique_ptr<Connection> connection_;
};

// Where the shipped templates are: the folder VANTORA_TEMPLATES names, else
// the templates shipped with this program.
QString reportTemplateFolder();

// The templates shipped with a program in programFolder: "lumoxlsfile" beside
// it in a build tree, else the data folder it was installed with, found from
// the program's own folder so that a moved installation still finds it.
QString shippedTemplateFolder(const QString& programFolder);
