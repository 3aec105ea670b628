#pragma once

#include <QString>

#include "store/logins.h"

// The refusal texts shared by the sign-in form and the edit-data gate.
QString signInMessage(SignInVerdict verdict);
