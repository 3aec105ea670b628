#include "commandline/commandline.h"

#include <cstdio>

#include "store/databaselocation.h"
#include "store/engine/serverlocation.h"

namespace {
void print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }
}  // namespace

ProgramCommandLine::ProgramCommandLine(const QString& program, const QString& description)
    : program_(program),
      database_(QStringLiteral("database"),
                QStringLiteral("The database file, or a server's postgresql:// address; without it $%1, else %2.")
                    .arg(QString::fromLatin1(kDatabaseEnvironmentVariable), defaultDatabasePath()),
                QStringLiteral("path")),
      help_({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help.")),
      version_({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Shows the version.")) {
  parser_.setApplicationDescription(description);
  // Qt's own options, such as -platform, are single-dash words.
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser_.addOptions({database_, help_, version_});
}

std::optional<int> ProgramCommandLine::read(const QStringList& arguments) {
  if (!parser_.parse(arguments)) return refuse(parser_.errorText());
  if (parser_.isSet(help_)) {
    print(stdout, helpText());
    return 0;
  }
  if (parser_.isSet(version_)) {
    print(stdout, program_ + QLatin1Char(' ') + programVersion() + QLatin1Char('\n'));
    return 0;
  }
  if (carriesPassword(parser_.value(database_))) return refuse(passwordInCommandLine());
  return std::nullopt;
}

QString passwordInCommandLine() {
  return QStringLiteral("a server address on the command line must not carry its password: anyone on this computer "
                        "can read it there. Put the password in ~/.pgpass (or PGPASSWORD), or the whole address in "
                        "VANTORA_DATABASE.");
}

int ProgramCommandLine::refuse(const QString& problem) const {
  print(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(program_, problem));
  return 2;
}

QString ProgramCommandLine::helpText() const {
  // The parser names the program only through an application object, which
  // vantora has not made yet when it prints the help.
  const QString text = parser_.helpText();
  return QStringLiteral("Usage: ") + program_ + text.mid(text.indexOf(QStringLiteral(" [options]")));
}

QString ProgramCommandLine::databasePath() const { return databasePathFrom(parser_.value(database_)); }

QString programVersion() { return QStringLiteral(VANTORA_VERSION); }
