#include "support/fake_services.h"

#include "support/scripted_reader.h"

void FakeServices::Wait(DWORD milliseconds) {
    waits.push_back(milliseconds);
    if (reader_ != nullptr) reader_->Record("Wait(" + std::to_string(milliseconds) + ")");
}
