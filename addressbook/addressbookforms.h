#pragma once

// Makes the address book form known to the form host.
void registerAddressBookForms();
