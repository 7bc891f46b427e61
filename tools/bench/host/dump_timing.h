// The time of a card dump: the Save command as the Dump menu runs it (the
// log, the status field, the progress window, the file) against the same
// read with nothing around its library calls and waits.
#pragma once

#include <cstdint>
#include <string>

class HostedProgram;

struct DumpTiming {
    double commandMs = 0;  // the Save command, the file written
    double callsMs = 0;    // the library calls alone
    double waitsMs = 0;    // the waits between them the card's protocol asks for
    int calls = 0;
    std::wstring status;
};

// One run of each on card type `code`; the Mifare cards with the shipped key list.
DumpTiming TimeDump(HostedProgram& program, int32_t code, const std::wstring& file);
