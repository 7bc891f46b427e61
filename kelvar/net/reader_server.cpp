#include "kelvar/net/reader_server.h"

#include <algorithm>

namespace kelvar::net {

namespace {

using std::chrono::milliseconds;

constexpr size_t kReadChunk = 16384;
constexpr size_t kAcceptsPerTurn = 64;
constexpr milliseconds kLongestWait{200};     // a stop request is seen this soon
constexpr milliseconds kSweepEvery{50};       // deadlines are looked at this often
constexpr milliseconds kLinger{1000};         // a refused client's time to read why
constexpr milliseconds kFirstPause{10};       // after a failed accept, doubling
constexpr milliseconds kLongestPause{1000};

std::string Seconds(milliseconds span) {
    const auto ms = span.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

}  // namespace

void ReaderServer::Run() {
    std::vector<ReadySocket> ready;
    std::vector<Client*> turn;
    bool listening = poller_.Watch(listener_.Handle(), true, false);
    Clock::time_point nextSweep{};
    while (!stop_) {
        Clock::time_point now = Clock::now();
        if (now >= nextSweep) {
            SweepDeadlines(now);
            DropGone();
            nextSweep = now + kSweepEvery;
        }
        if (!listening && now >= acceptAgain_) listening = poller_.Watch(listener_.Handle(), true, false);
        Clock::time_point wake = std::min(now + kLongestWait, nextSweep);
        if (!listening) wake = std::min(wake, acceptAgain_);
        if (!busy_.empty()) wake = now;
        const auto wait = std::chrono::ceil<milliseconds>(std::max(wake - now, Clock::duration::zero()));
        if (!poller_.Wait(ready, static_cast<int>(wait.count()))) continue;

        // Only the clients with something to do are looked at.
        now = Clock::now();
        turn.clear();
        bool accepting = false;
        for (const ReadySocket& socket : ready) {
            if (socket.handle == listener_.Handle()) {
                accepting = true;
                continue;
            }
            const auto at = clients_.find(socket.handle);
            if (at == clients_.end() || at->second->gone) continue;
            Client& c = *at->second;
            c.gone = (socket.writable && !Flush(c)) || (socket.readable && !ReadFrom(c));
            if (!c.inTurn) {
                c.inTurn = true;
                turn.push_back(&c);
            }
        }
        // Those that just sent something first: a request that waited for no
        // other is answered before the next of a pipelining client.
        turn.insert(turn.end(), busy_.begin(), busy_.end());
        busy_.clear();
        // A turn: one request of each client, none while its answers pile
        // up; those with more wait for the next turn, after the sockets.
        for (Client* c : turn) {
            if (!c->gone && !c->closing && c->Queued() <= limits_.queueBytes) c->gone = !Step(*c, now);
            c->inTurn = !c->gone && c->moreFrames && c->Queued() <= limits_.queueBytes;
            if (c->inTurn) busy_.push_back(c);
        }
        for (Client* c : turn) {
            if (c->closing && !c->gone && c->Queued() == 0 && !c->shut) {
                c->stream->ShutdownSending();
                c->shut = true;
            }
            if (!c->gone) Watch(*c);
        }
        for (Client* c : turn) {
            if (c->gone) Drop(c->stream->Handle());
        }
        if (accepting) {
            AcceptClients(now);
            if (now < acceptAgain_) listening = !poller_.Watch(listener_.Handle(), false, false);
        }
    }
    for (const auto& [handle, c] : clients_) {
        if (!c->closing) throttled_("stopping", "client " + c->peer + " closed: server stopping");
        poller_.Watch(handle, false, false);
    }
    clients_.clear();
    busy_.clear();
}

void ReaderServer::Watch(Client& c) {
    const bool read = !c.moreFrames && c.Queued() <= limits_.queueBytes;
    const bool write = c.Queued() > 0;
    if (read == c.reading && write == c.writing) return;
    c.reading = read;
    c.writing = write;
    if (!poller_.Watch(c.stream->Handle(), read, write)) c.gone = true;
}

void ReaderServer::Drop(SocketHandle handle) {
    poller_.Watch(handle, false, false);
    clients_.erase(handle);
}

void ReaderServer::DropGone() {
    std::erase_if(busy_, [](const Client* c) { return c->gone; });
    std::vector<SocketHandle> gone;
    for (const auto& [handle, c] : clients_) {
        if (c->gone) gone.push_back(handle);
    }
    for (const SocketHandle handle : gone) Drop(handle);
}

void ReaderServer::AcceptClients(Clock::time_point now) {
    for (size_t n = 0; n < kAcceptsPerTurn; ++n) {
        std::string peer;
        std::string failure;
        std::unique_ptr<TcpStream> stream = listener_.Accept(peer, failure);
        if (stream == nullptr) {
            if (failure.empty()) return;
            // Out of handles, say: try again later, not at once in a loop.
            acceptPause_ = std::clamp(acceptPause_ * 2, kFirstPause, kLongestPause);
            acceptAgain_ = now + acceptPause_;
            throttled_("accept", "error: a connection could not be accepted (" + failure + "), next try in " +
                                     Seconds(acceptPause_));
            return;
        }
        acceptPause_ = milliseconds(0);
        const size_t open = static_cast<size_t>(
            std::count_if(clients_.begin(), clients_.end(), [](const auto& c) { return !c.second->closing; }));
        const bool refused = open >= limits_.maxClients;
        if (refused) {
            throttled_("refused", "error: client " + peer + " refused: " + std::to_string(open) +
                                      " clients connected, the most allowed");
            // Told why, unless so many wait to be that they are only closed.
            if (clients_.size() - open >= limits_.maxClients) continue;
        } else {
            throttled_("connected", "client " + peer + " connected");
        }
        const SocketHandle handle = stream->Handle();
        auto client = std::unique_ptr<Client>(new Client{std::move(stream), peer, {service_, state_}, now});
        if (refused) {
            client->queue = WelcomeFrame(Verdict::kTooManyClients);
            client->closing = true;
            client->closeBy = now + kLinger;
        }
        Watch(*client);
        if (!client->gone) clients_.emplace(handle, std::move(client));
    }
}

bool ReaderServer::Flush(Client& c) {
    while (c.Queued() > 0) {
        const int n = c.stream->SendSome(std::span<const uint8_t>(c.queue.data() + c.sent, c.Queued()));
        if (n < 0) {
            if (!c.closing) throttled_("lost", "error: client " + c.peer + ": the connection broke while answering");
            return false;
        }
        if (n == 0) break;
        c.sent += size_t(n);
    }
    if (c.sent == c.queue.size()) {
        c.queue.clear();
        c.sent = 0;
    } else if (c.sent >= kReadChunk) {
        c.queue.erase(c.queue.begin(), c.queue.begin() + static_cast<std::ptrdiff_t>(c.sent));
        c.sent = 0;
    }
    if (c.Queued() <= limits_.queueBytes) c.queueFull = {};
    return true;
}

bool ReaderServer::ReadFrom(Client& c) {
    uint8_t buffer[kReadChunk];
    const int received = c.stream->Receive(buffer, sizeof buffer, kReadyNow);
    if (received == kStreamTimeout) return true;
    if (received <= 0) {
        if (!c.closing) {
            throttled_("gone", "client " + c.peer + " disconnected after " + std::to_string(c.served.Calls()) + " calls");
        }
        return false;
    }
    // What a closing connection still sends is dropped.
    if (!c.closing) c.served.Feed(std::span<const uint8_t>(buffer, size_t(received)));
    return true;
}

bool ReaderServer::Step(Client& c, Clock::time_point now) {
    std::string note;
    switch (c.served.ServeNext(c.queue, note)) {
        case ServedConnection::Step::kServed:
            c.moreFrames = true;
            c.frameStarted = {};
            break;
        case ServedConnection::Step::kIdle:
            c.moreFrames = false;
            if (c.served.Partial() == 0) {
                c.frameStarted = {};
            } else if (c.frameStarted == Clock::time_point{}) {
                c.frameStarted = now;
            }
            break;
        case ServedConnection::Step::kClose:
            Close(c, note, now);
            break;
    }
    if (c.Queued() > 0 && !Flush(c)) return false;
    if (c.Queued() > limits_.queueBytes && c.queueFull == Clock::time_point{}) c.queueFull = now;
    return true;
}

ReaderServer::Clock::time_point ReaderServer::Deadline(const Client& c) const {
    if (c.closing) return c.closeBy;
    Clock::time_point at = Clock::time_point::max();
    if (!c.served.Greeted()) at = std::min(at, c.connected + limits_.hello);
    if (c.frameStarted != Clock::time_point{}) at = std::min(at, c.frameStarted + limits_.frame);
    if (c.queueFull != Clock::time_point{}) at = std::min(at, c.queueFull + limits_.drain);
    return at;
}

void ReaderServer::SweepDeadlines(Clock::time_point now) {
    for (auto& [handle, client] : clients_) {
        Client& c = *client;
        if (c.gone || now < Deadline(c)) continue;
        c.gone = true;
        if (c.closing) continue;
        std::string why;
        if (!c.served.Greeted() && now >= c.connected + limits_.hello) {
            why = "no greeting within " + Seconds(limits_.hello);
        } else if (c.frameStarted != Clock::time_point{} && now >= c.frameStarted + limits_.frame) {
            why = "a frame not completed within " + Seconds(limits_.frame);
        } else {
            why = "its answers not read for " + Seconds(limits_.drain);
        }
        throttled_("closed", "error: client " + c.peer + " closed: " + why);
    }
}

void ReaderServer::Close(Client& c, const std::string& why, Clock::time_point now) {
    throttled_("closed", "error: client " + c.peer + " closed: " + why);
    c.closing = true;
    c.moreFrames = false;
    c.closeBy = now + kLinger;
}

}  // namespace kelvar::net
