#pragma once

#include <vector>

// Menu 128 of the hotel program: each entry a command (its id and text's string id), a separator, or a
// sub-menu with entries of its own. A text id of 0 keeps the template's text ("&?").
struct LodgixMenuEntry {
    enum class Kind { Command, Separator, SubMenu };
    Kind kind = Kind::Command;
    int command = 0;
    unsigned text = 0;
    std::vector<LodgixMenuEntry> entries;

    static LodgixMenuEntry Item(int command, unsigned text) { return {Kind::Command, command, text, {}}; }
    static LodgixMenuEntry Separator() { return {Kind::Separator, 0, 0, {}}; }
    static LodgixMenuEntry Sub(unsigned text, std::vector<LodgixMenuEntry> entries)
    {
        return {Kind::SubMenu, 0, text, std::move(entries)};
    }
};

// The menu bar's entries, in order.
const std::vector<LodgixMenuEntry>& LodgixMenuTemplate();
