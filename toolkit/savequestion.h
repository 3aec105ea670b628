#pragma once

// The two questions every entry form asks on SAVE.
enum class SaveChoice { Save, KeepEditing, Discard };

SaveChoice askSaveChoice();
