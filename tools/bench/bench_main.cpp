// Measures start-up, panel switches and card commands of the real program
// with the real Kelvar.dll, and prints one Markdown table set.
//   VantrelBench [--runs N] [--only startup|switch|commands|network]
// Progress goes to stderr, the tables to stdout.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/bench/host/hosted_program.h"
#include "tools/bench/host/scratch_cards.h"
#include "tools/bench/host/dump_timing.h"
#include "tools/bench/launch_timing.h"
#include "tools/bench/network_timing.h"
#include "tools/bench/summary.h"
#include "tools/bench/template_floor.h"
#include "vantrel/app/settings.h"

namespace {

constexpr int kDefaultRuns = 10;
constexpr int32_t kStartupCard = 1;  // the panel of a first start
constexpr double kStartupRatioTarget = 1.5;
constexpr double kSwitchTargetMs = 50;
constexpr double kOwnShareTargetMs = 5;
constexpr double kStartupOwnShareTargetMs = 10;
constexpr double kFrameMs = 16;
constexpr double kWaitExcessTarget = 1.05;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

std::string Format(const char* format, auto... values) {
    const int size = std::snprintf(nullptr, 0, format, values...);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, values...);
    out.resize(static_cast<std::size_t>(size));
    return out;
}

std::string Ms(double ms) { return Format("%.1f", ms); }
std::string Range(const Summary& s) { return Ms(s.min) + " – " + Ms(s.max); }
const char* Verdict(bool met) { return met ? "yes" : "**no**"; }

void Progress(const std::string& text) {
    std::fprintf(stderr, "bench: %s\n", text.c_str());
    std::fflush(stderr);
}

std::string WineVersion() {
    using Version = const char*(__cdecl*)();
    auto version = reinterpret_cast<Version>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    return version != nullptr ? std::string("Wine ") + version() : std::string("Windows (no Wine)");
}

std::string Header(int runs) {
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Format("# Benchmarks\n\nWritten by `make bench` on %04u-%02u-%02u: %lu cores, %s. "
                  "Every figure is the median of %d runs (range: fastest to slowest), in milliseconds. "
                  "No figure is asserted; the last column says whether its target is met.\n\n",
                  now.wYear, now.wMonth, now.wDay, system.dwNumberOfProcessors, WineVersion().c_str(), runs);
}

// The first panel's template alone, created and painted on a stand-in for
// the view as large as the work area, `runs` times.
std::vector<double> StartupPanelCreated(int runs) {
    LoadLibraryW(L"riched20.dll");
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int templateId = 0;
    for (const CardTypeRow& row : CardTypes()) {
        if (row.code == kStartupCard) templateId = row.layout.ForWidth(GetSystemMetrics(SM_CXSCREEN)).templateId;
    }
    RECT area{0, 0, 1024, 768};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const TemplateStage stage(area);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) times.push_back(stage.Time(templateId, kStartupCard).createMs);
    return times;
}

