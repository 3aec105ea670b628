#pragma once

class Connection;

// Takes away what data version 8 added (the outstanding report's index),
// leaving a database of data version 7.
void takeBackReportIndex(Connection& connection);

// Takes away what data versions 8 and 7 added (the unpaid-invoice index, the
// follow-up totals and their triggers), leaving a database of data version 6.
void takeBackFollowUp(Connection& connection);

// Makes a database of this version look as data version 5 left it: no
// follow-up totals, no table of inquiries by make, no list indexes, but that
// version's plain and listing indexes and its open-parents index; the data
// version set to 5.
void takeBackListOrders(Connection& connection);
