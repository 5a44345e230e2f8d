#pragma once
// A real Dovecot for one test: a child process on a free port of 127.0.0.1, files in scratch.
// Folders are laid out before start(), "/" between them (a name may hold dots), modified UTF-7.

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

// A socket to `port` on 127.0.0.1, or with 0 listening on a port it puts in `port`; or -1.
int loopbackSocket(std::uint16_t& port, bool listening);

}  // namespace mailtest
