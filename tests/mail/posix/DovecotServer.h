#pragma once
// A real Dovecot IMAP server for one test, its files under a scratch directory, listening on
// a free port of 127.0.0.1 as a child process. Folders are laid out before start(), "/"
// separating them (so that a name may hold dots), non-ASCII names in modified UTF-7.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace mailtest {

class DovecotServer {
public:
    // The one account, "alice", with this password.
    DovecotServer(std::filesystem::path dir, std::string password);
    ~DovecotServer() { stop(); }
    DovecotServer(const DovecotServer&) = delete;
    DovecotServer& operator=(const DovecotServer&) = delete;

    void addFolder(const std::string& path) const;  // with its parents
    bool start();                                   // true once it accepts connections
    void stop();

    std::uint16_t port() const { return port_; }
    std::string url() const { return "imap://alice@127.0.0.1:" + std::to_string(port_) + "/"; }
    std::string log() const;

private:
    std::filesystem::path dir_;
    std::string password_;
    std::uint16_t port_ = 0;
    pid_t pid_ = -1;
};

// A port on 127.0.0.1 that nothing listens on at the time of the call.
std::uint16_t freeLoopbackPort();

// Connects to `port` on 127.0.0.1, or with port 0 listens on one the kernel picks (then
// `port` tells which): the socket, or -1.
int loopbackSocket(std::uint16_t& port, bool listening);

}  // namespace mailtest
