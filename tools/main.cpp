// vantora-db: creates, fills, backs up and checks VANTORA database files.
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "commandline/commandline.h"
#include "store/basics/dberror.h"
#include "store/changelog.h"
#include "store/connection.h"
#include "store/engine/serverlocation.h"
#include "store/files/backup.h"
#include "store/files/databasecopy.h"
#include "store/files/newdatabase.h"
#include "store/layout/chaincheck.h"
#include "store/layout/changelogcheck.h"
#include "store/layout/schemaversion.h"
#include "store/logins.h"
#include "store/queries/changelogquery.h"
#include "store/queries/pagedquery.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/wholenumber.h"
#include "store/witnesses.h"
#include "tools/changelogprinter.h"
#include "tools/demodata.h"

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

const char kCommands[] =
    "Creates, fills, copies, backs up and checks VANTORA databases: a file, or a database on a PostgreSQL\n"
    "server given as postgresql://... (a password belongs in ~/.pgpass or PGPASSWORD, not in the address).\n"
    "\n"
    "Commands:\n"
    "  init ADMIN [USER ...]                    new database; up to five users after the administrator. Each\n"
    "                                           password is asked for, unseen, or read one per line from\n"
    "                                           standard input\n"
    "  demo [--transactions N] [--unquoted P]   new database with example data\n"
    "  copy --from SOURCE --to DEST             the whole database into a new one, file or server, either way\n"
    "  backup DEST                              encrypted copy of the database into the file DEST (on a\n"
    "                                           server: a pg_dump archive)\n"
    "  restore COPY                             put the backup COPY in place of the database file (close VANTORA\n"
    "                                           first); the database as it was is kept as a backup\n"
    "  check                                    integrity check, broken document chains, the change log\n"
    "  log [--number N] [--since DATE]          the change log, newest first (DATE as YYYY-MM-DD), as text,\n"
    "      [--format text|tsv|json]             tab-separated fields or JSON; exit status 1 when none matches\n"
    "  where                                    print the database in use (a server address without its password)";

// On a terminal, a line that says how far a long job is, written over each
// time, at most a few times a second; the last one stays.
void progressLine(const QString& text, bool last) {
  static QElapsedTimer shown;
  if (!isatty(fileno(stderr)) || (!last && shown.isValid() && shown.elapsed() < 250)) return;
  shown.start();
  err << '\r' << text << "\x1b[K" << (last ? "\n" : "");
  err.flush();
}

void indexesProgress(int built, int total) {
  progressLine(QStringLiteral("the lists' indexes: %1 of %2").arg(built).arg(total), built == total);
}

// Echo is off on the terminal while a password is typed; an interrupt gives it back.
class HiddenTyping {
 public:
  HiddenTyping() {
    tcgetattr(STDIN_FILENO, &shown_);
    termios hidden = shown_;
    hidden.c_lflag &= ~tcflag_t(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    std::signal(SIGINT, interrupted);
  }
  ~HiddenTyping() {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &shown_);
    std::signal(SIGINT, SIG_DFL);
    err << "\n";
    err.flush();
  }
  HiddenTyping(const HiddenTyping&) = delete;
  HiddenTyping& operator=(const HiddenTyping&) = delete;

 private:
  static void interrupted(int) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &shown_);
    _exit(130);
  }
  static inline termios shown_{};
};

