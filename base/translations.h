#pragma once
// The program speaks Chinese: Qt's own texts (dialog buttons, file and print
// dialogs, its error messages, the command line's help) are loaded in
// Chinese at start, whatever the system's language.

namespace tavrin {

// Installs Qt's Chinese translations into the running application; false
// when they are not installed on this machine (the texts stay English).
bool InstallChineseTranslations();

}  // namespace tavrin
