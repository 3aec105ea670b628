#pragma once

// Makes the splash sheet, the sign-in form and the main panel known to the form host.
void registerShellForms();
