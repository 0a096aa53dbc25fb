#pragma once

#include "objectlistview.h"

#include <QString>

// The relays window: the relays of this PBX, then those of the second PBX, as icons. A click switches a
// load relay on or off, or opens a door, by dialling the service code on this station's extension as a
// user keys it; the load's new state then goes to every console as a PBX event.
class CRelayView : public CObjectListView {
    Q_OBJECT
public:
    static constexpr std::uint8_t kSecondPbxRelaysOption = 0x02;  // of the second PBX plug-in's first byte

    CRelayView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr);

    // The service code that switches a relay: "471"/"470" + number (on, off; a door opens with "471"),
    // "8471"/"8470" with the extended numbering, "F" before them during a call.
    static QString RelayCode(bool load, bool loadOn, bool inCall, bool extendedNumbering, int number);

protected:
    void OnTick() override;
    bool FillInfoTip(int index, QString& buffer, int size) override;
    void OnClick(int relay) override;

private:
    void SwitchOwnRelay(int relay);
    void SwitchSecondPbxRelay(int relay, std::uint8_t local);
    // The load's new state as event 65 of an object of type 4, relayed by the engine to every console.
    void SendNewState(std::uint8_t pbx, std::uint8_t local, std::uint8_t state);

    std::uint8_t m_clicked = kNoObject;  // the relay of the last click
};
