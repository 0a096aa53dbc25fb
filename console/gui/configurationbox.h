#pragma once

class QWidget;

// The error box of the console's configuration dialogs: caption string 10045, error icon, one text
// from the string table. Returns when the user closes it.
void ShowConfigurationError(QWidget* parent, unsigned textId);
// The same with caption string 10046 and the warning icon.
void ShowConfigurationWarning(QWidget* parent, unsigned textId);

constexpr unsigned kErrorCaptionString = 10045;
constexpr unsigned kWarningCaptionString = 10046;
