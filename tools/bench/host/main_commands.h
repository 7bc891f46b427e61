// Each panel's main commands, as an operator runs them: texts to enter, list
// entries and radio buttons to pick, digits to type into a hex page editor,
// then the buttons to press. The last press is the command measured; earlier
// ones prepare the card (a search before a read). Checks after it say whether
// the card answered what it should.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct CommandStep {
    enum class Kind {
        SetText,
        Pick,     // a combo box entry, announced to the panel as a selection change
        Address,  // a.b.c.d into an IP address control
        Choose,   // a click on a radio button, which must end up checked
        Type,     // hex digits typed into a hex page editor from character `at` of its page
        Press,
        Expect,   // the last line of a list box or the text of a field: "*9000" ends with
                  // 9000, "AF*" starts with AF, "*" anything but empty, else equal
    };
    Kind kind;
    int id;
    const wchar_t* text = nullptr;
    int at = 0;
};

struct PanelCommand {
    const wchar_t* name;
    std::vector<CommandStep> steps;
};

// The main commands of card type `code` (255: the device page); empty when
// none are listed for it yet.
std::span<const PanelCommand> MainCommands(int32_t code);
