#include "tests/support/privateserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

PrivateServer::PrivateServer()
    : parent_(QDir::tempPath() + QStringLiteral("/vpg-XXXXXX")), commonServer_(qgetenv("VANTORA_TEST_SERVER")) {
  // The server's own user must reach the cluster's folder.
  QFile::setPermissions(parent_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                            QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
  dir_ = parent_.filePath(QStringLiteral("pg"));
  QString address;
  if (!run(QStringLiteral("start"), &address)) return;
  address_ = address.trimmed();
  qputenv("VANTORA_TEST_SERVER", address_.toUtf8());
}

PrivateServer::~PrivateServer() {
  run(QStringLiteral("stop"));
  qputenv("VANTORA_TEST_SERVER", commonServer_);
}

void PrivateServer::stop() { QVERIFY(run(QStringLiteral("pause"))); }

void PrivateServer::resume() { QVERIFY(run(QStringLiteral("resume"))); }

bool PrivateServer::run(const QString& verb, QString* printed) {
  QProcess script;
  script.start(QStringLiteral(VANTORA_SOURCE_DIR "/scripts/testserver"), {verb, dir_});
  const bool finished = script.waitForFinished(120'000);
  const QByteArray said = script.readAllStandardError();
  if (printed) *printed = QString::fromUtf8(script.readAllStandardOutput());
  const bool ok = finished && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
  if (!ok) qWarning("scripts/testserver %s failed: %s", qPrintable(verb), said.constData());
  return ok;
}
