#include "kelvar/reader/reader_device.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kelvar {

namespace {

// reader.dat: "KRD", format 1, device number (low byte first), two zero
// bytes, clock offset in seconds (signed, 8 bytes, little-endian).
constexpr size_t kRecordSize = 16;
constexpr uint8_t kRecordMagic[4] = {'K', 'R', 'D', 1};

// An offset beyond two centuries cannot come from a valid write.
constexpr int64_t kMaxClockOffset = 200LL * 366 * 86400;

// 2000-01-01 to 2100-01-01: 100 years, 25 of them leap years.
constexpr int64_t kCalendarSpan = 36525LL * 86400;

}  // namespace

ReaderDevice::ReaderDevice(ImageStore& store, HostClock hostClock)
    : store_(store), hostClock_(hostClock ? std::move(hostClock) : HostClock(SystemLocalTime)) {}

Status ReaderDevice::Open() {
    LoadRecord();
    open_ = true;
    return kOk;
}

void ReaderDevice::Close() { open_ = false; }

Status ReaderDevice::GetModel(char* out, uint8_t* len) const {
    if (!open_) return kNotOpen;
    if (!out || !len) return kBadArgument;
    std::memcpy(out, kReaderModel.data(), kReaderModel.size());
    *len = static_cast<uint8_t>(kReaderModel.size());
    return kOk;
}

Status ReaderDevice::LibraryVersion(uint32_t* out) const {
    if (!open_) return kNotOpen;
    if (!out) return kBadArgument;
    *out = kLibraryVersion;
    return kOk;
}

Status ReaderDevice::GetDeviceNumber(uint8_t out[2]) const {
    if (!open_) return kNotOpen;
    if (!out) return kBadArgument;
    out[0] = static_cast<uint8_t>(deviceNumber_ & 0xFF);
    out[1] = static_cast<uint8_t>(deviceNumber_ >> 8);
    return kOk;
}

Status ReaderDevice::SetDeviceNumber(uint16_t number) {
    if (!open_) return kNotOpen;
    if (!SaveRecord(number, clockOffset_)) return kStoreFailed;
    deviceNumber_ = number;
    return kOk;
}

Status ReaderDevice::Beep(uint8_t units10ms) {
    if (!open_) return kNotOpen;
    ++beepCount_;
    lastBeep_ = units10ms;
    return kOk;
}

Status ReaderDevice::SetAntenna(uint8_t state) {
    if (!open_) return kNotOpen;
    if (state > 1) return kBadArgument;
    antennaOn_ = state == 1;
    return kOk;
}

Status ReaderDevice::SetLight(uint8_t colour) {
    if (!open_) return kNotOpen;
    if (colour > kLedYellow) return kBadArgument;
    light_ = colour;
    return kOk;
}

Status ReaderDevice::SetRfMode(uint8_t type) {
    if (!open_) return kNotOpen;
    switch (type) {
    case kRfModeA:
    case kRfModeB:
    case kRfModeIso15693:
    case kRfModeR:
    case kRfModeSt:
        rfMode_ = type;
        return kOk;
    default:
        return kBadArgument;
    }
}

Status ReaderDevice::ReadClock(uint8_t out[7]) const {
    if (!open_) return kNotOpen;
    if (!out) return kBadArgument;
    int64_t now = SecondsSince2000(hostClock_()) + clockOffset_;
    // The reader's calendar runs from 2000 to 2099 and then starts over.
    now = ((now % kCalendarSpan) + kCalendarSpan) % kCalendarSpan;
    const ClockBytes bytes = EncodeClockBytes(CivilFromSeconds(now));
    std::copy(bytes.begin(), bytes.end(), out);
    return kOk;
}

Status ReaderDevice::WriteClock(const uint8_t in[7]) {
    if (!open_) return kNotOpen;
    if (!in) return kBadArgument;
    ClockBytes bytes;
    std::copy(in, in + bytes.size(), bytes.begin());
    const auto time = DecodeClockBytes(bytes);
    if (!time) return kBadClock;
    const int64_t offset = SecondsSince2000(*time) - SecondsSince2000(hostClock_());
    if (!SaveRecord(deviceNumber_, offset)) return kStoreFailed;
    clockOffset_ = offset;
    return kOk;
}

void ReaderDevice::LoadRecord() {
    deviceNumber_ = 0;
    clockOffset_ = 0;
    const auto record = store_.Load(kReaderRecordName, kRecordSize);
    if (!record || !std::equal(std::begin(kRecordMagic), std::end(kRecordMagic), record->begin())) return;
    const Bytes& r = *record;
    deviceNumber_ = static_cast<uint16_t>(r[4] | (r[5] << 8));
    uint64_t offset = 0;
    for (int i = 7; i >= 0; --i) offset = (offset << 8) | r[8 + i];
    const auto signedOffset = static_cast<int64_t>(offset);
    if (signedOffset >= -kMaxClockOffset && signedOffset <= kMaxClockOffset) clockOffset_ = signedOffset;
}

bool ReaderDevice::SaveRecord(uint16_t deviceNumber, int64_t clockOffset) {
    Bytes record(kRecordSize, 0);
    std::copy(std::begin(kRecordMagic), std::end(kRecordMagic), record.begin());
    record[4] = static_cast<uint8_t>(deviceNumber & 0xFF);
    record[5] = static_cast<uint8_t>(deviceNumber >> 8);
    const auto offset = static_cast<uint64_t>(clockOffset);
    for (int i = 0; i < 8; ++i) record[8 + i] = static_cast<uint8_t>(offset >> (8 * i));
    return store_.Save(kReaderRecordName, record);
}

}  // namespace kelvar
