#include "support/pcsc_chain.h"

#include <signal.h>

#include "kelvar/net/tcp.h"

namespace pcsc_chain {

namespace {

constexpr uint16_t kLoopback[4] = {127, 0, 0, 1};

}  // namespace

Chain::Chain(const std::string& card, const std::string& sam) {
    if (!daemon_.Start()) {
        error_ = daemon_.Error();
        return;
    }
    if (!card.empty()) card_ = daemon_.PlayCard(0, card);
    if (!sam.empty()) daemon_.PlayCard(1, sam);
    const uint16_t port = daemon_.StartServer(
        {"--pcsc-reader", VirtualReaderName(0), "--pcsc-sam", VirtualReaderName(1)});
    if (port == 0) {
        error_ = "kelvar-reader did not listen";
    } else if (client_.Open(kelvar::net::TcpStream::Connect(kLoopback, port, kelvar::net::kConnectTimeoutMs)) !=
               kelvar::kOk) {
        error_ = "no connection to kelvar-reader";
    } else if ((!card.empty() && !Daemon::AwaitCard(VirtualReaderName(0), true)) ||
               (!sam.empty() && !Daemon::AwaitCard(VirtualReaderName(1), true))) {
        error_ = "pcscd never saw the card";
    }
}

bool Chain::Pull() {
    kill(card_, SIGUSR1);
    return Daemon::AwaitCard(VirtualReaderName(0), false);
}

bool Chain::PutBack() {
    kill(card_, SIGUSR2);
    return Daemon::AwaitCard(VirtualReaderName(0), true);
}

}  // namespace pcsc_chain
