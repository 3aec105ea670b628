#pragma once

class Connection;

// Makes a database of this version look as data version 5 left it: no table
// of inquiries by make, no list indexes, but that version's plain and
// listing indexes and its open-parents index; the data version set to 5.
void takeBackListOrders(Connection& connection);