std::optional<QString> readLine() {
  std::string line;
  if (!std::getline(std::cin, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return QString::fromLocal8Bit(line);
}

std::optional<QString> typedPassword(const QString& prompt) {
  const HiddenTyping hidden;  // before the prompt: nothing typed after it shows
  err << prompt;
  err.flush();
  return readLine();
}

// Each name's password: typed at a terminal, unseen and twice, or else one
// line each, in the names' order, from standard input. Nothing when none came.
std::optional<QStringList> readPasswords(const QStringList& names) {
  const bool terminal = isatty(STDIN_FILENO);
  QStringList passwords;
  for (const QString& name : names) {
    if (!terminal) {
      const auto line = readLine();
      if (!line) {
        err << "Standard input ended before the password for " << name << "; nothing was created.\n";
        return std::nullopt;
      }
      passwords << *line;
      continue;
    }
    const auto typed = typedPassword(QStringLiteral("Password for %1: ").arg(name));
    const auto again = typed ? typedPassword(QStringLiteral("The same again: ")) : std::nullopt;
    if (!again || *typed != *again) {
      err << "The two passwords for " << name << " differ; nothing was created.\n";
      return std::nullopt;
    }
    passwords << *typed;
  }
  return passwords;
}

int init(const QString& path, const QStringList& names) {
  if (names.isEmpty() || names.size() > 6) {
    err << "init needs the administrator's name and at most five users' names\n";
    return 2;
  }
  for (const QString& name : names)
    if (name.contains(':')) {
      err << "init takes names only (init ADMIN [USER ...]): a password on the command line can be read by every "
             "user of this computer and stays in the shell's history. Each password is asked for, or read one per "
             "line from standard input. Nothing was created.\n";
      return 2;
    }
  const auto passwords = readPasswords(names);
  if (!passwords) return 2;
  QStringList slotValues;
  for (int slot = 0; slot < 6; ++slot) slotValues << names.value(slot) << passwords->value(slot);
  if (const QString problem = signInSlotsProblem(slotValues); !problem.isEmpty()) {
    err << problem << " Nothing was created.\n";
    return 2;
  }
  createEmptyDatabase(path, slotValues, indexesProgress);
  out << "Created " << shownServerLocation(path) << "\n";
  return 0;
}

// The whole number an option gives, within [min, max]; its default when absent.
std::optional<int> wholeNumber(ProgramCommandLine& commandLine, const QCommandLineOption& option, int min, int max) {
  bool ok = false;
  const int value = commandLine.parser().value(option).toInt(&ok);
  if (ok && value >= min && value <= max) return value;
  commandLine.refuse(QStringLiteral("--%1 takes a whole number from %2 to %3.").arg(option.names().first()).arg(min).arg(max));
  return std::nullopt;
}

int demo(const QString& path, int transactions, int unquoted) {
  createDatabase(path, indexesProgress, [=](Connection& connection) {
    fillDemoData(connection, transactions, unquoted, [&](int done) {
      progressLine(QStringLiteral("demo transactions: %1 of %2").arg(groupedDigits(done), groupedDigits(transactions)),
                   done == transactions);
    });
  });
  out << "Created " << shownServerLocation(path) << " with " << transactions << " demo transactions.\n"
      << "Sign in with user \"" << kDemoSlots[1].name << "\", password \"" << kDemoSlots[1].password
      << "\" (or \"" << kDemoSlots[2].name << "\" / \"" << kDemoSlots[2].password << "\"); administrator \""
      << kDemoSlots[0].name << "\" / \"" << kDemoSlots[0].password << "\".\n";
  return 0;
}

int backup(const QString& path, const QStringList& arguments) {
  if (arguments.size() != 1) {
    err << "backup needs the destination file\n";
    return 2;
  }
  auto connection = Connection::open(path);
  backupDatabase(*connection, arguments[0]);
  out << "Backed up " << connection->path() << " to " << arguments[0] << "\n";
  return 0;
}

int restore(const QString& path, const QStringList& arguments) {
  if (arguments.size() != 1) {
    err << "restore needs the backup to put in place\n";
    return 2;
  }
  if (isServerLocation(path)) {
    err << "restore puts a backup file in place of a database file. A server's database is restored from its "
           "pg_dump archive with pg_restore (see HELP, BACK UP).\n";
    return 2;
  }
  const QString kept = restoreDatabase(arguments[0], path, QDateTime::currentDateTime());
  out << "Restored " << path << " from " << arguments[0] << "\n";
  if (!kept.isEmpty()) out << "The database as it was is kept in " << kept << "\n";
  return 0;
}

int check(const QString& path) {
  auto connection = Connection::open(path);
  const DatabaseCheck report = checkDatabase(*connection);
  out << "checked " << connection->path() << "\n";
  out << "integrity: " << report.integrity << "\n";
  if (report.brokenChains.isEmpty()) out << "broken chains: none\n";
  for (const QString& line : report.brokenChains) out << "broken chain: " << line << "\n";
  if (report.logProblems.isEmpty()) out << "change log: sealed and agrees with the data\n";
  for (const QString& line : report.logProblems) out << line << "\n";
  for (const QString& line : report.notes) out << "not checked: " << line << "\n";
  if (report.headSound && report.headKey > 0) {
    const QString witnesses = recordWitness(connection->address(), QStringLiteral("check"), report.headKey, report.headSeal);
    out << "witness: entry " << report.headKey << ", seal " << report.headSeal << "\n";
    if (!witnesses.isEmpty()) out << "  noted in " << witnesses << "\n";
  }
  return report.sound() ? 0 : 1;
}

int copy(const QString& from, const QString& to) {
  auto source = Connection::open(from);
  const TableCounts counts = copyDatabase(*source, to, [](qint64 copied, qint64 total) {
    progressLine(QStringLiteral("rows copied: %1 of %2").arg(groupedDigits(copied), groupedDigits(total)),
                 copied == total);
  });
  out << "Copied " << source->path() << " to " << shownServerLocation(to) << ":\n";
  for (const auto& [table, rows] : counts) out << "  " << table << ": " << rows << " rows\n";
  out.flush();
  return check(to);
}

int log(const QString& path, const ChangeFilter& filter, ChangeLogPrinter::Format format) {
  auto connection = Connection::open(path);
  for (const QString& problem : changeLogHeadProblems(*connection))
    out << "THE CHANGE LOG FAILS ITS CHECK: " << problem << ". Run \"vantora-db check\".\n";
  auto entries = wholeList(*connection, changeLogQuery(filter));
  const int summary = entries->columnCount() - 1;
  QStringList fields;
  for (int c = 1; c <= summary; ++c) fields << entries->columnName(c);
  ChangeLogPrinter printer(out, format, fields);
  while (entries->step()) {
    QVariantList values;
    for (int c = 1; c < summary; ++c) values << entries->value(c);
    values << changeSummary(entries->value(summary).toString());
    printer.print(values);
  }
  printer.finish();
  if (printer.printed() > 0) return 0;
  err << (filter.number.isEmpty() ? QStringLiteral("No change log entry matches.")
                                  : QStringLiteral("No change log entry names the document number %1.").arg(filter.number))
      << "\n";
  return 1;
}

// What a server going away means for a command, in a command line's words.
QString lostConnectionWords(const QString& command) {
  static const QHash<QString, QString> outcomes = {
      {"init", "no database was created"}, {"demo", "no database was created"}, {"copy", "nothing was copied"},
      {"backup", "no backup was made"},    {"check", "the check did not finish"}, {"log", "the log was not read to its end"},
  };
  return QStringLiteral("The connection to the database server was lost, so %1. Run the command again when the "
                        "server is back.")
      .arg(outcomes.value(command, QStringLiteral("the command did not finish")));
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  ProgramCommandLine commandLine(QStringLiteral("vantora-db"), QString::fromLatin1(kCommands));
  const QCommandLineOption transactionsOption(QStringLiteral("transactions"),
                                              QStringLiteral("demo: how many transactions (default 60)."),
                                              QStringLiteral("n"), QStringLiteral("60"));
  const QCommandLineOption unquotedOption(QStringLiteral("unquoted"),
                                          QStringLiteral("demo: percent of the inquiries not yet quoted (default 15)."),
                                          QStringLiteral("p"), QStringLiteral("15"));
  const QCommandLineOption numberOption(QStringLiteral("number"), QStringLiteral("log: changes of this document number only."),
                                        QStringLiteral("n"));
  const QCommandLineOption fromOption(QStringLiteral("from"), QStringLiteral("copy: the database to copy (default: the one in use)."),
                                      QStringLiteral("source"));
  const QCommandLineOption toOption(QStringLiteral("to"), QStringLiteral("copy: the new database, a file or a server address."),
                                    QStringLiteral("destination"));
  const QCommandLineOption formatOption(QStringLiteral("format"),
                                        QStringLiteral("log: text (the default), tsv or json."), QStringLiteral("format"),
                                        QStringLiteral("text"));
  const QCommandLineOption sinceOption(QStringLiteral("since"), QStringLiteral("log: changes from this date (YYYY-MM-DD) on."),
                                       QStringLiteral("date"));
  QCommandLineParser& parser = commandLine.parser();
  parser.addOptions({transactionsOption, unquotedOption, numberOption, sinceOption, formatOption, fromOption, toOption});
  parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("One of the commands above."),
                               QStringLiteral("command [arguments]"));
  if (const auto done = commandLine.read(app.arguments())) return *done;

  QStringList arguments = parser.positionalArguments();
  if (arguments.isEmpty()) {
    err << commandLine.helpText();
    return 2;
  }
  const QString command = arguments.takeFirst();
  if (command != "demo" && (parser.isSet(transactionsOption) || parser.isSet(unquotedOption)))
    return commandLine.refuse(QStringLiteral("--transactions and --unquoted go with demo only."));
  if (command != "log" && (parser.isSet(numberOption) || parser.isSet(sinceOption) || parser.isSet(formatOption)))
    return commandLine.refuse(QStringLiteral("--number, --since and --format go with log only."));
  if (command != "copy" && (parser.isSet(fromOption) || parser.isSet(toOption)))
    return commandLine.refuse(QStringLiteral("--from and --to go with copy only."));
  for (const QCommandLineOption& address : {fromOption, toOption})
    if (carriesPassword(parser.value(address))) return commandLine.refuse(passwordInCommandLine());
  if (!arguments.isEmpty() &&
      (command == "demo" || command == "check" || command == "where" || command == "log" || command == "copy"))
    return commandLine.refuse(QStringLiteral("%1 takes no arguments.").arg(command));
  const QString path = commandLine.databasePath();
  setUpgradeProgress([](const QString& database, int done, int total) {
    progressLine(QStringLiteral("bringing %1 up to date: %2 of %3").arg(database).arg(done).arg(total), done == total);
  });
  try {
    if (command == "init") return init(path, arguments);
    if (command == "demo") {
      const auto transactions = wholeNumber(commandLine, transactionsOption, 1, 10'000'000);
      const auto unquoted = wholeNumber(commandLine, unquotedOption, 0, 100);
      return transactions && unquoted ? demo(path, *transactions, *unquoted) : 2;
    }
    if (command == "backup") return backup(path, arguments);
    if (command == "restore") return restore(path, arguments);
    if (command == "check") return check(path);
    if (command == "copy") {
      if (!parser.isSet(toOption)) return commandLine.refuse(QStringLiteral("copy needs --to DEST."));
      return copy(parser.isSet(fromOption) ? parser.value(fromOption) : path, parser.value(toOption));
    }
    if (command == "log") {
      const QDate since = QDate::fromString(parser.value(sinceOption), Qt::ISODate);
      if (parser.isSet(sinceOption) && !since.isValid())
        return commandLine.refuse(QStringLiteral("--since takes a date as YYYY-MM-DD."));
      const auto format = ChangeLogPrinter::formatNamed(parser.value(formatOption));
      if (!format) return commandLine.refuse(QStringLiteral("--format takes text, tsv or json."));
      return log(path, {parser.value(numberOption), {}, {}, since, {}}, *format);
    }
    if (command == "where") {
      out << shownServerLocation(path) << "\n";
      return 0;
    }
  } catch (const DbError& error) {
    err << (error.kind() == DbErrorKind::ConnectionLost ? lostConnectionWords(command) : error.message()) << "\n";
    return 1;
  }
  return commandLine.refuse(QStringLiteral("unknown command '%1'.").arg(command));
}
