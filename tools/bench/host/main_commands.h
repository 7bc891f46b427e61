// Each panel's main commands, as an operator runs them: texts to enter and
// list entries to pick, then the buttons to press. The last press is the
// command measured; earlier ones prepare the card (a search before a read).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct CommandStep {
    enum class Kind { SetText, Pick, Address, Press };
    Kind kind;
    int id;
    const wchar_t* text = nullptr;  // the text to enter, the list entry to pick, or a.b.c.d
};

struct PanelCommand {
    const wchar_t* name;
    std::vector<CommandStep> steps;
};

// The main commands of card type `code` (255: the device page); empty when
// none are listed for it yet.
std::span<const PanelCommand> MainCommands(int32_t code);
