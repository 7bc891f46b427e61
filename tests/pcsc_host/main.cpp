// pcsc-chain-host: runs a command (the Wine tier's PC/SC story) beside a
// PC/SC chain of its own: pcscd with vpcd, a Mifare 1K in its first reader and
// a SAM in the second, and kelvar-reader --backend pcsc serving both. The
// command finds the server's port in KELVAR_PCSC_PORT, and pulls or puts back the Mifare
// card with a line "pull" or "put" to the loopback port KELVAR_PCSC_CONTROL
// (answered "ok" once pcscd sees it so). Where pcscd cannot run,
// KELVAR_PCSC_MISSING says why and the command runs alone.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "support/pcsc_daemon.h"

namespace {

using pcsc_chain::Daemon;
using pcsc_chain::VirtualReaderName;

int Listen(uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 4) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// One client's lines, each answered.
void Control(int client, pid_t card) {
    std::string line;
    char c = 0;
    while (read(client, &c, 1) == 1) {
        if (c != '\n') {
            line += c;
            continue;
        }
        bool done = false;
        if (line == "pull" || line == "put") {
            kill(card, line == "pull" ? SIGUSR1 : SIGUSR2);
            done = Daemon::AwaitCard(VirtualReaderName(0), line == "put");
        }
        const char* answer = done ? "ok\n" : "failed\n";
        if (write(client, answer, std::strlen(answer)) < 0) break;
        line.clear();
    }
    close(client);
}

int Run(char** command) {
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::string(argv[1]) != "--") {
        std::cerr << "usage: pcsc-chain-host -- COMMAND [ARG...]\n";
        return 2;
    }
    char** command = argv + 2;
    if (const std::string missing = pcsc_chain::Missing(); !missing.empty()) {
        setenv("KELVAR_PCSC_MISSING", missing.c_str(), 1);
        return Run(command);
    }
    Daemon daemon;
    if (!daemon.Start()) {
        std::cerr << "pcsc-chain-host: " << daemon.Error() << "\n";
        return 1;
    }
    const pid_t card = daemon.PlayCard(0, "mifare1k");
    daemon.PlayCard(1, "sam");
    const uint16_t port =
        daemon.StartServer({"--pcsc-reader", VirtualReaderName(0), "--pcsc-sam", VirtualReaderName(1)});
    uint16_t controlPort = 0;
    const int control = Listen(controlPort);
    const char* failed = port == 0     ? "the server did not listen"
                         : control < 0 ? "no control port"
                         : !Daemon::AwaitCard(VirtualReaderName(0), true) || !Daemon::AwaitCard(VirtualReaderName(1), true)
                             ? "pcscd did not see the cards"
                             : nullptr;
    if (failed != nullptr) {
        int code = 0;
        std::cerr << "pcsc-chain-host: " << failed << "\n" << Daemon::ListReaders(code);
        return 1;
    }
    std::thread([control, card] {
        for (int client; (client = accept(control, nullptr, nullptr)) >= 0;) Control(client, card);
    }).detach();
    setenv("KELVAR_PCSC_PORT", std::to_string(port).c_str(), 1);
    setenv("KELVAR_PCSC_CONTROL", std::to_string(controlPort).c_str(), 1);
    const int code = Run(command);
    shutdown(control, SHUT_RDWR);
    return code;
}
