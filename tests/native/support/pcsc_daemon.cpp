#include "support/pcsc_daemon.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace pcsc_chain {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr char kPcscd[] = "/usr/sbin/pcscd";
constexpr char kVpcdDriver[] = "/usr/lib/pcsc/drivers/serial/libifdvpcd.so";
constexpr char kPcscdSocket[] = "/run/pcscd/pcscd.comm";
constexpr char kLockFile[] = "/tmp/kelvar-pcscd.lock";

bool SocketAnswers() {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", kPcscdSocket);
    const bool answers = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answers;
}

bool PortFree(uint16_t port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    const bool free = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return free;
}

// `count` free ports in a row: vpcd's slots.
uint16_t FreePorts(int count) {
    for (uint16_t port = uint16_t(36000 + getpid() % 2000 * count); port < 60000; port += uint16_t(count)) {
        bool free = true;
        for (int i = 0; i < count && free; ++i) free = PortFree(uint16_t(port + i));
        if (free) return port;
    }
    return 0;
}

template <typename Done>
bool Await(Done done, std::chrono::milliseconds limit = 5000ms) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
        if (done()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return done();
}

std::string Run(const std::vector<std::string>& args, int& code) {
    std::string command;
    for (const std::string& arg : args) command += "'" + arg + "' ";
    command += "2>&1";
    std::string output;
    code = -1;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
        const int status = pclose(pipe);
        code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return output;
}

}  // namespace

std::string Missing() {
    if (!fs::exists(kPcscd)) return std::string(kPcscd) + " is not installed (tools/setup.sh installs pcscd)";
    if (!fs::exists(kVpcdDriver)) {
        return std::string(kVpcdDriver) + " is not installed (tools/setup.sh installs vsmartcard-vpcd)";
    }
    std::error_code error;
    fs::create_directories(fs::path(kPcscdSocket).parent_path(), error);
    if (access(fs::path(kPcscdSocket).parent_path().c_str(), W_OK) != 0) {
        return "pcscd cannot create its socket in /run/pcscd (run the tests as root, or make the folder writable)";
    }
    return {};
}

std::string VirtualReaderName(int slot) { return "Virtual PCD 00 0" + std::to_string(slot); }

void StopProcess(pid_t& pid) {
    if (pid == 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    if (!Await([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 3000ms)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = 0;
}

bool Daemon::Start() {
    lock_ = open(kLockFile, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lock_ < 0 || flock(lock_, LOCK_EX) != 0) {
        error_ = std::string("cannot take ") + kLockFile;
        return false;
    }
    if (SocketAnswers()) {
        error_ = std::string("a pcscd this test did not start serves ") + kPcscdSocket +
                 "; it is left running (stop it to run these tests)";
        return false;
    }
    char folder[] = "/tmp/kelvar-pcsc-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        error_ = "no temporary folder";
        return false;
    }
    folder_ = folder;
    port_ = FreePorts(2);
    fs::create_directories(folder_ + "/conf");
    std::ofstream(folder_ + "/conf/vpcd") << "FRIENDLYNAME \"Virtual PCD\"\nDEVICENAME /dev/null:" << port_
                                          << "\nLIBPATH " << kVpcdDriver << "\nCHANNELID " << port_ << "\n";
    pcscd_ = Spawn({kPcscd, "-f", "-c", folder_ + "/conf"}, folder_ + "/pcscd.log");
    if (!Await(SocketAnswers)) {
        std::stringstream log;
        log << std::ifstream(folder_ + "/pcscd.log").rdbuf();
        error_ = "pcscd did not open its socket; its log:\n" + log.str();
        return false;
    }
    return true;
}

pid_t Daemon::PlayCard(int slot, const std::string& card) {
    const pid_t pid = Spawn({KELVAR_VICC_PATH, "--port", std::to_string(port_ + slot), "--card", card},
                            folder_ + "/vicc" + std::to_string(slot) + ".log");
    played_.push_back(pid);
    return pid;
}

uint16_t Daemon::StartServer(const std::vector<std::string>& options) {
    const std::string name = "server" + std::to_string(played_.size());
    const std::string portFile = folder_ + "/" + name + ".port";
    std::vector<std::string> args = {KELVAR_READER_PATH, "--backend", "pcsc", "--listen", "127.0.0.1:0",
                                     "--port-file", portFile, "--config", folder_ + "/Kelvar.ini"};
    args.insert(args.end(), options.begin(), options.end());
    played_.push_back(Spawn(args, folder_ + "/" + name + ".log"));
    uint16_t port = 0;
    return Await([&] { return (std::ifstream(portFile) >> port) && port != 0; }) ? port : 0;
}

bool Daemon::AwaitCard(const std::string& reader, bool present) {
    return Await([&] {
        int code = 0;
        const std::string text = ListReaders(code);
        const size_t at = text.find(reader + "\n");
        if (at == std::string::npos) return false;
        const bool empty = text.compare(at + reader.size() + 1, 11, "    no card") == 0;
        return empty != present;
    });
}

std::string Daemon::ListReaders(int& code) { return Run({KELVAR_READER_PATH, "--list-readers"}, code); }

pid_t Daemon::Spawn(const std::vector<std::string>& args, const std::string& log) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

Daemon::~Daemon() {
    for (auto it = played_.rbegin(); it != played_.rend(); ++it) StopProcess(*it);
    StopProcess(pcscd_);
    if (!folder_.empty()) {
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    if (lock_ >= 0) close(lock_);
}

}  // namespace pcsc_chain
