#include "kelvar/cards/desfire_commands.h"

#include <algorithm>
#include <iterator>

namespace kelvar {

namespace {

using Frame = std::vector<uint8_t>;

constexpr std::array<uint8_t, 7> kHardwareVersion = {0x04, 0x01, 0x01, 0x01, 0x00, 0x18, 0x05};
constexpr std::array<uint8_t, 7> kSoftwareVersion = {0x04, 0x01, 0x01, 0x01, 0x04, 0x18, 0x05};
constexpr std::array<uint8_t, 7> kBatchAndDate = {0xBA, 0x7C, 0x11, 0x20, 0x26, 0x14, 0x26};

uint32_t Little24(std::span<const uint8_t> bytes) {
    return static_cast<uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16);
}

Frame StatusOnly(uint8_t status) { return {status}; }

// The status byte followed by `data`.
template <typename Range>
Frame Framed(uint8_t status, const Range& data) {
    Frame frame;
    frame.reserve(1 + std::size(data));
    frame.push_back(status);
    for (uint8_t b : data) frame.push_back(b);
    return frame;
}

}  // namespace

DesfireCommands::DesfireCommands(std::array<uint8_t, 7> uid, std::vector<DesfireApplication> applications)
    : uid_(uid), applications_(std::move(applications)) {}

void DesfireCommands::Reset() {
    selected_.reset();
    pending_.clear();
}

std::vector<uint8_t> DesfireCommands::Respond(std::span<const uint8_t> command) {
    if (command.empty()) return StatusOnly(desfire::kLengthError);
    const uint8_t code = command[0];
    if (code == desfire::kAdditionalFrame) return NextFrame();
    pending_.clear();  // any other command abandons a chain
    const auto args = command.subspan(1);
    switch (code) {
    case desfire::kGetVersion:
        return args.empty() ? GetVersion() : StatusOnly(desfire::kLengthError);
    case desfire::kGetApplicationIds:
        return args.empty() ? GetApplicationIds() : StatusOnly(desfire::kLengthError);
    case desfire::kSelectApplication:
        return SelectApplication(args);
    case desfire::kGetFileIds:
        return args.empty() ? GetFileIds() : StatusOnly(desfire::kLengthError);
    case desfire::kReadData:
        return ReadData(args);
    default:
        return StatusOnly(desfire::kIllegalCommand);
    }
}

std::vector<uint8_t> DesfireCommands::NextFrame() {
    if (pending_.empty()) return StatusOnly(desfire::kIllegalCommand);
    Frame frame = std::move(pending_.front());
    pending_.erase(pending_.begin());
    return frame;
}

std::vector<uint8_t> DesfireCommands::GetVersion() {
    std::array<uint8_t, 14> production{};
    std::copy(uid_.begin(), uid_.end(), production.begin());
    std::copy(kBatchAndDate.begin(), kBatchAndDate.end(), production.begin() + uid_.size());
    pending_ = {Framed(desfire::kAdditionalFrame, kSoftwareVersion), Framed(desfire::kOk, production)};
    return Framed(desfire::kAdditionalFrame, kHardwareVersion);
}

std::vector<uint8_t> DesfireCommands::GetApplicationIds() const {
    Frame answer = {desfire::kOk};
    for (const DesfireApplication& app : applications_) {
        answer.push_back(static_cast<uint8_t>(app.aid));
        answer.push_back(static_cast<uint8_t>(app.aid >> 8));
        answer.push_back(static_cast<uint8_t>(app.aid >> 16));
    }
    return answer;
}

std::vector<uint8_t> DesfireCommands::SelectApplication(std::span<const uint8_t> args) {
    if (args.size() != 3) return StatusOnly(desfire::kLengthError);
    const uint32_t aid = Little24(args);
    if (aid == 0) {
        selected_.reset();
        return StatusOnly(desfire::kOk);
    }
    const auto it = std::find_if(applications_.begin(), applications_.end(),
                                 [aid](const DesfireApplication& app) { return app.aid == aid; });
    if (it == applications_.end()) return StatusOnly(desfire::kApplicationNotFound);
    selected_ = static_cast<size_t>(it - applications_.begin());
    return StatusOnly(desfire::kOk);
}

std::vector<uint8_t> DesfireCommands::GetFileIds() const {
    if (!selected_) return StatusOnly(desfire::kApplicationNotFound);
    Frame answer = {desfire::kOk};
    for (const DesfireFile& file : applications_[*selected_].files) answer.push_back(file.number);
    return answer;
}

std::vector<uint8_t> DesfireCommands::ReadData(std::span<const uint8_t> args) {
    if (args.size() != 7) return StatusOnly(desfire::kLengthError);
    if (!selected_) return StatusOnly(desfire::kFileNotFound);
    const auto& files = applications_[*selected_].files;
    const auto file = std::find_if(files.begin(), files.end(),
                                   [n = args[0]](const DesfireFile& f) { return f.number == n; });
    if (file == files.end()) return StatusOnly(desfire::kFileNotFound);
    const size_t offset = Little24(args.subspan(1, 3));
    size_t length = Little24(args.subspan(4, 3));
    const size_t size = file->data.size();
    if (offset > size || (length == 0 && offset == size)) return StatusOnly(desfire::kBoundaryError);
    if (length == 0) length = size - offset;  // to the end of the file
    if (length > size - offset) return StatusOnly(desfire::kBoundaryError);
    return Chained(Frame(file->data.begin() + offset, file->data.begin() + offset + length));
}

std::vector<uint8_t> DesfireCommands::Chained(std::vector<uint8_t> data) {
    std::vector<Frame> frames;
    size_t at = 0;
    do {
        const size_t count = std::min(desfire::kFrameData, data.size() - at);
        frames.push_back(Framed(desfire::kAdditionalFrame, std::span(data).subspan(at, count)));
        at += count;
    } while (at < data.size());
    frames.back()[0] = desfire::kOk;
    pending_.assign(std::make_move_iterator(frames.begin() + 1), std::make_move_iterator(frames.end()));
    return std::move(frames.front());
}

}  // namespace kelvar
