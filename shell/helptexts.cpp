#include "shell/helptexts.h"

#include <QDir>

#include "store/databaselocation.h"
#include "store/engine/serverlocation.h"

namespace {

const char kStart[] =
    "STARTING VANTORA\n\n"
    "Start it from the desktop's applications menu (VANTORA, under Office), or type  vantora  in a terminal. "
    "vantora --help lists its options; --database PATH opens another database file than the usual one.\n\n"
    "An office with several computers keeps its database on a PostgreSQL server instead: start VANTORA with "
    "VANTORA_DATABASE set to the server's address, postgresql://SERVER/DATABASE, and keep the password in the "
    "file ~/.pgpass, never in the address on a command line.\n\n"
    "The first window is the splash sheet. Press any key or click it, and the sign-in form follows. The very "
    "first time, when there is no database yet, VANTORA offers to create one first: an empty one, for which you "
    "give the administrator's and the first clerk's names and passwords, or a demo one with example records.\n\n"
    "Escape answers a message with its NO and, on a form, does what its CLOSE button does.\n\n"
    "This computer's database: %1";

const char kLogin[] =
    "SIGNING IN\n\n"
    "The sign-in form checks who you are. Type your user name and your password and press SUBMIT USER (or Enter). "
    "Names and passwords are case-sensitive: \"Ravi\" is not \"ravi\". Blanks before or after them are ignored.\n\n"
    "The administrator types the administrator's name and password and presses SUBMIT ADMINISTRATOR. The "
    "administrator's screen shows the six sign-in slots: the administrator and five users. To add a user, fill an "
    "empty slot with a name and a password; to remove one, empty both; to change a password, type the new one. "
    "Nothing is stored until SAVE DATA is pressed, and SAVE DATA refuses names used twice, a name without a "
    "password, and names or passwords that begin or end with a blank. Go Back returns to the sign-in form.";

const char kInputData[] =
    "ENTERING DATA\n\n"
    "The INPUT frame of the main form, and the INPUT menu, hold five buttons: INQUIRY, QUOTATION, PURCHASE ORDER, "
    "INVOICE/ CHALLAN and ADDRESS BOOK. Every deal starts with the client's inquiry, then the quotation, the "
    "client's purchase order and the invoice, in that order. The address book entry follows the inquiry.\n\n"
    "A. INQUIRY: type a new inquiry number, the client, the dates and the budgetary rate; tick each category asked "
    "for and fill its description, quantity and make. SAVE stores the inquiry.\n\n"
    "B. QUOTATION: choose the inquiry number to answer (only inquiries not yet quoted are offered) and press SHOW. "
    "Quotation prices are whole numbers. Use EDIT?? to change the items.\n\n"
    "C. PURCHASE ORDER: choose the quotation number and press SHOW. Tick a stock box only when the stock is "
    "enough for the order; otherwise the item is ordered from its manufacturer.\n\n"
    "D. INVOICE/CHALLAN: choose the purchase order number and press SHOW. The invoice number is copied as the "
    "challan number; change it when the challan has its own number.\n\n"
    "E. ADDRESS BOOK: choose the inquiry number and fill in the client's address and contacts. Telephone and fax "
    "numbers carry their trunk code, for example 0120-2345678.\n\n"
    "A form that has shown a document closes only by SAVE or its CLOSE button, so nothing typed is lost by "
    "accident.";

const char kViewData[] =
    "VIEWING DATA\n\n"
    "VIEW DATA shows every stored record, one table or combination per tab. A tab's list is read again each time "
    "the tab is chosen; its tooltip says how it is sorted. Nothing can be changed here. Ctrl+C copies the selected "
    "cells, with their captions, for a mail or a spreadsheet.";

const char kEditData[] =
    "EDITING DATA\n\n"
    "Edits should be rare: enter the data correctly the first time. EDIT DATA asks once more for a name and that "
    "same user's password.\n\n"
    "Never change a chain number (inquiry, quotation, PO or invoice number): the other tables keep the old number, "
    "and the deal falls apart. If one must be changed, change it in the ITEM DESCRIPTION, DETAILED DESCRIPTION and "
    "ADDRESS BOOK tables as well; after such a change a message counts the rows that still carry the old one.\n\n"
    "An item description changed in one description table must be changed in the other too.\n\n"
    "Dates keep their day/month/year form: 15/03/26 or 15/03/2026. Statuses are YES or NO. A changed row is "
    "stored when you leave it, choose another tab or press CLOSE; a value that does not fit is refused with a "
    "message and the row keeps what was stored.";

const char kQuery[] =
    "QUERY\n\n"
    "The query form shows the same data sorted by different fields, with totals of what is still open. It is "
    "read-only and shows the data as it stood when the form was opened: reopen it to see newer records.";

const char kReport[] =
    "REPORTS\n\n"
    "Four reports: pending inquiry, pending quotation, pending order and outstanding payment. Each is written as a "
    "new spreadsheet file (.xlsx) and opened in the desktop's spreadsheet program, for viewing and printing. The "
    "files are kept, named after the report with the date and time, in:\n%3\n\n"
    "A report is a new file each time, so changing or deleting one never touches the data.\n\n"
    "The reports are filled into templates (the folder lumoxlsfile of the program). The templates may be changed "
    "in any spreadsheet program (title, logo, column widths); keep a copy of the originals first. Only the cells "
    "from row 3 down are written, so those changes stay.";

const char kGeneral[] =
    "GENERAL\n\n"
    "Abbreviations used on the forms:\n"
    "MANF  manufacturer (make)        QTY  quantity\n"
    "P  pump        PS  pump spare        SA  standard accessories\n"
    "C  coupling        CS  coupling spare        MIS / MISC  miscellaneous\n"
    "No. / NUM  number        PO  purchase order        INV  invoice\n"
    "INQ  inquiry        QUOTE  quotation        ID  item description\n"
    "PO TO MAN  purchase order to the manufacturer        INC.  including        COMM.  combined\n\n"
    "System requirements: Debian 12 (or a like Linux desktop) with its Qt 6 libraries, a screen of at least "
    "1024 x 768, and a spreadsheet program that opens .xlsx files (for example LibreOffice Calc) for the reports.\n\n"
    "A demo database (the first start's demo choice, or  vantora-db demo) holds illustrative test data only; "
    "start real work on an empty database (the first start's other choice, or  vantora-db init).\n\n"
    "Keep a backup copy of the database (see BACK UP) and of any report templates you have changed.";

const char kBackUp[] =
    "BACK UP\n\n"
    "Make a backup at least once a day:\n"
    "1. Choose the BACK UP menu of the main window.\n"
    "2. VANTORA copies the database into the backup folder:\n%2\n"
    "   That is the folder databasebackup beside the database's own folder, or, where that folder cannot be made "
    "or written (a database kept right in a home folder), databasebackup inside the database's own folder.\n"
    "   A database file is copied still encrypted, named database-YEAR-MONTH-DAY-TIME.db. A database on a "
    "PostgreSQL server is written by pg_dump as database-YEAR-MONTH-DAY-TIME.dump; pg_dump comes with Debian's "
    "postgresql-client package, and without it VANTORA says so: then the server's own backups apply. Older copies "
    "are kept beside the new one.\n"
    "3. Copy the newest backup to a USB stick or another computer now and then.\n\n"
    "Restoring a backup of a database file:\n"
    "1. Close VANTORA on every computer that uses the database.\n"
    "2. In a terminal, type:  vantora-db restore PATH-OF-THE-BACKUP\n"
    "3. The backup is first checked: it must open with the database key and be sound. Only then is the database "
    "replaced, and the database as it was is kept as one more copy in the backup folder, so a restore can be "
    "undone the same way.\n\n"
    "Restoring a backup of a database on a server (whoever looks after the server does this):\n"
    "1. Close VANTORA on every computer.\n"
    "2. Into a new, empty database on the server, type:  pg_restore --no-owner --dbname=ADDRESS PATH-OF-THE-BACKUP\n"
    "3. Point VANTORA at the new database (see START). An office's database can also be moved between a file and "
    "a server, either way, with  vantora-db copy --from SOURCE --to DESTINATION.\n\n"
    "The database itself: %1";

}  // namespace

