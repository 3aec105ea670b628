// vantora-db as a user runs it: passwords typed or piped, never on the command
// line; a run killed half way.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QtTest>

#include "store/connection.h"
#include "store/logins.h"
#include "store/recordset.h"
#include "store/statement.h"

namespace {

struct Finished {
  int exitCode = -1;
  QString out;
  QString err;
};

Finished run(const QStringList& arguments, const QByteArray& input = {}) {
  QProcess process;
  process.start(QStringLiteral(VANTORA_DB), arguments);
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit) return {};
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

// Runs vantora-db on a terminal of its own, typing each answer once the
// terminal shows the prompt that asks for it; what the terminal showed.
Finished runOnTerminal(const QStringList& arguments, QList<QPair<QByteArray, QByteArray>> answers) {
  std::vector<QByteArray> owned{QByteArrayLiteral(VANTORA_DB)};
  for (const QString& argument : arguments) owned.push_back(argument.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& a : owned) argv.push_back(a.data());
  argv.push_back(nullptr);

  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child == 0) {
    execv(argv[0], argv.data());
    _exit(127);
  }
  Finished finished;
  QByteArray shown;
  for (pollfd wait{terminal, POLLIN, 0}; poll(&wait, 1, 60'000) > 0;) {
    char chunk[512];
    const ssize_t got = read(terminal, chunk, sizeof chunk);
    if (got <= 0) break;  // the program ended
    shown.append(chunk, got);
    if (!answers.isEmpty() && shown.endsWith(answers.first().first)) {
      const QByteArray line = answers.takeFirst().second + '\n';
      if (write(terminal, line.constData(), size_t(line.size())) != line.size()) break;
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  close(terminal);
  finished.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  finished.out = QString::fromLocal8Bit(shown);
  return finished;
}

QStringList slotsOf(const QString& path) {
  auto connection = Connection::open(path);
  return readSignInSlots(openSignInSlots(*connection));
}

const QString kPartial = ".vantora-partial";

}  // namespace

class VantoraDbTest : public QObject {
  Q_OBJECT

 private slots:
  void initTakesPasswordsNeverFromItsCommandLine();
  void aTerminalNeverShowsThePassword();
  void aKilledRunLeavesNothingForTheNext();
  void aLongDemoIsDatedInTheOrderItIsNumbered();

 private:
  QTemporaryDir dir_;
};

void VantoraDbTest::initTakesPasswordsNeverFromItsCommandLine() {
  const QString path = dir_.filePath("init.db");
  const Finished old = run({"--database", path, "init", "admin:S3cret", "clerk:Pw"});
  QCOMPARE(old.exitCode, 2);
  QVERIFY2(old.err.contains("init takes names only") && !old.err.contains("S3cret"), qPrintable(old.err));

  const Finished cut = run({"--database", path, "init", "admin", "clerk"}, "adminpw\n");
  QCOMPARE(cut.exitCode, 2);
  QVERIFY2(cut.err.contains("ended before the password for clerk"), qPrintable(cut.err));
  const Finished blank = run({"--database", path, "init", "admin", "clerk"}, "adminpw\n clerkpw\n");
  QCOMPARE(blank.exitCode, 2);  // the administrator screen's own rules
  QVERIFY(!QFileInfo::exists(path));

  const Finished piped = run({"--database", path, "init", "admin", "clerk"}, "adminpw\nclerk pw\n");
  QVERIFY2(piped.exitCode == 0, qPrintable(piped.err));
  QCOMPARE(slotsOf(path).mid(0, 6), QStringList({"admin", "adminpw", "clerk", "clerk pw", "", ""}));
}

void VantoraDbTest::aTerminalNeverShowsThePassword() {
  const QString path = dir_.filePath("typed.db");
  const Finished typed = runOnTerminal({"--database", path, "init", "admin"},
                                       {{"Password for admin: ", "s3cret-typed"}, {"The same again: ", "s3cret-typed"}});
  QVERIFY2(typed.exitCode == 0, qPrintable(typed.out));
  QVERIFY2(!typed.out.contains("s3cret"), qPrintable(typed.out));
  QCOMPARE(slotsOf(path).mid(0, 2), QStringList({"admin", "s3cret-typed"}));

  const Finished differ = runOnTerminal({"--database", dir_.filePath("differ.db"), "init", "admin"},
                                        {{"Password for admin: ", "one"}, {"The same again: ", "two"}});
  QCOMPARE(differ.exitCode, 2);
  QVERIFY2(differ.out.contains("differ; nothing was created"), qPrintable(differ.out));
  QVERIFY(!QFileInfo::exists(dir_.filePath("differ.db")));
}

void VantoraDbTest::aKilledRunLeavesNothingForTheNext() {
  const QString path = dir_.filePath("killed/demo.db");
  QProcess killed;
  killed.start(QStringLiteral(VANTORA_DB), {"--database", path, "demo", "--transactions", "5000000"});
  QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(path + kPartial + "-journal"), 60'000);
  killed.kill();
  QVERIFY(killed.waitForFinished());
  QVERIFY(QFileInfo::exists(path + kPartial));

  const Finished next = run({"--database", dir_.filePath("killed/other.db"), "demo", "--transactions", "3"});
  QVERIFY2(next.exitCode == 0, qPrintable(next.err));
  QCOMPARE(QDir(dir_.filePath("killed")).entryList(QDir::Files), QStringList("other.db"));
}

// Past its span of days a demo puts several documents on a day, as a busy
// office does, and never dates a later number earlier.
void VantoraDbTest::aLongDemoIsDatedInTheOrderItIsNumbered() {
  const QString path = dir_.filePath("long.db");
  const Finished made = run({"--database", path, "demo", "--transactions", "1500"});
  QVERIFY2(made.exitCode == 0, qPrintable(made.err));
  auto connection = Connection::open(path);
  Statement dates(*connection, "SELECT min(inqdate), max(inqdate), (SELECT count(*) FROM tinquiry a JOIN tinquiry b ON "
                               "b.pkeyinq = a.pkeyinq + 1 WHERE b.inqdate < a.inqdate) FROM tinquiry");
  QVERIFY(dates.step());
  QCOMPARE(dates.value(0).toString(), QString("2024-01-01"));
  QCOMPARE(dates.value(1).toString(), QString("2026-06-19"));
  QCOMPARE(dates.value(2).toInt(), 0);
}

QTEST_GUILESS_MAIN(VantoraDbTest)
#include "tst_vantoradb.moc"