std::string StartupSection(int runs) {
    ProgramSettings settings;
    LoadSettings(settings);
    settings.curCard = kStartupCard;
    SaveSettings(settings);

    const LaunchTarget bare{L"BenchBareWindow.exe", L"VantrelBenchBareWindow"};
    const LaunchTarget program{L"Vantrel.exe", L"VantrelMainFrame", L"VantrelSplash"};
    // One launch of each first: the files come into the cache for both alike.
    TimeLaunch(bare);
    TimeLaunch(program);
    std::vector<double> bareTimes;
    std::vector<double> programTimes;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        Progress(Format("start-up run %d of %d", run + 1, runs));
        for (const LaunchTarget* target : {&bare, &program}) {
            const auto ms = TimeLaunch(*target);
            if (!ms) {
                ++failures;
                continue;
            }
            (target == &bare ? bareTimes : programTimes).push_back(*ms);
        }
    }
    const Summary b = Summarise(bareTimes);
    const Summary p = Summarise(programTimes);
    const double ratio = b.median > 0 ? p.median / b.median : 0;
    const Summary panel = Summarise(StartupPanelCreated(runs));
    std::string out =
        "## Start-up\n\nFrom process creation to a visible main window that answers messages (for "
        "Vantrel.exe: the start-up connection done and its splash gone), the two programs launched "
        "alternately. Vantrel shows the Mifare_1K panel.\n\n"
        "| Program | Median | Range | Runs |\n|---|---:|---:|---:|\n";
    out += Format("| bare window with a menu | %s | %s | %zu |\n", Ms(b.median).c_str(), Range(b).c_str(), b.count);
    out += Format("| Vantrel.exe | %s | %s | %zu |\n\n", Ms(p.median).c_str(), Range(p).c_str(), p.count);
    out += Format("Ratio of the medians: **%.2f** (target at most %.1f: %s).", ratio, kStartupRatioTarget,
                  Verdict(p.count > 0 && b.count > 0 && ratio <= kStartupRatioTarget));
    const double own = p.median - b.median - panel.median;
    out += Format(" Own share: **%s** (Vantrel.exe less the bare window and less what Wine alone spends creating "
                  "and painting the Mifare_1K panel's template, %s; target under %.0f ms: %s).",
                  Ms(own).c_str(), Ms(panel.median).c_str(), kStartupOwnShareTargetMs,
                  Verdict(p.count > 0 && b.count > 0 && own < kStartupOwnShareTargetMs));
    if (failures > 0) out += Format(" %d launches did not reach an answering window.", failures);
    return out + "\n\n";
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int ChildCount(HWND hwnd) {
    int count = 0;
    EnumChildWindows(hwnd, CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct PanelRow {
    explicit PanelRow(const CardTypeRow& r) : row(&r) {}
    const CardTypeRow* row;
    std::vector<double> switches;
    std::vector<double> handlers;  // the menu command's handler: old panel out, new one in
    std::vector<int32_t> from;     // the card type shown before each switch
    int controls = 0;
    // Wine's cost for the same template with no panel code: created and
    // painted, and destroyed.
    std::vector<double> templateCreated;
    std::vector<double> templateDestroyed;
    int templateControls = 0;
};

std::string Label(const CardTypeRow& row) {
    return Format("%d %s", static_cast<int>(row.code), Utf8(row.name).c_str());
}

std::string SwitchSection(HostedProgram& program, std::vector<PanelRow>& panels, int runs) {
    for (int run = 0; run < runs; ++run) {
        Progress(Format("panel switches, round %d of %d", run + 1, runs));
        for (PanelRow& panel : panels) {
            panel.from.push_back(program.Shown());
            const double start = NowMs();
            panel.handlers.push_back(program.Select(*panel.row));
            panel.switches.push_back(NowMs() - start);
            if (CardPanelBase* current = program.Frame().View().CurrentPanel()) {
                panel.controls = ChildCount(*current);
            }
        }
    }
    Progress("the templates alone");
    {
        RECT area = program.Frame().View().ClientRect();
        MapWindowPoints(program.Frame().View(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        const TemplateStage stage(area);
        const int width = GetSystemMetrics(SM_CXSCREEN);
        for (int run = 0; run < runs; ++run) {
            for (PanelRow& panel : panels) {
                const TemplateCost cost = stage.Time(panel.row->layout.ForWidth(width).templateId, panel.row->code);
                panel.templateCreated.push_back(cost.createMs);
                panel.templateDestroyed.push_back(cost.destroyMs);
                panel.templateControls = cost.controls;
            }
        }
    }
    const auto destroyed = [&](int32_t code) {
        for (const PanelRow& panel : panels) {
            if (panel.row->code == code) return Summarise(panel.templateDestroyed).median;
        }
        return 0.0;
    };
    const PanelRow* smallest = &panels.front();
    for (const PanelRow& panel : panels) {
        if (panel.controls < smallest->controls) smallest = &panel;
    }
    const double smallestMedian = Summarise(smallest->switches).median;

    std::string out = Format(
        "## Panel switch\n\nFrom the card-type command (Port Set for the device page) to the new panel "
        "shown and the message queue idle, in the program's own frame with the real Kelvar.dll. The "
        "smallest panel is %s (%d controls). Of the median, the handler column is the menu command "
        "itself (old panel destroyed, new one created from its template and placed); the rest is "
        "painting. The floor is what Wine alone spends on the switch's two dialog templates with a "
        "dialog procedure that does nothing: the old panel's template destroyed and the new one's "
        "created and painted (medians); no switch can be quicker. Own share is a switch less its floor, "
        "run by run: the new panel's own work (controls it creates at initialisation, captions, lists, "
        "fonts) and whatever the old panel had beyond its template. Controls counts the panel's "
        "windows, Template those of its template.\n\n"
        "| Card type | Controls | Median | Handler | Worst | Ratio to the smallest | Template | Floor | "
        "Own share | Own share, worst | Under %.0f ms | Own share under %.0f ms |\n"
        "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|---|\n",
        Label(*smallest->row).c_str(), smallest->controls, kSwitchTargetMs, kOwnShareTargetMs);
    for (const PanelRow& panel : panels) {
        const Summary s = Summarise(panel.switches);
        const double created = Summarise(panel.templateCreated).median;
        std::vector<double> floors;
        std::vector<double> own;
        for (std::size_t i = 0; i < panel.switches.size(); ++i) {
            floors.push_back(destroyed(panel.from[i]) + created);
            own.push_back(panel.switches[i] - floors.back());
        }
        const Summary o = Summarise(own);
        out += Format("| %s | %d | %s | %s | %s | %.2f | %d | %s | %s | %s | %s | %s |\n", Label(*panel.row).c_str(),
                      panel.controls, Ms(s.median).c_str(), Ms(Summarise(panel.handlers).median).c_str(),
                      Ms(s.max).c_str(), smallestMedian > 0 ? s.median / smallestMedian : 0,
                      panel.templateControls, Ms(Summarise(floors).median).c_str(), Ms(o.median).c_str(),
                      Ms(o.max).c_str(), Verdict(s.max < kSwitchTargetMs), Verdict(o.max < kOwnShareTargetMs));
    }
    return out + "\n";
}

std::string Outcome(const CommandRun& run) {
    if (!run.found) return "a control, list entry or radio button is missing";
    std::string text = Utf8(run.status);
    for (const std::wstring& box : run.boxes) text += " [box: " + Utf8(box) + "]";
    if (!run.unlike.empty()) text += " [answer " + Utf8(run.unlike) + "]";
    return text;
}

std::string CommandSection(HostedProgram& program, const std::vector<PanelRow>& panels, int runs) {
    std::string out =
        "## Card operations\n\nThe wall time of the command's handler against the sum of the waits it "
        "makes (Sleep), with the real Kelvar.dll and its virtual cards. Target: without waits under one "
        "display frame (16 ms), with waits at most 5 % above them. Slept is the median time those waits "
        "took on the clock: of the excess, slept minus waits is Wine's sleep overshooting what was asked "
        "for, and median minus slept the program's own work. Of that work, reporting is the median time "
        "spent in the log and the status field; the rest is the library calls and the panel's own "
        "work.\n\n"
        "| Card type | Command | Median | Range | Waits | Slept | Ratio | Excess | Reporting | Met | Status |\n"
        "|---|---|---:|---:|---:|---:|---:|---:|---:|---|---|\n";
    for (const PanelRow& panel : panels) {
        const std::span<const PanelCommand> commands = MainCommands(panel.row->code);
        if (commands.empty()) {
            out += Format("| %s | no main commands listed | | | | | | | | | |\n", Label(*panel.row).c_str());
            continue;
        }
        program.Select(*panel.row);
        for (const PanelCommand& command : commands) {
            Progress(Format("%s: %s", Label(*panel.row).c_str(), Utf8(command.name).c_str()));
            std::vector<double> times;
            std::vector<double> slept;
            std::vector<double> reporting;
            CommandRun last;
            for (int run = 0; run < runs; ++run) {
                last = program.Run(command);
                if (!last.found) break;
                times.push_back(last.ms);
                slept.push_back(last.sleptMs);
                reporting.push_back(last.reportingMs);
            }
            const Summary s = Summarise(times);
            const double waits = last.waitedMs;
            // A command that did not reach its card's answer meets nothing, however quick.
            const bool met = !times.empty() && last.unlike.empty() &&
                             (waits > 0 ? s.median <= waits * kWaitExcessTarget : s.median < kFrameMs);
            // The outcome goes on unformatted: an answer can be longer than a formatted line.
            out += Format("| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | ", Label(*panel.row).c_str(),
                          Utf8(command.name).c_str(), Ms(s.median).c_str(), Range(s).c_str(), Ms(waits).c_str(),
                          waits > 0 ? Ms(Summarise(slept).median).c_str() : "",
                          waits > 0 ? Format("%.3f", s.median / waits).c_str() : "",
                          waits > 0 ? Ms(s.median - waits).c_str() : "", Ms(Summarise(reporting).median).c_str(),
                          Verdict(met));
            out += Outcome(last) + " |\n";
        }
    }
    return out + "\n";
}

std::string DumpSection(HostedProgram& program, int runs) {
    std::string out =
        "## Card dumps\n\nThe Save command of the Dump menu as the operator runs it (every library call "
        "logged, the status field, the progress window once half a second has passed, the JSON file "
        "written) against the same read with nothing around it: its library calls, and the waits between "
        "them that the card's protocol asks for (the Mifare field reset's 20, 20 and 50 ms). The Mifare 4K "
        "is read with the shipped key list. Target for the Mifare 4K: under 1.5 times its calls and "
        "waits.\n\n"
        "| Card type | Save command | Calls | Waits | Ratio | Calls made | Met | Status |\n"
        "|---|---:|---:|---:|---:|---:|---|---|\n";
    for (const int32_t code : {2, 19}) {
        const CardTypeRow* row = FindCardType(code);
        Progress(Format("dump: %s", Label(*row).c_str()));
        program.Select(*row);  // the operator dumps the card type shown
        std::vector<double> command;
        std::vector<double> calls;
        std::vector<double> waits;
        DumpTiming last;
        for (int run = 0; run < runs; ++run) {
            last = TimeDump(program, code, L".\\bench-dump.json");
            command.push_back(last.commandMs);
            calls.push_back(last.callsMs);
            waits.push_back(last.waitsMs);
        }
        const double commandMs = Summarise(command).median;
        const double cardMs = Summarise(calls).median + Summarise(waits).median;
        out += Format("| %s | %s | %s | %s | %.2f | %d | %s | %s |\n", Label(*row).c_str(), Ms(commandMs).c_str(),
                      Ms(Summarise(calls).median).c_str(), Ms(Summarise(waits).median).c_str(), commandMs / cardMs,
                      last.calls, code == 2 ? Verdict(commandMs < 1.5 * cardMs) : "", Utf8(last.status).c_str());
    }
    return out + "\n";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = kDefaultRuns;
    std::wstring only;  // one section: startup, switch, commands, dumps or network
    for (int i = 1; i < argc; ++i) {
        if (std::wstring(argv[i]) == L"--runs" && i + 1 < argc) runs = std::max(1, _wtoi(argv[i + 1]));
        if (std::wstring(argv[i]) == L"--network-only") only = L"network";
        if (std::wstring(argv[i]) == L"--only" && i + 1 < argc) only = argv[i + 1];
    }
    const auto wanted = [&](const wchar_t* section) { return only.empty() || only == section; };
    std::string out = Header(runs);
    if (wanted(L"startup")) out += StartupSection(runs);
    if (wanted(L"switch") || wanted(L"commands") || wanted(L"dumps")) {
        HostedProgram program;
        if (!program.Start(kStartupCard)) {
            std::fprintf(stderr, "bench: the program's frame or the reader library did not start\n");
            std::fputs(out.c_str(), stdout);
            return 1;
        }
        std::vector<PanelRow> panels;
        for (const CardTypeRow& row : CardTypes()) {
            if (row.factory != nullptr) panels.emplace_back(row);
        }
        panels.emplace_back(DevicePageRow());
        if (wanted(L"switch")) out += SwitchSection(program, panels, runs);
        if (wanted(L"commands")) out += CommandSection(program, panels, runs);
        if (wanted(L"dumps")) out += DumpSection(program, runs);
    }
    if (wanted(L"network")) {
        const ScratchCards scratch;
        out += "\n";
        out += NetworkSection(runs);
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}
