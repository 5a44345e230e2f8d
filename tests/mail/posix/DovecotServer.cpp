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
#include <regex>
#include <sstream>
#include <thread>

namespace mailtest {

namespace fs = std::filesystem;

int loopbackSocket(std::uint16_t& port, bool listening) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    auto* any = reinterpret_cast<sockaddr*>(&address);
    socklen_t length = sizeof address;
    const bool ok = listening ? bind(fd, any, length) == 0 && listen(fd, 8) == 0 &&
                                    getsockname(fd, any, &length) == 0
                              : connect(fd, any, length) == 0;
    if (!ok) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

namespace {

void makeMaildir(const fs::path& dir) {
    for (const char* part : {"cur", "new", "tmp"}) {
        fs::create_directories(dir / part);
    }
}

// Nothing is chrooted, as that needs root.
constexpr char kConfig[] = R"(base_dir = $RUN
state_dir = $RUN
log_path = $LOG
protocols = imap
listen = 127.0.0.1
ssl = no
auth_failure_delay = 0
default_internal_user = $USER
default_internal_group = $GROUP
default_login_user = $USER
first_valid_uid = 0
mail_location = maildir:~/Maildir:LAYOUT=fs
namespace inbox {
  inbox = yes
  separator = /
}
passdb {
  driver = passwd-file
  args = scheme=PLAIN $PASSWD
}
userdb {
  driver = passwd-file
  args = $PASSWD
}
service imap-login {
  chroot =
  inet_listener imap {
    port = $PORT
  }
}
service anvil {
  chroot =
  # No delay after a refused password: the tests refuse one on purpose.
  unix_listener anvil-auth-penalty {
    mode = 0
  }
}
)";

}  // namespace

std::uint16_t freeLoopbackPort() {
    std::uint16_t port = 0;
    close(loopbackSocket(port, true));
    return port;
}

DovecotServer::DovecotServer(fs::path dir, std::string password)
    : dir_(std::move(dir)), password_(std::move(password)) {
    makeMaildir(dir_ / "alice" / "Maildir");
}

void DovecotServer::addFolder(const std::string& path) const {
    fs::path folder = dir_ / "alice" / "Maildir";
    std::istringstream names(path);
    for (std::string name; std::getline(names, name, '/');) {
        makeMaildir(folder /= name);
    }
}

bool DovecotServer::start() {
    // Dovecot runs wholly as one unprivileged user, its login processes included: the test's
    // own, or under root (as which Dovecot will not serve mail) the user its package creates.
    const passwd* found = geteuid() == 0 ? getpwnam("dovecot") : getpwuid(geteuid());
    const group* own = found != nullptr ? getgrgid(found->pw_gid) : nullptr;
    if (own == nullptr) {
        return false;
    }
    const passwd& user = *found;
    fs::create_directories(dir_ / "run");
    std::ofstream(dir_ / "passwd") << "alice:{PLAIN}" << password_ << ":" << user.pw_uid << ":"
                                   << user.pw_gid << "::" << (dir_ / "alice").string() << "\n";
    // The user must reach its sockets, log and mail below the scratch directories.
    const fs::path temp = fs::temp_directory_path();
    for (fs::path dir = dir_; dir != temp && dir != dir.root_path(); dir = dir.parent_path()) {
        fs::permissions(dir, fs::perms::group_exec | fs::perms::others_exec, fs::perm_options::add);
    }
    [[maybe_unused]] int ignored = chown(dir_.c_str(), user.pw_uid, user.pw_gid);
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
        ignored = chown(entry.path().c_str(), user.pw_uid, user.pw_gid);
    }
    port_ = freeLoopbackPort();
    std::string config = kConfig;
    for (const auto& [name, value] : {std::pair<const char*, std::string>{"RUN", dir_ / "run"},
                                      {"LOG", dir_ / "dovecot.log"},
                                      {"PASSWD", dir_ / "passwd"},
                                      {"PORT", std::to_string(port_)},
                                      {"USER", user.pw_name},
                                      {"GROUP", own->gr_name}}) {
        config = std::regex_replace(config, std::regex("\\$" + std::string(name) + "\\b"), value);
    }
    std::ofstream(dir_ / "dovecot.conf") << config;
    const std::string configPath = (dir_ / "dovecot.conf").string();
    pid_ = fork();
    if (pid_ == 0) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(user.pw_gid) != 0 || setuid(user.pw_uid) != 0)) {
            _exit(126);
        }
        // Set after the change of user, which clears it; Dovecot logs to its own file.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
            dup2(null, fd);
        }
        execl("/usr/sbin/dovecot", "dovecot", "-F", "-c", configPath.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint16_t port = port_;
        if (const int fd = loopbackSocket(port, false); fd >= 0) {
            close(fd);
            return true;
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

std::string DovecotServer::log() const {
    std::ifstream stream(dir_ / "dovecot.log");
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

}  // namespace mailtest
