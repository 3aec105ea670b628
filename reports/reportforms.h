#pragma once

// Makes the report menu and the four report forms known to the form host.
void registerReportForms();
