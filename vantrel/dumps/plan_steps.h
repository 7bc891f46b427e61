// What the family plans share: the card link, the progress and the steps
// counted, answer buffers, and the plan functions each family provides.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "vantrel/dumps/dump_plans.h"

namespace dumps::plan {

// The library writes answers into caller buffers of this size.
using Answer = std::array<uint8_t, 1024>;

class Run {
public:
    Run(CardLink& link, DumpProgress& progress, const ReadRequest& request, int steps)
        : link(link), request(request), progress_(progress), steps_(steps) {}

    // Tells the progress of the next step; false when the operator stopped.
    bool Next(const std::wstring& what) { return progress_.Step(done_++, steps_, what); }
    // The same step again (a retry within it).
    bool Again(const std::wstring& what) { return progress_.Step(done_ > 0 ? done_ - 1 : 0, steps_, what); }

    CardLink& link;
    const ReadRequest& request;
    const DumpLayout& Layout() const { return *request.layout; }

private:
    DumpProgress& progress_;
    int steps_;
    int done_ = 0;
};

std::wstring StepName(const DumpLayout& layout, int unit);

struct Writes {
    const CardDump& file;
    const CardDump& card;
    const std::vector<int>& units;
    std::vector<int>& written;
    int& failedUnit;
};

ReadResult ReadMifare(Run& run);
PlanFailure WriteMifare(Run& run, Writes writes);
ReadResult ReadUltraLight(Run& run);
PlanFailure WriteUltraLight(Run& run, Writes writes);
ReadResult ReadVicinity(Run& run);
PlanFailure WriteVicinity(Run& run, Writes writes);
ReadResult ReadStTag(Run& run);
PlanFailure WriteStTag(Run& run, Writes writes);
ReadResult ReadContact(Run& run);
PlanFailure WriteContact(Run& run, Writes writes);

}  // namespace dumps::plan

namespace dumps::plan {

// Whether the card reports any block of the unit locked.
bool VicinityUnitLocked(const DumpUnit& unit);

}  // namespace dumps::plan
