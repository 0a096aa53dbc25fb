#pragma once

class QLineEdit;
class QWidget;

// The one prompt of the console's windows for a number outside its range: a warning over the window
// with the program's name as caption. The window stays open and the field gets the focus.
void ShowRangePrompt(QWidget* window, int minimum, int maximum);

// Reads a whole number field against its range: true with `value` set when the text is a whole number
// in [minimum, maximum]; otherwise false, and with `prompt` the prompt is shown and the field gets the
// focus.
bool CheckRange(QLineEdit& field, int minimum, int maximum, int& value, bool prompt = true);
