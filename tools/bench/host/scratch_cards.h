// A fresh folder for the reader library's card images, named to the library
// through its configuration variable before it is loaded, and removed with
// everything in it afterwards: measuring never touches the operator's cards.
#pragma once

#include <filesystem>

class ScratchCards {
public:
    ScratchCards();
    ~ScratchCards();
    ScratchCards(const ScratchCards&) = delete;
    ScratchCards& operator=(const ScratchCards&) = delete;

    bool Ready() const { return ready_; }

private:
    std::filesystem::path folder_;
    bool ready_ = false;
};
