#pragma once

#include <QStringList>

class Connection;

// Each summary row's make beside its inquiry's client and number, kept by
// triggers whatever writes the file, so that one index holds the order of
// the inquiries-by-make list (make, then client): the make lives in the
// summary rows and the client in the inquiries. A pair is a summary row and
// the inquiry whose number it carries, both trimmed and in any letter case.
void createInquiryMakes(Connection& connection);

// What `check` reports when the kept pairs disagree with the rows.
void compareInquiryMakes(Connection& connection, QStringList& report);
