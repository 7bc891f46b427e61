// The cards a field or slot holds, in field order, each placed in it or set
// aside. Only placed cards hear the reader. A card that is placed or taken
// away starts over, as a real card does when it enters or leaves the field;
// a factory reset removes the card's image, so that it is made anew with its
// factory content.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

#include "kelvar/reader/card_kind.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

template <typename Card>
class FieldCards {
public:
    using Make = std::unique_ptr<Card> (*)(CardKind, ImageStore&);

    struct Held {
        CardKind kind;
        std::unique_ptr<Card> card;
        bool placed = true;

        Card* operator->() const { return card.get(); }
        Card& operator*() const { return *card; }
    };

    // Makes the cards of `kinds` that `make` knows, each placed.
    FieldCards(ImageStore& store, std::span<const CardKind> kinds, Make make) : store_(store), make_(make) {
        for (const CardKind kind : kinds) {
            if (auto card = make_(kind, store_)) held_.push_back({kind, std::move(card)});
        }
    }

    // The placed cards, in field order, for a range-for.
    template <typename Iterator>
    class PlacedRange {
    public:
        class Cursor {
        public:
            Cursor(Iterator at, Iterator end) : at_(at), end_(end) { Skip(); }
            auto& operator*() const { return *at_; }
            Cursor& operator++() {
                ++at_;
                Skip();
                return *this;
            }
            bool operator!=(const Cursor& other) const { return at_ != other.at_; }

        private:
            void Skip() {
                while (at_ != end_ && !at_->placed) ++at_;
            }
            Iterator at_, end_;
        };
        PlacedRange(Iterator first, Iterator last) : first_(first), last_(last) {}
        Cursor begin() const { return {first_, last_}; }
        Cursor end() const { return {last_, last_}; }

    private:
        Iterator first_, last_;
    };

    auto Placed() { return PlacedRange<typename std::vector<Held>::iterator>(held_.begin(), held_.end()); }
    auto Placed() const {
        return PlacedRange<typename std::vector<Held>::const_iterator>(held_.cbegin(), held_.cend());
    }
    size_t PlacedCount() const {
        return static_cast<size_t>(std::count_if(held_.begin(), held_.end(), [](const Held& h) { return h.placed; }));
    }

    const Held* Find(CardKind kind) const {
        const auto found = FindHeld(kind);
        return found == held_.end() ? nullptr : &*found;
    }

    // Places exactly the held cards of `kinds`; `startOver(card)` runs on
    // each card that comes or goes. True when any did.
    template <typename StartOver>
    bool PlaceOnly(std::span<const CardKind> kinds, StartOver startOver) {
        bool changed = false;
        for (Held& held : held_) {
            const bool wanted = std::find(kinds.begin(), kinds.end(), held.kind) != kinds.end();
            if (wanted == held.placed) continue;
            startOver(*held.card);
            held.placed = wanted;
            changed = true;
        }
        return changed;
    }

    // kNoCard when the kind is not held, kStoreFailed when its image stays.
    Status FactoryReset(CardKind kind) {
        const auto found = FindHeld(kind);
        if (found == held_.end()) return kNoCard;
        if (!store_.Remove(found->card->ImageName())) return kStoreFailed;
        found->card = make_(kind, store_);
        return kOk;
    }

private:
    auto FindHeld(CardKind kind) {
        return std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.kind == kind; });
    }
    auto FindHeld(CardKind kind) const {
        return std::find_if(held_.begin(), held_.end(), [&](const Held& h) { return h.kind == kind; });
    }

    ImageStore& store_;
    Make make_;
    std::vector<Held> held_;
};

}  // namespace kelvar
