#pragma once

// Makes the view data, edit data and query forms known to the form host.
void registerBrowseForms();
