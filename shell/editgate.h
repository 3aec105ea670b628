#pragma once

class FormHost;

// The second sign-in in front of the edit data form, run alike from the
// panel's EDIT DATA button and the frame's EDIT menu: a question, a name and a
// password from one slot (the administrator's included), a log row, then the form.
void passEditGate(FormHost& host);
