#pragma once

// Screen readers would name a combo by what it shows; ours are named by their
// label, and what they show is their value. Installed before any combo exists.
void nameCombosByTheirLabels();
