#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>

// The command line both programs share: --database PATH, --help and
// --version. A program adds its own options and arguments to parser()
// before read().
class ProgramCommandLine {
 public:
  ProgramCommandLine(const QString& program, const QString& description);

  QCommandLineParser& parser() { return parser_; }

  // Reads the arguments (the program's path first). The exit status when the
  // program is done here: 0 after printing the help or the version, 2 after
  // telling on stderr what is wrong (a server address carrying a password
  // among it); nothing when the program goes on.
  std::optional<int> read(const QStringList& arguments);

  // Tells on stderr what is wrong and where help is; the exit status for misuse.
  int refuse(const QString& problem) const;

  QString helpText() const;

  // --database PATH (or server address), else VANTORA_DATABASE, else the default path.
  QString databasePath() const;

 private:
  QString program_;
  QCommandLineParser parser_;
  QCommandLineOption database_;
  QCommandLineOption help_;
  QCommandLineOption version_;
};

// Why a server address with a password is refused on the command line:
// every user of the computer sees a program's command line.
QString passwordInCommandLine();

// The version both programs report: the project's.
QString programVersion();
