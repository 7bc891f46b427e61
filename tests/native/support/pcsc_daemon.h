// A pcscd of a test's own, with a virtual reader (vpcd) on free loopback ports,
// and the processes played around it (kelvar-vicc cards, kelvar-reader
// servers). pcscd serves one socket for the machine, so a daemon takes a lock,
// and a pcscd it did not start is never stopped.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pcsc_chain {

// Why pcscd and vpcd cannot run on this machine; empty when they can.
std::string Missing();

// vpcd's reader of `slot` (0 or 1). One vpcd per pcscd: its slots are global
// to the driver, so a second instance would take the first one's ports.
std::string VirtualReaderName(int slot);

class Daemon {
public:
    Daemon() = default;
    ~Daemon();
    Daemon(const Daemon&) = delete;
    Daemon& operator=(const Daemon&) = delete;

    // pcscd with vpcd's two slots; false with Error() set.
    bool Start();
    const std::string& Error() const { return error_; }
    const std::string& Folder() const { return folder_; }
    // A kelvar-vicc card in a slot, stopped with the daemon.
    pid_t PlayCard(int slot, const std::string& card);
    // kelvar-reader --backend pcsc with `options`; the port it serves (0 when it did not start).
    uint16_t StartServer(const std::vector<std::string>& options);

    // Waits until pcscd sees a card in `reader`, or none (at most 5 s).
    static bool AwaitCard(const std::string& reader, bool present);
    // What kelvar-reader --list-readers prints, and its exit code.
    static std::string ListReaders(int& code);

private:
    pid_t Spawn(const std::vector<std::string>& args, const std::string& log);

    std::string error_;
    std::string folder_;
    int lock_ = -1;
    uint16_t port_ = 0;
    pid_t pcscd_ = 0;
    std::vector<pid_t> played_;
};

void StopProcess(pid_t& pid);

}  // namespace pcsc_chain