const std::vector<HelpPage>& helpPages() {
  static const std::vector<HelpPage> pages = {
      {"START", kStart}, {"LOGIN", kLogin}, {"INPUT  DATA", kInputData}, {"VIEW DATA", kViewData},
      {"EDIT DATA", kEditData}, {"QUERY", kQuery}, {"REPORT", kReport}, {"GENERAL", kGeneral}, {"BACK UP", kBackUp},
  };
  return pages;
}

QString helpText(const HelpPage& page, const QString& databasePath) {
  QString text = QString::fromUtf8(page.text);
  // The database last: a server's address may itself hold "%2" or "%3".
  text.replace(QStringLiteral("%3"), QDir::toNativeSeparators(reportsFolderFor(databasePath)));
  text.replace(QStringLiteral("%2"), QDir::toNativeSeparators(backupFolderFor(databasePath)));
  text.replace(QStringLiteral("%1"), isServerLocation(databasePath) ? shownServerLocation(databasePath)
                                                                     : QDir::toNativeSeparators(databasePath));
  return text;
}

const char kAboutText[] =
    "VANTORA\n\nRecords of each deal of a sales office for engineering goods: inquiry, quotation, purchase order, "
    "invoice with delivery challan, the address book, and the follow-up reports.";

const char kMakerText[] =
    "VANTORA is written and looked after by its own small team of developers for the offices that use it. It keeps "
    "every deal's papers in one encrypted file on the office's own computer, and asks for nothing but a desktop and "
    "a spreadsheet program.";

const char kContactText[] =
    "For help with VANTORA, or to suggest a change, write to the office's administrator, who keeps in touch with "
    "its developers.";
