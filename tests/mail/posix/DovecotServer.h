#pragma once
// A real Dovecot IMAP server for one test: its own configuration, user file and mail
// directory under a scratch directory, listening on 127.0.0.1 on a port free at the
// time, started in the foreground as a child process and stopped with it. Folders are
// laid out on disk before start(): Maildir with "/" as the hierarchy separator, so that
// a folder name may hold dots; non-ASCII names in modified UTF-7.

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
    // Starts the server and waits until it accepts connections; false when it did not.
    bool start();
    void stop();

    std::uint16_t port() const { return port_; }
    std::string url() const;  // imap://alice@127.0.0.1:PORT/
    std::string log() const;

private:
    std::filesystem::path dir_;
    std::string password_;
    std::uint16_t port_ = 0;
    pid_t pid_ = -1;
};

// A port on 127.0.0.1 that nothing listens on at the time of the call.
std::uint16_t freeLoopbackPort();

// A socket on 127.0.0.1 that accepts connections and never says a word.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    std::uint16_t port() const { return port_; }

private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
};

}  // namespace mailtest
