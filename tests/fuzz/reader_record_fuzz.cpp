// The reader's own record (device number and clock) from any stored bytes,
// and any sequence of the reader's functions.
#include <array>

#include "fuzz_input.h"
#include "kelvar/reader/reader_device.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    ImageStore store;
    if (in.Byte() & 1) store.Save(kReaderRecordName, in.Take(in.Byte() & 1 ? 16 : in.Byte()));
    const CivilTime now{2000 + in.Byte(), 1 + in.Byte() % 12, 1 + in.Byte() % 28, in.Byte() % 24, in.Byte() % 60,
                        in.Byte() % 60};
    ReaderDevice reader(store, [now] { return now; });
    reader.Open();
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        std::array<uint8_t, 7> clock{};
        std::array<uint8_t, 2> number{};
        switch (op % 9) {
        case 0: reader.SetDeviceNumber(static_cast<uint16_t>(in.U32())); break;
        case 1: {
            for (auto& b : clock) b = in.Byte();
            if (reader.WriteClock(clock.data()) == kOk) FUZZ_CHECK(reader.ReadClock(clock.data()) == kOk);
            break;
        }
        case 2: reader.ReadClock(clock.data()); break;
        case 3: reader.GetDeviceNumber(number.data()); break;
        case 4: reader.SetRfMode(in.Byte()); break;
        case 5: reader.SetAntenna(in.Byte()); break;
        case 6: reader.SetLight(in.Byte()); break;
        case 7: reader.Close(); break;
        default: reader.Open(); break;
        }
    }
    return 0;
}
