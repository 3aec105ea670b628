#pragma once

#include <QString>
#include <QVariant>

#include "store/rowwriter.h"
#include "tests/support/testdatabase.h"

// Documents written straight into the file, as another window would save them.
struct Books {
  TestDatabase& db;

  void inquiry(const QString& number, const QString& client, const QVariant& status = {}, int rate = 100,
               const QString& date = "2026-03-01") {
    RowWriter(db.connection(), "tinquiry")
        .append(QVariantHash{{"inqnum", number}, {"client", client}, {"inqdate", date}, {"brate", rate},
                             {"quotesendstatus", status}, {"area", "PUNE"}});
  }
  void quote(const QString& inquiry, const QString& number, int rate = 500, const QVariant& status = {}) {
    RowWriter(db.connection(), "tquote")
        .append(QVariantHash{{"inqnum", inquiry}, {"quotenum", number}, {"client", "X"}, {"quoterate", rate},
                             {"orderstatus", status}});
  }
  void order(const QVariant& quote, const QString& number, int value = 900, const QVariant& executed = {}) {
    RowWriter(db.connection(), "tpo")
        .append(QVariantHash{{"quotenum", quote}, {"ponum", number}, {"client", "X"}, {"povalue", value},
                             {"orderexecutionstatus", executed}});
  }
  void invoice(const QString& order, const QString& number, int amount = 700, const QVariant& paid = {}) {
    RowWriter(db.connection(), "tinvoice")
        .append(QVariantHash{{"ponum", order}, {"invoicenum", number}, {"client", "X"}, {"invoiceamount", amount},
                             {"paymentstatus", paid}});
  }
  void items(const QString& inquiry, const QVariant& quote = {}, const QVariant& order = {}, const QVariant& invoice = {}) {
    RowWriter(db.connection(), "titemdescom")
        .append(QVariantHash{{"inqnum", inquiry}, {"quotenum", quote}, {"ponum", order}, {"invoicenum", invoice},
                             {"itemdes", "PUMP"}, {"qty", 2}, {"manf", "KSB"}});
  }
  void address(const QString& inquiry, const QString& client) {
    RowWriter(db.connection(), "taddressbook").append(QVariantHash{{"inqnum", inquiry}, {"client", client}});
  }
  void chain(const QString& n, const QString& client, bool invoiced, bool addressed) {
    inquiry("I-" + n, client, "YES");
    quote("I-" + n, "Q-" + n, 500, "YES");
    order("Q-" + n, "P-" + n);
    if (invoiced) invoice("P-" + n, "V-" + n);
    items("I-" + n, "Q-" + n, "P-" + n, invoiced ? QVariant("V-" + n) : QVariant());
    if (addressed) address("I-" + n, client);
  }
  void signIn(const char* log, const QString& login, const QString& date, const QString& time) {
    RowWriter(db.connection(), log).append(QVariantHash{{"login", login}, {"date", date}, {"time", time}});
  }
};

