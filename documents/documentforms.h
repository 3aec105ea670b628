#pragma once

// Makes the entry forms of the document chain known to the form host.
void registerDocumentForms();
