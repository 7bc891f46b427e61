// A pcscd of a test's own, with virtual readers (vpcd) on free loopback ports,
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

// vpcd instance `instance`'s reader of `slot` ("Virtual PCD 01 00").
std::string VirtualReaderName(int instance, int slot);

class Daemon {
public:
    Daemon() = default;
    ~Daemon();
    Daemon(const Daemon&) = delete;
    Daemon& operator=(const Daemon&) = delete;

    // pcscd with `instances` vpcd drivers of two slots each; false with Error() set.
    bool Start(int instances);
    const std::string& Error() const { return error_; }
    const std::string& Folder() const { return folder_; }
    // The port kelvar-vicc connects to for a slot.
    uint16_t SlotPort(int instance, int slot) const { return uint16_t(port_ + instance * 2 + slot); }

    // A kelvar-vicc card in a slot, stopped with the daemon.
    pid_t PlayCard(int instance, int slot, const std::string& card);
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
