#pragma once

#include <QString>

class CSqlDatabase;
class MainSettings;
class OperatorConsoleState;

// The picture of each object by its state and flash phase (bitmap ids; each PBX has its own set), with
// the object's status line. A choice clears the object's flash phase in the states that do not flash.
// Indexes are in the combined numbering.

// The picture style of an extension (0-9) from its per-object byte; a style of 10 or more is 0.
int ExtensionPictureStyle(const MainSettings& settings, int index);

int GetExtensionPicture(OperatorConsoleState& state, CSqlDatabase& database, const MainSettings& settings, int index,
                        QString& text);
int GetLinePicture(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& text);
int GetEntryPhonePicture(OperatorConsoleState& state, CSqlDatabase& database, int index, QString& text);
int GetRelayPicture(const OperatorConsoleState& state, int index);

// The service glyphs along the top of an extension's icon by slot (bitmap ids; 0 an empty slot): A the
// wake-up, B the follow-me, C local calls disabled, D the voice-mail service (when the console shows it)
// or do-not-disturb; the envelope of unread messages takes the first free slot of A, C, D, B.
struct ExtensionGlyphs {
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
};
ExtensionGlyphs ExtensionServiceGlyphs(const OperatorConsoleState& state, bool voiceMailGlyph, int index);
