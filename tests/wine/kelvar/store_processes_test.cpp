#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "kelvar/store/image_store.h"

using namespace kelvar;
namespace fs = std::filesystem;

namespace {

constexpr size_t kSize = 4096;
constexpr wchar_t kWorkerVariable[] = L"KELVAR_STORE_WORKER";  // "<fill byte> <saves> <folder>"

int Saves() {
    const char* env = std::getenv("KELVAR_STORE_SAVES");
    return env != nullptr ? std::atoi(env) : 200;
}

// This test program again, running only the worker below.
HANDLE StartWorker(const fs::path& folder, int fill) {
    const std::wstring value = std::to_wstring(fill) + L" " + std::to_wstring(Saves()) + L" " + folder.wstring();
    SetEnvironmentVariableW(kWorkerVariable, value.c_str());
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=ImageStoreWorker.SavesWhenStartedAsWorker";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableW(kWorkerVariable, nullptr);
    if (!started) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace

TEST(ImageStoreWorker, SavesWhenStartedAsWorker) {
    wchar_t value[1024] = {};
    if (GetEnvironmentVariableW(kWorkerVariable, value, 1024) == 0) GTEST_SKIP() << "not started as a worker";
    wchar_t* rest = nullptr;
    const auto fill = static_cast<uint8_t>(wcstol(value, &rest, 10));
    const long saves = wcstol(rest, &rest, 10);
    ImageStore store(fs::path(rest + 1));
    int failed = 0;
    for (long i = 0; i < saves; ++i) {
        if (!store.Save("shared.img", Bytes(kSize, fill))) ++failed;
    }
    EXPECT_EQ(failed, 0);
}

// Two programs save one image while a third loads it: every load is a whole
// image one of them wrote, and every save succeeds.
TEST(ImageStoreProcesses, ConcurrentWritersAndAReaderNeverSeeATornOrEmptyImage) {
    const fs::path folder = fs::temp_directory_path() / "kelvar_store_processes";
    fs::remove_all(folder);
    ImageStore reader(folder);
    ASSERT_TRUE(reader.Save("shared.img", Bytes(kSize, 1)));
    HANDLE workers[2] = {StartWorker(folder, 2), StartWorker(folder, 3)};
    ASSERT_NE(workers[0], nullptr);
    ASSERT_NE(workers[1], nullptr);
    int loads = 0;
    int bad = 0;
    while (WaitForMultipleObjects(2, workers, TRUE, 0) == WAIT_TIMEOUT) {
        const auto image = reader.Load("shared.img", kSize);
        ++loads;
        if (!image || std::count(image->begin(), image->end(), (*image)[0]) != static_cast<long>(kSize)) ++bad;
    }
    DWORD codes[2] = {1, 1};
    for (int w = 0; w < 2; ++w) {
        GetExitCodeProcess(workers[w], &codes[w]);
        CloseHandle(workers[w]);
    }
    std::cout << "[ store    ] " << 2 * Saves() << " saves, " << loads << " loads, " << bad << " bad loads\n";
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(codes[0], 0u);  // a worker fails when any of its saves failed
    EXPECT_EQ(codes[1], 0u);
    std::error_code ec;
    fs::remove_all(folder, ec);
}
