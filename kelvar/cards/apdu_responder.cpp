#include "kelvar/cards/apdu_responder.h"

#include <algorithm>

namespace kelvar {

namespace {

constexpr uint8_t kInsSelect = 0xA4;
constexpr uint8_t kInsReadBinary = 0xB0;
constexpr uint8_t kInsUpdateBinary = 0xD6;
constexpr uint8_t kInsGetChallenge = 0x84;

constexpr uint8_t kSelectById = 0x00;
constexpr uint8_t kSelectByName = 0x04;
constexpr uint8_t kReturnFci = 0x00;
constexpr uint8_t kNoResponse = 0x0C;
constexpr uint8_t kShortIdFlag = 0x80;

// The parts of a short APDU: header, then optional Lc with data, optional Le.
struct Parsed {
    uint8_t cla, ins, p1, p2;
    std::span<const uint8_t> data;
    std::optional<size_t> le;  // 0x00 asks for up to 256 bytes
    bool wellFormed;
};

Parsed Parse(std::span<const uint8_t> apdu) {
    Parsed p{apdu[0], apdu[1], apdu[2], apdu[3], {}, std::nullopt, true};
    const auto body = apdu.subspan(4);
    if (body.empty()) return p;
    if (body.size() == 1) {
        p.le = body[0] == 0 ? 256 : body[0];
        return p;
    }
    const size_t lc = body[0];
    if (lc == 0 || body.size() < 1 + lc || body.size() > 2 + lc) {
        p.wellFormed = false;
        return p;
    }
    p.data = body.subspan(1, lc);
    if (body.size() == 2 + lc) p.le = body[1 + lc] == 0 ? 256 : body[1 + lc];
    return p;
}

}  // namespace

ApduResponder::ApduResponder(FileLayout layout, RandomBytes random) : random_(std::move(random)) {
    auto files = [](const std::vector<ElementaryFile>& infos) {
        std::vector<File> out;
        for (const ElementaryFile& info : infos) out.push_back({info, Bytes(info.size, 0)});
        return out;
    };
    directories_.push_back({kMasterFile, {}, files(layout.rootFiles)});
    for (const DedicatedFile& df : layout.applications) directories_.push_back({df.id, df.name, files(df.files)});
}

ApduResponder::Answer ApduResponder::Status(uint16_t status, Bytes data) {
    data.push_back(static_cast<uint8_t>(status >> 8));
    data.push_back(static_cast<uint8_t>(status));
    return {std::move(data), false};
}

void ApduResponder::Reset() {
    currentDf_ = 0;
    currentEf_.reset();
}

ApduResponder::Answer ApduResponder::Respond(std::span<const uint8_t> apdu) {
    if (apdu.size() < 4) return Status(sw::kWrongLength);
    const Parsed p = Parse(apdu);
    if (p.cla != 0x00) return Status(sw::kUnknownClass);
    switch (p.ins) {
    case kInsSelect:
    case kInsReadBinary:
    case kInsUpdateBinary:
    case kInsGetChallenge:
        break;
    default:
        return Status(sw::kUnknownInstruction);
    }
    if (!p.wellFormed) return Status(sw::kWrongLength);
    switch (p.ins) {
    case kInsSelect:
        return Select(p.p1, p.p2, p.data, p.le);
    case kInsReadBinary:
        if (!p.data.empty()) return Status(sw::kWrongLength);
        return ReadBinary(p.p1, p.p2, p.le);
    case kInsUpdateBinary:
        if (p.data.empty() || p.le) return Status(sw::kWrongLength);
        return UpdateBinary(p.p1, p.p2, p.data);
    default:
        if (!p.data.empty()) return Status(sw::kWrongLength);
        return GetChallenge(p.p1, p.p2, p.le);
    }
}

ApduResponder::Answer ApduResponder::Select(uint8_t p1, uint8_t p2, std::span<const uint8_t> data,
                                            std::optional<size_t> le) {
    if (p2 != kReturnFci && p2 != kNoResponse) return Status(sw::kBadP1P2);
    if (p1 == kSelectByName) {
        if (data.empty()) return Status(sw::kWrongLength);
        for (size_t i = 1; i < directories_.size(); ++i) {
            const Bytes& name = directories_[i].name;
            if (data.size() <= name.size() && std::equal(data.begin(), data.end(), name.begin())) {
                currentDf_ = i;
                currentEf_.reset();
                if (p2 == kNoResponse) return Status(sw::kOk);
                Bytes fci = Fci(directories_[i]);
                if (le && *le < fci.size()) fci.resize(*le);
                return Status(sw::kOk, std::move(fci));
            }
        }
        return Status(sw::kFileNotFound);
    }
    if (p1 != kSelectById) return Status(sw::kBadP1P2);
    if (data.size() != 2) return Status(sw::kWrongLength);
    const uint16_t id = static_cast<uint16_t>(data[0] << 8 | data[1]);
    for (size_t i = 0; i < directories_.size(); ++i) {
        if (directories_[i].id == id) {
            currentDf_ = i;
            currentEf_.reset();
            return Status(sw::kOk, p2 == kReturnFci ? Fci(directories_[i]) : Bytes{});
        }
    }
    const auto& files = directories_[currentDf_].files;
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i].info.id == id) {
            currentEf_ = i;
            return Status(sw::kOk);
        }
    }
    return Status(sw::kFileNotFound);
}

