#pragma once

// Installs the program's translations into the running application: the user's language where
// there is a translation for it, else English, whose file gives the plural forms ("1 file",
// "2 files") that the texts leave open as "file(s)".
void installTranslations();
