#pragma once

class Connection;

// A file made by this version opens as it is. A file of the previous layout
// is brought up to date once, in one transaction; one made by a newer version,
// or one whose numbers stop the upgrade, is refused with a clear message.
void requireCurrentSchema(Connection& connection);
