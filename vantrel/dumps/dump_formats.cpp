#include "vantrel/dumps/dump_formats.h"

#include "vantrel/dumps/dump_checks.h"
#include "vantrel/dumps/format_codecs.h"

namespace dumps {

namespace {

ParsedDump ReadRaw(std::string_view content, const DumpLayout& layout, const std::wstring& cardName) {
    const auto expected = static_cast<std::size_t>(layout.TotalBytes());
    if (content.size() != expected) {
        const std::size_t offset = std::min(content.size(), expected);
        return {std::nullopt, L"offset " + Grouped(offset) + L": the file has " + Grouped(content.size()) +
                                  L" bytes; a " + cardName + L" image has " + Grouped(expected)};
    }
    CardDump dump = EmptyDump(layout, cardName);
    for (int unit = 0; unit < layout.unitCount; ++unit) {
        const auto* first = reinterpret_cast<const uint8_t*>(content.data()) + unit * layout.unitSize;
        dump.units[unit].data.assign(first, first + layout.unitSize);
        dump.units[unit].read = true;
    }
    dump.uid = UidInMemory(layout, dump);
    return {std::move(dump), {}};
}

}  // namespace

std::string WriteDump(DumpFormat format, const CardDump& dump) {
    switch (format) {
    case DumpFormat::HexLines:
        return WriteHexLines(dump);
    case DumpFormat::Json:
        return WriteJson(dump);
    case DumpFormat::Raw:
        break;
    }
    const Bytes image = MemoryImage(dump);
    return std::string(image.begin(), image.end());
}

ParsedDump ReadDump(DumpFormat format, std::string_view content, const DumpLayout& rawLayout,
                    const std::wstring& rawCardName) {
    if (content.size() > kMaxDumpFileSize) {
        return {std::nullopt, L"offset " + Grouped(kMaxDumpFileSize) + L": larger than any dump"};
    }
    switch (format) {
    case DumpFormat::HexLines:
        return ReadHexLines(content);
    case DumpFormat::Json:
        return ReadJson(content);
    case DumpFormat::Raw:
        break;
    }
    return ReadRaw(content, rawLayout, rawCardName);
}

}  // namespace dumps
