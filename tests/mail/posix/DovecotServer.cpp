#include "DovecotServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace mailtest {

namespace fs = std::filesystem;

namespace {

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A listening socket on a port the kernel picks.
int listenAnywhere(std::uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool accepts(std::uint16_t port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(port);
    const bool connected =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

std::string dovecotBinary() {
    for (const char* candidate : {"/usr/sbin/dovecot", "/usr/local/sbin/dovecot"}) {
        if (access(candidate, X_OK) == 0) {
            return candidate;
        }
    }
    return "dovecot";
}

// Dovecot will not run its login processes, nor serve mail, as root: under root the
// test uses the users its package creates, and hands them the mail directory. Without
// root everything runs as the test's own user and group, the sockets' groups included.
struct Accounts {
    std::string internalUser;
    std::string internalGroup;
    std::string loginUser;
    uid_t mailUid;
    gid_t mailGid;
};

Accounts accounts() {
    if (geteuid() != 0) {
        const passwd* self = getpwuid(geteuid());
        const group* own = getgrgid(getegid());
        const std::string name = self != nullptr ? self->pw_name : "nobody";
        return {name, own != nullptr ? own->gr_name : name, name, geteuid(), getegid()};
    }
    const passwd* dovecot = getpwnam("dovecot");
    const passwd* dovenull = getpwnam("dovenull");
    return {"dovecot", "dovecot", dovenull != nullptr ? "dovenull" : "nobody",
            dovecot != nullptr ? dovecot->pw_uid : 65534,
            dovecot != nullptr ? dovecot->pw_gid : 65534};
}

void makeMaildir(const fs::path& dir) {
    for (const char* part : {"cur", "new", "tmp"}) {
        fs::create_directories(dir / part);
    }
}

void handOver(const fs::path& root, uid_t uid, gid_t gid) {
    if (chown(root.c_str(), uid, gid) != 0) {
        return;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        [[maybe_unused]] const int ignored = chown(entry.path().c_str(), uid, gid);
    }
}

}  // namespace

std::uint16_t freeLoopbackPort() {
    std::uint16_t port = 0;
    const int fd = listenAnywhere(port);
    close(fd);
    return port;
}

DovecotServer::DovecotServer(fs::path dir, std::string password)
    : dir_(std::move(dir)), password_(std::move(password)) {
    makeMaildir(dir_ / "alice" / "Maildir");
}

DovecotServer::~DovecotServer() {
    stop();
}

void DovecotServer::addFolder(const std::string& path) const {
    fs::path folder = dir_ / "alice" / "Maildir";
    std::istringstream names(path);
    for (std::string name; std::getline(names, name, '/');) {
        folder /= name;
        makeMaildir(folder);
    }
}

bool DovecotServer::start() {
    const Accounts users = accounts();
    fs::create_directories(dir_ / "run");
    // Dovecot's unprivileged processes must reach their sockets and the mail below the
    // scratch directories, whatever the umask made of them.
    const fs::path temp = fs::temp_directory_path();
    for (fs::path dir = dir_; dir != temp && dir != dir.root_path(); dir = dir.parent_path()) {
        fs::permissions(dir, fs::perms::group_exec | fs::perms::others_exec, fs::perm_options::add);
    }
    handOver(dir_ / "alice", users.mailUid, users.mailGid);
    std::ofstream(dir_ / "passwd") << "alice:{PLAIN}" << password_ << ":" << users.mailUid << ":"
                                   << users.mailGid << "::" << (dir_ / "alice").string() << "\n";
    port_ = freeLoopbackPort();
    std::ofstream(dir_ / "dovecot.conf") << "base_dir = " << (dir_ / "run").string() << R"(
state_dir = )" << (dir_ / "run").string() << R"(
log_path = )" << (dir_ / "dovecot.log").string()
                                         << R"(
protocols = imap
listen = 127.0.0.1
ssl = no
disable_plaintext_auth = no
auth_failure_delay = 0
default_internal_user = )" << users.internalUser
                                         << R"(
default_login_user = )" << users.loginUser
                                         << R"(
first_valid_uid = 0
first_valid_gid = 0
mail_location = maildir:~/Maildir:LAYOUT=fs
namespace inbox {
  inbox = yes
  separator = /
}
passdb {
  driver = passwd-file
  args = scheme=PLAIN )" << (dir_ / "passwd").string()
                                         << R"(
}
userdb {
  driver = passwd-file
  args = )" << (dir_ / "passwd").string() << R"(
}
service imap-login {
  chroot =
  inet_listener imap {
    address = 127.0.0.1
    port = )" << port_ << R"(
  }
  inet_listener imaps {
    port = 0
  }
}
service stats {
  unix_listener stats-writer {
    group = )" << users.internalGroup << R"(
  }
}
service dict {
  unix_listener dict {
    group = )" << users.internalGroup << R"(
  }
}
service dict-async {
  unix_listener dict-async {
    group = )" << users.internalGroup << R"(
  }
}
service imap-hibernate {
  unix_listener imap-hibernate {
    group = )" << users.internalGroup << R"(
  }
}
service anvil {
  chroot =
  # No growing delay after each refused password: the tests refuse some on purpose.
  unix_listener anvil-auth-penalty {
    mode = 0
  }
}
)";
    const std::string binary = dovecotBinary();
    const std::string config = (dir_ / "dovecot.conf").string();
    pid_ = fork();
    if (pid_ == 0) {
        // Dies with the test, and keeps off its output: Dovecot logs to its own file.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(binary.c_str(), binary.c_str(), "-F", "-c", config.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (accepts(port_)) {
            return true;
        }
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void DovecotServer::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

std::string DovecotServer::url() const {
    return "imap://alice@127.0.0.1:" + std::to_string(port_) + "/";
}

std::string DovecotServer::log() const {
    std::ifstream stream(dir_ / "dovecot.log");
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

SilentServer::SilentServer() {
    socket_ = listenAnywhere(port_);
}

SilentServer::~SilentServer() {
    if (socket_ >= 0) {
        close(socket_);
    }
}

}  // namespace mailtest
