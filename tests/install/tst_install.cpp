// The programs as a user's machine gets them: installed with cmake --install
// into a prefix of its own (so also moved from where the build meant them to
// go), and packed as a .deb.
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "reports/reportform.h"
#include "store/connection.h"
#include "store/rowwriter.h"

namespace {

struct Finished {
  int exitCode = -1;
  QString out;
  QString err;
};

Finished run(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(180'000) || process.exitStatus() != QProcess::NormalExit) return {};
  return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

// Every file under a folder, by its path from there.
QStringList filesUnder(const QString& folder) {
  QStringList files;
  for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
    files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

}  // namespace

class InstallTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void treeHoldsProgramsTemplatesEntryAndIcon();
  void installedProgramFindsItsTemplates();
  void commandLines_data();
  void commandLines();
  void changeLogForOtherPrograms();
  void manualPagesNameEveryOption();
  void debianPackageCarriesTheTreeAndNamesItsLibraries();

 private:
  QString installed(const QString& path) const { return dir_.filePath(QStringLiteral("prefix/") + path); }

  QTemporaryDir dir_;
};

void InstallTest::initTestCase() {
  const Finished install = run(QStringLiteral(VANTORA_CMAKE),
                               {"--install", VANTORA_BUILD_DIR, "--prefix", installed({})});
  QVERIFY2(install.exitCode == 0, qPrintable(install.err));
}

void InstallTest::treeHoldsProgramsTemplatesEntryAndIcon() {
  for (const char* program : {"bin/vantora", "bin/vantora-db"}) QVERIFY(QFileInfo(installed(program)).isExecutable());
  const QStringList templates = filesUnder(installed("share/vantora/lumoxlsfile"));
  QCOMPARE(templates.size(), 5);  // the four reports and the follow-up board's
  QVERIFY(templates.contains("followupreport.xlsx"));
  QCOMPARE(templates, filesUnder(VANTORA_BUILD_DIR "/app/lumoxlsfile"));

  const QString entryFile = installed("share/applications/vantora.desktop");
  QFile entry(entryFile);
  QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
  const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n');
  for (const char* line : {"[Desktop Entry]", "Type=Application", "Name=VANTORA", "Exec=vantora", "Icon=vantora"})
    QVERIFY2(lines.contains(line), line);
  QCOMPARE(lines.filter(QRegularExpression("^Categories=(.*;)?Office;")).size(), 1);
  const Finished validation = run(QStringLiteral("desktop-file-validate"), {entryFile});
  QVERIFY2(validation.exitCode == 0, qPrintable("desktop-file-validate (scripts/install-deps): " + validation.out));

  // The theme's sizes, each drawn at its own size.
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/vantora.png").arg(size)));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
  }
}

void InstallTest::installedProgramFindsItsTemplates() {
  QCOMPARE(shippedTemplateFolder(installed("bin")), installed("share/vantora/lumoxlsfile"));
  QCOMPARE(shippedTemplateFolder(VANTORA_BUILD_DIR "/app"), QString(VANTORA_BUILD_DIR "/app/lumoxlsfile"));
}

void InstallTest::commandLines_data() {
  QTest::addColumn<QString>("program");
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("says");  // on stdout when the exit code is 0, else on stderr

  QTest::newRow("help") << "vantora" << QStringList{"--help"} << 0 << "--database <path>";
  QTest::newRow("version") << "vantora" << QStringList{"--version"} << 0 << "vantora " VANTORA_VERSION "\n";
  QTest::newRow("unknown option") << "vantora" << QStringList{"--colour"} << 2 << "vantora: Unknown option 'colour'.";
  QTest::newRow("stray argument") << "vantora" << QStringList{"x.db"} << 2 << "unexpected argument 'x.db'";
  QTest::newRow("db help") << "vantora-db" << QStringList{"-h"} << 0 << "backup DEST";
  QTest::newRow("db version") << "vantora-db" << QStringList{"-v"} << 0 << "vantora-db " VANTORA_VERSION "\n";
  QTest::newRow("db unknown option") << "vantora-db" << QStringList{"--force", "where"} << 2 << "Unknown option 'force'";
  QTest::newRow("db no command") << "vantora-db" << QStringList{} << 2 << "Usage: vantora-db [options] command";
  QTest::newRow("db unknown command") << "vantora-db" << QStringList{"wipe"} << 2 << "unknown command 'wipe'";
  QTest::newRow("db database first") << "vantora-db" << QStringList{"--database", "/o/a.db", "where"} << 0 << "/o/a.db\n";
  QTest::newRow("db database last") << "vantora-db" << QStringList{"where", "--database=/o/b.db"} << 0 << "/o/b.db\n";
  QTest::newRow("db demo option elsewhere") << "vantora-db" << QStringList{"--unquoted", "5", "check"} << 2
                                            << "go with demo only";
  QTest::newRow("db demo out of range") << "vantora-db" << QStringList{"demo", "--transactions", "0"} << 2
                                        << "--transactions takes a whole number from 1";
  QTest::newRow("db log format") << "vantora-db" << QStringList{"log", "--format", "csv"} << 2
                                 << "--format takes text, tsv or json.";
  QTest::newRow("db format elsewhere") << "vantora-db" << QStringList{"check", "--format", "json"} << 2
                                       << "go with log only";
}

// Run as installed, with no display at all: nothing here may need a window.
void InstallTest::commandLines() {
  QFETCH(QString, program);
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, says);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) environment.remove(name);
  environment.insert("VANTORA_DATABASE", dir_.filePath("none.db"));

  const Finished finished = run(installed("bin/" + program), arguments, environment);
  QCOMPARE(finished.exitCode, exitCode);
  QVERIFY2((exitCode == 0 ? finished.out : finished.err).contains(says), qPrintable(finished.out + finished.err));
  QVERIFY(!QFile::exists(dir_.filePath("none.db")));
}

