#include "reports/reportforms.h"

#include "reports/frmfollowup.h"
#include "reports/frmreport.h"
#include "reports/reportdefinitions.h"
#include "reports/reportform.h"
#include "toolkit/formhost.h"

void registerReportForms() {
  registerForm(QStringLiteral("frmreport"), [](FormHost& host) { return new frmreport(host); });
  registerForm(QStringLiteral("frmfollowup"), [](FormHost& host) { return new frmfollowup(host); });
  for (const ReportDefinition& report : reportDefinitions())
    registerForm(QString::fromLatin1(report.form), [&report](FormHost& host) { return new ReportForm(report, host); });
}
