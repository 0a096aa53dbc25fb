#pragma once

#include <cstdint>

class QString;
class QWidget;

// The error box of the console's configuration dialogs: caption string 10045, error icon, one text
// from the string table. Returns when the user closes it.
void ShowConfigurationError(QWidget* parent, unsigned textId);
// The engine's error box over a dialog that stays open: caption string 10045, error icon, the text, the
// "Codice errore: " line with the code (an EngineErrorCode) and the detail (what failed, and where).
void ShowEngineErrorBox(QWidget* parent, unsigned textId, std::uint8_t code, const QString& detail);
// The same with caption string 10046 and the warning icon.
void ShowConfigurationWarning(QWidget* parent, unsigned textId);

constexpr unsigned kErrorCaptionString = 10045;
constexpr unsigned kWarningCaptionString = 10046;
