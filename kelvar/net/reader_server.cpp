#include "kelvar/net/reader_server.h"

namespace kelvar::net {

void ReaderServer::Run() {
    std::vector<SocketHandle> handles;
    std::vector<bool> ready;
    while (!stop_) {
        handles.assign(1, listener_.Handle());
        for (const auto& client : clients_) handles.push_back(client->stream->Handle());
        // A short wait, so that a stop request is seen soon.
        if (!WaitReadable(handles, ready, 200)) continue;
        for (size_t i = clients_.size(); i-- > 0;) {
            if (!ready[i + 1]) continue;
            if (!ServeClient(*clients_[i])) clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(i));
        }
        if (ready[0]) AcceptClient();
    }
    for (const auto& client : clients_) log_("client " + client->peer + " closed: server stopping");
    clients_.clear();
}

void ReaderServer::AcceptClient() {
    std::string peer;
    std::unique_ptr<TcpStream> stream = listener_.Accept(peer);
    if (stream == nullptr) {
        log_("error: a connection could not be accepted");
        return;
    }
    log_("client " + peer + " connected");
    clients_.push_back(std::unique_ptr<Client>(new Client{std::move(stream), peer, {serve_, faults_, counters_}}));
}

bool ReaderServer::ServeClient(Client& client) {
    uint8_t buffer[16384];
    const int received = client.stream->Receive(buffer, sizeof buffer, kReadyNow);
    if (received == kStreamTimeout) return true;
    if (received <= 0) {
        log_("client " + client.peer + " disconnected after " + std::to_string(client.served.Calls()) + " calls");
        return false;
    }
    std::vector<uint8_t> reply;
    std::string note;
    const bool keep = client.served.OnBytes(std::span<const uint8_t>(buffer, size_t(received)), reply, note);
    if (!reply.empty() && !client.stream->Send(reply)) {
        log_("error: client " + client.peer + ": the answer could not be sent");
        return false;
    }
    if (!keep) log_("error: client " + client.peer + " closed: " + note);
    return keep;
}

}  // namespace kelvar::net