Bytes ApduResponder::Fci(const Directory& directory) const {
    // FCI template: file id, then the DF name where there is one.
    const size_t nameSize = directory.name.size();
    Bytes fci;
    fci.reserve(6 + 2 + nameSize);
    fci.push_back(0x6F);
    fci.push_back(static_cast<uint8_t>(4 + (nameSize ? 2 + nameSize : 0)));
    fci.push_back(0x83);
    fci.push_back(0x02);
    fci.push_back(static_cast<uint8_t>(directory.id >> 8));
    fci.push_back(static_cast<uint8_t>(directory.id));
    if (nameSize) {
        fci.push_back(0x84);
        fci.push_back(static_cast<uint8_t>(nameSize));
        for (uint8_t b : directory.name) fci.push_back(b);
    }
    return fci;
}

ApduResponder::File* ApduResponder::Target(uint8_t p1, uint16_t& status) {
    auto& files = directories_[currentDf_].files;
    if (p1 & kShortIdFlag) {
        const uint8_t shortId = p1 & 0x1F;
        if ((p1 & 0x60) != 0 || shortId == 0) {
            status = sw::kBadP1P2;
            return nullptr;
        }
        for (size_t i = 0; i < files.size(); ++i) {
            if (files[i].info.shortId == shortId) {
                currentEf_ = i;
                return &files[i];
            }
        }
        status = sw::kFileNotFound;
        return nullptr;
    }
    if (!currentEf_) {
        status = sw::kNoCurrentEf;
        return nullptr;
    }
    return &files[*currentEf_];
}

ApduResponder::Answer ApduResponder::ReadBinary(uint8_t p1, uint8_t p2, std::optional<size_t> le) {
    uint16_t status = sw::kOk;
    File* file = Target(p1, status);
    if (file == nullptr) return Status(status);
    const size_t offset = (p1 & kShortIdFlag) ? p2 : static_cast<size_t>((p1 & 0x7F) << 8 | p2);
    if (offset >= file->data.size()) return Status(sw::kWrongParameters);
    const size_t remaining = file->data.size() - offset;
    const size_t asked = std::min(le.value_or(256), kMaxAnswerData);
    const size_t count = std::min(asked, remaining);
    Bytes data(file->data.begin() + offset, file->data.begin() + offset + count);
    // An explicit length past the end of the file gets what there is, with a warning.
    const bool shortRead = le && *le != 256 && *le > remaining;
    return Status(shortRead ? sw::kEndOfFile : sw::kOk, std::move(data));
}

ApduResponder::Answer ApduResponder::UpdateBinary(uint8_t p1, uint8_t p2, std::span<const uint8_t> data) {
    uint16_t status = sw::kOk;
    File* file = Target(p1, status);
    if (file == nullptr) return Status(status);
    const size_t offset = (p1 & kShortIdFlag) ? p2 : static_cast<size_t>((p1 & 0x7F) << 8 | p2);
    if (offset >= file->data.size()) return Status(sw::kWrongParameters);
    if (data.size() > file->data.size() - offset) return Status(sw::kWrongLength);
    undo_ = Undo{currentDf_, *currentEf_, offset, Bytes(file->data.begin() + offset,
                                                          file->data.begin() + offset + data.size())};
    std::copy(data.begin(), data.end(), file->data.begin() + offset);
    Answer answer = Status(sw::kOk);
    answer.changed = true;
    return answer;
}

void ApduResponder::RevertLastUpdate() {
    if (!undo_) return;
    Bytes& data = directories_[undo_->df].files[undo_->ef].data;
    std::copy(undo_->old.begin(), undo_->old.end(), data.begin() + undo_->offset);
    undo_.reset();
}

ApduResponder::Answer ApduResponder::GetChallenge(uint8_t p1, uint8_t p2, std::optional<size_t> le) {
    if (p1 != 0 || p2 != 0) return Status(sw::kWrongParameters);
    if (!le || (*le != 4 && *le != 8)) return Status(sw::kWrongLength);
    Bytes challenge(*le);
    random_(challenge);
    return Status(sw::kOk, std::move(challenge));
}

size_t ApduResponder::ImageSize() const {
    size_t size = 0;
    for (const Directory& d : directories_) {
        for (const File& f : d.files) size += f.data.size();
    }
    return size;
}

Bytes ApduResponder::Image() const {
    Bytes image;
    for (const Directory& d : directories_) {
        for (const File& f : d.files) image.insert(image.end(), f.data.begin(), f.data.end());
    }
    return image;
}

bool ApduResponder::LoadImage(std::span<const uint8_t> image) {
    if (image.size() != ImageSize()) return false;
    size_t at = 0;
    for (Directory& d : directories_) {
        for (File& f : d.files) {
            std::copy_n(image.begin() + at, f.data.size(), f.data.begin());
            at += f.data.size();
        }
    }
    return true;
}

bool ApduResponder::Preset(uint16_t dfId, uint16_t efId, size_t offset, std::span<const uint8_t> data) {
    for (Directory& d : directories_) {
        if (d.id != dfId) continue;
        for (File& f : d.files) {
            if (f.info.id != efId || offset > f.data.size() || data.size() > f.data.size() - offset) continue;
            std::copy(data.begin(), data.end(), f.data.begin() + offset);
            return true;
        }
    }
    return false;
}

}  // namespace kelvar
