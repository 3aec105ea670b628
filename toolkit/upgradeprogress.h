#pragma once

// While a database of an earlier version is brought up to date, which takes
// a while for a large one: a progress window, once it has taken a second.
void showUpgradeProgress();
