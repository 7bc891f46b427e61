// The virtual reader's own functions: model text, library version, device
// number, beeper, antenna, LED, RF mode and real-time clock. The device number
// and the clock survive the process in the image store.
#pragma once

#include <cstdint>
#include <string_view>

#include "kelvar/reader/reader_clock.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

// Position 5 is 'F': the reader handles every contactless family.
inline constexpr std::string_view kReaderModel = "KV-70F-N1";
inline constexpr uint32_t kLibraryVersion = 2;
inline constexpr char kReaderRecordName[] = "reader.dat";

// RF modes of SetRfMode.
inline constexpr uint8_t kRfModeA = 0x41;         // 'A', ISO 14443-A
inline constexpr uint8_t kRfModeB = 0x42;         // 'B', ISO 14443-B
inline constexpr uint8_t kRfModeIso15693 = 0x31;  // '1'
inline constexpr uint8_t kRfModeR = 0x72;         // 'r'
inline constexpr uint8_t kRfModeSt = 0x73;        // 's', ST tags

enum LedColour : uint8_t { kLedOff = 0, kLedRed = 1, kLedGreen = 2, kLedYellow = 3 };

class ReaderDevice {
public:
    explicit ReaderDevice(ImageStore& store, HostClock hostClock = SystemLocalTime);

    // Opening reloads the device number and clock from the store.
    Status Open();
    void Close();
    bool IsOpen() const { return open_; }

    // Writes the model text (no terminator) and its length.
    Status GetModel(char* out, uint8_t* len) const;
    Status LibraryVersion(uint32_t* out) const;

    // The two stored bytes, low byte first.
    Status GetDeviceNumber(uint8_t out[2]) const;
    Status SetDeviceNumber(uint16_t number);

    Status Beep(uint8_t units10ms);
    uint32_t BeepCount() const { return beepCount_; }
    uint8_t LastBeep() const { return lastBeep_; }

    Status SetAntenna(uint8_t state);
    bool AntennaOn() const { return antennaOn_; }

    Status SetLight(uint8_t colour);
    uint8_t Light() const { return light_; }

    Status SetRfMode(uint8_t type);
    uint8_t RfMode() const { return rfMode_; }

    // Seven packed-BCD bytes. The weekday read back is computed from the date,
    // whatever weekday was written.
    Status ReadClock(uint8_t out[7]) const;
    Status WriteClock(const uint8_t in[7]);

private:
    void LoadRecord();
    bool SaveRecord(uint16_t deviceNumber, int64_t clockOffset);

    ImageStore& store_;
    HostClock hostClock_;
    bool open_ = false;

    uint16_t deviceNumber_ = 0;
    int64_t clockOffset_ = 0;  // reader time minus host time, seconds

    uint32_t beepCount_ = 0;
    uint8_t lastBeep_ = 0;
    bool antennaOn_ = true;
    uint8_t light_ = kLedOff;
    uint8_t rfMode_ = kRfModeA;
};

}  // namespace kelvar
