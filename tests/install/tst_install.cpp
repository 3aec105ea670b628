// The programs as a user's machine gets them: installed with cmake --install
// into a prefix of its own (so also moved from where the build meant them to
// go), and packed as a .deb.
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "reports/reportform.h"

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

void InstallTest::debianPackageCarriesTheTreeAndNamesItsLibraries() {
  const QString output = dir_.filePath("deb");
  const Finished packed = run(QStringLiteral(VANTORA_CPACK),
                              {"-G", "DEB", "-B", output, "--config", VANTORA_BUILD_DIR "/CPackConfig.cmake"});
  QVERIFY2(packed.exitCode == 0, qPrintable(packed.out + packed.err));
  const QStringList debs = QDir(output).entryList({"*.deb"});
  QCOMPARE(debs.size(), 1);
  const QString deb = QDir(output).filePath(debs.first());

  const QString fields = run("dpkg-deb", {"-f", deb, "Package", "Version", "Depends"}).out;
  QVERIFY2(fields.startsWith("Package: vantora\nVersion: " VANTORA_VERSION "\nDepends: "), qPrintable(fields));
  for (const char* library : {"libqt6widgets6", "libsqlcipher", "libzip4", "libpugixml1v5"})
    QVERIFY2(fields.contains(library), qPrintable(fields));

  QStringList carried;
  for (const QString& line : run("dpkg-deb", {"-c", deb}).out.split('\n', Qt::SkipEmptyParts))
    if (!line.startsWith('d')) carried << line.section(' ', -1).remove(0, int(qstrlen("./usr/")));
  carried.sort();
  QCOMPARE(carried, filesUnder(installed({})));
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
