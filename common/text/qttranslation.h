#pragma once

// Qt's own texts (the standard buttons of message boxes, the print, preview and file dialogs) in the
// suite's language: installs Qt's catalogue for the language (2 English, any other value Italian) in place
// of the one installed before. Needs the application object; returns false when there is none or the
// catalogue cannot be read (Qt's texts then stay English).
bool InstallQtTranslation(int language);
