// Writing the journal: one record per call, shared by both forms.
#include <cstdio>
#include <cwctype>
#include <nlohmann/json.hpp>

#include "vantrel/journal/function_catalog.h"
#include "vantrel/journal/journal_files.h"
#include "vantrel/journal/secret_bytes.h"
#include "vantrel/toolkit/utf8_text.h"

namespace journal {

namespace {

using Kind = ObservedArgument::Kind;
using nlohmann::ordered_json;

constexpr int kFormatVersion = 1;

LocalTime Utc(int64_t micros) {
    const int64_t millis = micros >= 0 ? micros / 1000 : (micros - 999) / 1000;
    int64_t days = millis >= 0 ? millis / 86'400'000 : (millis - 86'399'999) / 86'400'000;
    const int64_t inDay = millis - days * 86'400'000;
    // Days since 1970-01-01 to a civil date (proleptic Gregorian).
    days += 719'468;
    const int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const int64_t dayOfEra = days - era * 146'097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
    return {year,
            month,
            day,
            static_cast<int>(inDay / 3'600'000),
            static_cast<int>(inDay / 60'000 % 60),
            static_cast<int>(inDay / 1000 % 60),
            static_cast<int>(inDay % 1000),
            0};
}

std::string TimeText(int64_t micros, const SaveOptions& options) {
    const LocalTime t = options.localTime ? options.localTime(micros) : Utc(micros);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, t.millisecond);
    std::string out = text;
    if (t.offsetMinutes == 0) return out + "Z";
    const int offset = t.offsetMinutes < 0 ? -t.offsetMinutes : t.offsetMinutes;
    std::snprintf(text, sizeof text, "%c%02d:%02d", t.offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return out + text;
}

std::string StatusHex(int32_t status) {
    char text[12];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(status));
    return text;
}

// One argument as the file shows it.
struct ArgumentText {
    std::string name;
    const RecordedArgument* argument;
    std::optional<std::string> in;   // none: not an in buffer, or null
    std::optional<std::string> out;  // none: nothing answered
};

// A call with everything the file shows worked out once.
struct CallText {
    std::string time;
    std::string cardName;
    std::string function;
    std::string hint;
    std::string answerHint;
    std::vector<ArgumentText> arguments;
};

CallText Describe(const RecordedCall& call, const SaveOptions& options) {
    const FunctionInfo* info = FindFunction(call.ordinal);
    CallText text;
    text.time = TimeText(call.startMicros, options);
    if (options.cardName) text.cardName = Utf8(options.cardName(call.cardType));
    text.function = call.name != nullptr && *call.name != L'\0' ? Utf8(call.name)
                    : info != nullptr                          ? info->cName
                                                               : "ordinal " + std::to_string(call.ordinal);
    text.hint = Utf8(StatusHint(call.status, options.language));
    if (call.status == 0) text.answerHint = Utf8(AnswerHint(AnswerFormOf(call), AnswerOf(call), options.language));
    const std::vector<int64_t> values = call.Values();
    for (size_t i = 0; i < call.arguments.size(); ++i) {
        const RecordedArgument& argument = call.arguments[i];
        ArgumentText shown{info != nullptr && i < info->arguments.size() ? info->arguments[i].name
                                                                         : "arg" + std::to_string(i),
                           &argument, std::nullopt, std::nullopt};
        const auto masked = [&](std::span<const uint8_t> bytes) {
            return MaskedHex(bytes, options.maskKeys ? SecretBytes(call.ordinal, static_cast<int>(i), values, bytes)
                                               : std::vector<bool>{});
        };
        if ((argument.kind == Kind::In || argument.kind == Kind::InOut) && !argument.null) shown.in = masked(call.In(i));
        if (argument.answered) shown.out = masked(call.Out(i));
        text.arguments.push_back(std::move(shown));
    }
    return text;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string JournalLines(const CallJournal& journal, const SaveOptions& options) {
    ordered_json header;
    header["journal"] = "call journal";
    header["format"] = kFormatVersion;
    header["program"] = options.program;
    header["saved"] = TimeText(options.savedMicros, options);
    header["calls"] = journal.Calls().size();
    header["dropped"] = journal.Dropped();
    header["keysMasked"] = options.maskKeys;
    std::string out = header.dump() + "\n";
    for (const RecordedCall& call : journal.Calls()) {
        const CallText text = Describe(call, options);
        ordered_json line;
        line["seq"] = call.sequence;
        line["time"] = text.time;
        line["card"] = call.cardType;
        if (options.cardName) line["cardName"] = text.cardName;
        line["ordinal"] = call.ordinal;
        line["function"] = text.function;
        ordered_json arguments = ordered_json::array();
        for (const ArgumentText& argument : text.arguments) {
            ordered_json shown;
            shown["name"] = argument.name;
            if (argument.argument->kind == Kind::Scalar) {
                shown["value"] = argument.argument->value;
            } else if (argument.argument->null) {
                shown[argument.argument->kind == Kind::Out ? "out" : "in"] = nullptr;
            } else {
                if (argument.in) shown["in"] = *argument.in;
                if (argument.out) shown["out"] = *argument.out;
            }
            arguments.push_back(std::move(shown));
        }
        line["args"] = std::move(arguments);
        line["status"] = call.status;
        line["statusHex"] = StatusHex(call.status);
        line["hint"] = text.hint;
        if (!text.answerHint.empty()) line["answerHint"] = text.answerHint;
        line["us"] = call.microseconds;
        out += line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    }
    return out;
}

std::string JournalCsv(const CallJournal& journal, const SaveOptions& options) {
    std::string out = "# call journal; " + options.program + "; saved " + TimeText(options.savedMicros, options) +
                      "; " + std::to_string(journal.Calls().size()) + " calls; " + std::to_string(journal.Dropped()) +
                      " older calls dropped; keys " + (options.maskKeys ? "masked" : "as typed") + "\r\n";
    out +=
        "seq,time,card,card_name,ordinal,function,status,status_hex,hint,answer_hint,microseconds,arguments,"
        "in_buffers,out_buffers\r\n";
    for (const RecordedCall& call : journal.Calls()) {
        const CallText text = Describe(call, options);
        std::string scalars, ins, outs;
        const auto add = [](std::string& list, const std::string& item) {
            if (!list.empty()) list += ' ';
            list += item;
        };
        for (const ArgumentText& argument : text.arguments) {
            if (argument.argument->kind == Kind::Scalar) {
                add(scalars, argument.name + "=" + std::to_string(argument.argument->value));
            } else if (argument.argument->null) {
                add(argument.argument->kind == Kind::Out ? outs : ins, argument.name + "=null");
            } else {
                if (argument.in) add(ins, argument.name + "=" + *argument.in);
                if (argument.out) add(outs, argument.name + "=" + *argument.out);
            }
        }
        const std::string fields[] = {std::to_string(call.sequence), text.time, std::to_string(call.cardType),
                                      text.cardName, std::to_string(call.ordinal), text.function,
                                      std::to_string(call.status), StatusHex(call.status), text.hint, text.answerHint,
                                      std::to_string(call.microseconds), scalars, ins, outs};
        for (size_t i = 0; i < std::size(fields); ++i) {
            if (i > 0) out += ',';
            out += CsvField(fields[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::string MaskedHex(std::span<const uint8_t> bytes, const std::vector<bool>& masked) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i < masked.size() && masked[i]) {
            text += kMaskedByte;
        } else {
            text += kDigits[bytes[i] >> 4];
            text += kDigits[bytes[i] & 0x0F];
        }
    }
    return text;
}

JournalFormat JournalFormatOf(std::wstring_view fileName) {
    constexpr std::wstring_view kCsv = L".csv";
    if (fileName.size() < kCsv.size()) return JournalFormat::Lines;
    const std::wstring_view end = fileName.substr(fileName.size() - kCsv.size());
    for (size_t i = 0; i < kCsv.size(); ++i) {
        if (static_cast<wchar_t>(std::towlower(end[i])) != kCsv[i]) return JournalFormat::Lines;
    }
    return JournalFormat::Csv;
}

std::string JournalText(JournalFormat format, const CallJournal& journal, const SaveOptions& options) {
    return format == JournalFormat::Csv ? JournalCsv(journal, options) : JournalLines(journal, options);
}

}  // namespace journal
