// The card link of the program: each call made through the command, which
// logs it at once (one line a call, as the panels' commands log theirs).
#pragma once

#include "vantrel/dumps/card_link.h"
#include "vantrel/toolkit/result_report.h"

namespace dumps {

class CommandLink : public CardLink {
public:
    CommandLink(Command& command, ReaderLibrary& reader) : command_(command), reader_(reader) {}

#define COMMAND_LINK_CALL(name, params, args) \
    int32_t name params override { return command_.CallQuietly(reader_.name, DUMP_LINK_DEVICE_AND args); }
    DUMP_LINK_FUNCTIONS(COMMAND_LINK_CALL)
#undef COMMAND_LINK_CALL

    void Wait(unsigned milliseconds) override { command_.Wait(milliseconds); }

private:
    Command& command_;
    ReaderLibrary& reader_;
};

}  // namespace dumps
