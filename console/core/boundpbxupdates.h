#pragma once

#include <QByteArray>
#include <QByteArrayView>

class BoundPbxRecords;

// How a PBX event changes the console's copies of the bound PBX's records, the same on the server (from
// the PBX's frames) and on a client (from the relayed datagrams). Every index is checked against the count
// of its copies: an index beyond them, or a copy table that does not exist, changes nothing. Texts are cut
// to the 50 characters of their fields.
namespace BoundPbxUpdates {

inline constexpr qsizetype kTextMaxLength = 50;
// Digits are appended only while the text is shorter than this.
inline constexpr qsizetype kDigitsAppendLimit = 49;

// The extension copy's digits: `digits` appended while the text is shorter than 49 characters; replaced;
// emptied.
void AppendDigits(BoundPbxRecords& records, int extension, QByteArrayView digits);
void SetDigits(BoundPbxRecords& records, int extension, QByteArrayView digits);
QByteArray Digits(BoundPbxRecords& records, int extension);
void SetHandset(BoundPbxRecords& records, int extension, bool offHook);

// Event 51: the extension rings from the partner; a ring from an entry phone links the entry phone to the
// extension. True when the extension's copy changed.
bool Ring(BoundPbxRecords& records, int extension, int ringType, int linkType, int linkIndex);
// Event 60, one side: the object is connected (state 7) to its partner. True when it is an extension
// whose copy changed.
bool Link(BoundPbxRecords& records, int type, int index, int partnerType, int partnerIndex);
// Event 65: the object's new state; an extension back to idle frees the entry phone it was linked to
// and loses its digits, a line back to idle loses its caller id. True when it is an extension whose copy
// changed.
bool ChangeState(BoundPbxRecords& records, int type, int index, int state);
// Event 70: true when the line's copy changed.
bool SetLineCallerId(BoundPbxRecords& records, int line, QByteArrayView callerId);
QByteArray LineCallerId(BoundPbxRecords& records, int line);

// Event 68.
void SetExtensionProgramming(BoundPbxRecords& records, int extension, const QByteArray& record);

}  // namespace BoundPbxUpdates