// The log read by a spreadsheet or a script: one entry a line, fields split
// at tabs whatever the values hold, or JSON; nothing found is a failure.
void InstallTest::changeLogForOtherPrograms() {
  const QString database = dir_.filePath("log.db");
  const QString tool = installed("bin/vantora-db");
  QCOMPARE(run(tool, {"--database", database, "demo", "--transactions", "2"}).exitCode, 0);
  {
    auto connection = Connection::open(database);
    connection->setAuthor({"clerk", "tst_install"});
    RowWriter(*connection, "tinquiry").append(QVariantHash{{"inqnum", "TAB-1"}, {"client", "A  B\\C"}});
  }

  const Finished tsv = run(tool, {"--database", database, "log", "--format", "tsv"});
  QCOMPARE(tsv.exitCode, 0);
  const QStringList lines = tsv.out.split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.first(), QString("changedat\tlogin\tsource\ttablename\trowkey\tnumber\tkind\tsummary"));
  for (const QString& line : lines) QVERIFY2(line.count('\t') == 7, qPrintable(line));
  QVERIFY2(lines.value(1).endsWith("\tTAB-1\tNEW\tinqnum: TAB-1; client: A  B\\\\C"), qPrintable(lines.value(1)));

  const Finished json = run(tool, {"--database", database, "log", "--format", "json"});
  QCOMPARE(json.exitCode, 0);
  QJsonParseError error;
  const QJsonArray entries = QJsonDocument::fromJson(json.out.toUtf8(), &error).array();
  QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
  QCOMPARE(entries.size(), lines.size() - 1);
  QCOMPARE(entries.first().toObject().value("summary").toString(), QString("inqnum: TAB-1; client: A  B\\C"));
  QCOMPARE(entries.first().toObject().value("login").toString(), QString("clerk"));

  const Finished none = run(tool, {"--database", database, "log", "--number", "NOPE"});
  QCOMPARE(none.exitCode, 1);
  QVERIFY(none.out.isEmpty());
  QVERIFY2(none.err.contains("No change log entry names the document number NOPE."), qPrintable(none.err));
  const Finished noneAsJson = run(tool, {"--database", database, "log", "--number", "NOPE", "--format", "json"});
  QCOMPARE(noneAsJson.exitCode, 1);
  QCOMPARE(noneAsJson.out, QString("[]\n"));  // still a document a program can read
}

// Each option --help lists is in the program's manual page.
void InstallTest::manualPagesNameEveryOption() {
  for (const QString program : {"vantora", "vantora-db"}) {
    const Finished manual = run("gzip", {"-dc", installed("share/man/man1/" + program + ".1.gz")});
    QCOMPARE(manual.exitCode, 0);
    const QString page = QString(manual.out).remove('\\');
    QVERIFY(page.contains(".TH " + program.toUpper() + " 1"));
    const QString help = run(installed("bin/" + program), {"--help"}).out;
    static const QRegularExpression option("--([a-z]+)");
    for (auto found = option.globalMatch(help); found.hasNext();) {
      const QString name = found.next().captured(0);
      QVERIFY2(page.contains(name), qPrintable(program + " manual lacks " + name));
    }
  }
}

void InstallTest::debianPackageCarriesTheTreeAndNamesItsLibraries() {
  const QString output = dir_.filePath("deb");
  const Finished packed = run(QStringLiteral(VANTORA_CPACK),
                              {"-G", "DEB", "-B", output, "--config", VANTORA_BUILD_DIR "/CPackConfig.cmake"});
  QVERIFY2(packed.exitCode == 0, qPrintable(packed.out + packed.err));
  const QStringList debs = QDir(output).entryList({"*.deb"});
  QCOMPARE(debs.size(), 1);
  const QString deb = QDir(output).filePath(debs.first());

  const QString fields = run("dpkg-deb", {"-f", deb, "Package", "Version", "Maintainer", "Depends"}).out;
  QVERIFY2(fields.startsWith("Package: vantora\nVersion: " VANTORA_VERSION
                             "\nMaintainer: VANTORA maintainers <maintainers@vantora.invalid>\nDepends: "),
           qPrintable(fields));
  for (const char* library : {"libqt6widgets6", "libsqlcipher", "libzip4", "libpugixml1v5"})
    QVERIFY2(fields.contains(library), qPrintable(fields));

  QStringList carried;
  for (const QString& line : run("dpkg-deb", {"-c", deb}).out.split('\n', Qt::SkipEmptyParts))
    if (!line.startsWith('d')) carried << line.section(' ', -1).remove(0, int(qstrlen("./usr/")));
  carried.sort();
  QCOMPARE(carried, filesUnder(installed({})));
  for (const char* document : {"share/doc/vantora/copyright", "share/doc/vantora/changelog.gz",
                               "share/man/man1/vantora.1.gz", "share/man/man1/vantora-db.1.gz"})
    QVERIFY2(carried.contains(document), document);
  const QString changelog = run("gzip", {"-dc", installed("share/doc/vantora/changelog.gz")}).out;
  QVERIFY2(changelog.startsWith("vantora (" VANTORA_VERSION ") "), qPrintable(changelog));

  // Debian's own judge, where it is installed (scripts/package --check installs it).
  if (QStandardPaths::findExecutable("lintian").isEmpty()) return;
  const Finished judged = run("lintian", {"--fail-on", "error,warning", deb});
  QVERIFY2(judged.exitCode == 0, qPrintable(judged.out + judged.err));
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
