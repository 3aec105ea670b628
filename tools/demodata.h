#pragma once

#include <functional>

class Connection;

struct DemoCredentials {
  const char* name;
  const char* password;
};

// The sign-in slots of a demo database: slot 0 is the administrator.
inline constexpr DemoCredentials kDemoSlots[] = {
    {"admin", "admin123"}, {"clerk", "clerk123"}, {"manager", "manager123"}, {"", ""}, {"", ""}, {"", ""},
};

// Fills an empty database with illustrative transactions at every stage of the
// chain (the given share not yet quoted), address-book rows for most
// inquiries and sign-in log rows.
// `written` hears now and then how many transactions are written.
void fillDemoData(Connection& connection, int transactions, int unquotedPercent = 15,
                  const std::function<void(int written)>& written = {});
