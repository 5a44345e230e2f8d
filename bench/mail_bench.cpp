// Listing a store of 10,000 folders through the mail session, as the folder browser does
// (Logon, then InfoStores, RootFolder, Folders, Count, GetFirst, GetNext, Class, Name and
// ID for every folder, then Logoff), against the mail library's own recursive listing of
// the same store in the same run: a Maildir++ tree, and a Dovecot IMAP server it starts on
// loopback. Target: the session within 1.5 times the library's own listing.
//
// Usage: mail_bench [runs]   (the best of `runs`, default 5; the machine is shared)
// Exit status 1 when a ratio misses the target.

#include <unistd.h>
#include <vmime/platforms/posix/posixHandler.hpp>
#include <vmime/vmime.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "DovecotServer.h"
#include "SessionWalk.h"
#include "platform/Registry.h"
#include "platform/posix/mail/MailProfile.h"
#include "platform/posix/mail/ServerTimeout.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTop = 100;
constexpr int kInner = 99;  // 100 folders with 99 sub-folders each: 10,000 folders

std::string name(const char* prefix, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%02d", prefix, number);
    return text;
}

void makeMaildir(const fs::path& dir, bool marked) {
    for (const char* part : {"cur", "new", "tmp"}) {
        fs::create_directories(dir / part);
    }
    if (marked) {
        std::ofstream(dir / "maildirfolder");
    }
}

fs::path makeMaildirTree(const fs::path& root) {
    makeMaildir(root, false);
    for (int t = 0; t < kTop; ++t) {
        makeMaildir(root / ("." + name("Folder", t)), true);
        for (int i = 0; i < kInner; ++i) {
            makeMaildir(root / ("." + name("Folder", t) + "." + name("Sub", i)), true);
        }
    }
    return root;
}

std::size_t libraryListing(const vmime::utility::url& url, const std::string& rootPath) {
    auto session = vmime::net::session::create();
    if (!rootPath.empty()) {
        session->getProperties()["store.maildir.server.rootpath"] = rootPath;
    }
    auto store = rootPath.empty() ? session->getStore(url) : session->getStore("maildir");
    store->setProperty("auth.username", std::string("alice"));
    store->setProperty("auth.password", std::string("bench"));
    store->connect();
    const std::size_t count = store->getRootFolder()->getFolders(true).size();
    store->disconnect();
    return count;
}

std::size_t sessionListing(const std::string& profile) {
    std::size_t count = 0;
    for (const mailtest::WalkedStore& store : mailtest::walkProfile(profile)) {
        count += store.folders.size();
    }
    return count;
}

double best(int runs, const std::function<std::size_t()>& work, std::size_t& count) {
    work();  // warms caches (and the server's index) for both sides alike
    double fastest = 1e9;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        count = work();
        fastest = std::min(fastest, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return fastest;
}

bool report(const char* store, int runs, const std::function<std::size_t()>& library,
            const std::function<std::size_t()>& session) {
    std::size_t libraryCount = 0;
    std::size_t sessionCount = 0;
    const double libraryTime = best(runs, library, libraryCount);
    const double sessionTime = best(runs, session, sessionCount);
    const double ratio = sessionTime / libraryTime;
    std::printf(
        "%-8s library %6zu folders %8.1f ms   session %6zu folders %8.1f ms   ratio %.2fx\n", store,
        libraryCount, libraryTime * 1000, sessionCount, sessionTime * 1000, ratio);
    std::fflush(stdout);
    return ratio <= 1.5;
}

}  // namespace

int run(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path scratch =
        fs::temp_directory_path() / ("quillbell-mail-bench-" + std::to_string(getpid()));
    fs::create_directories(scratch / "home");
    // The profiles go to a store of the benchmark's own, never the user's.
    setenv("HOME", (scratch / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch / "home" / ".config").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (scratch / "xdg").c_str(), 1);
    platform::installRegistry(platform::createPlatformRegistry());
    vmime::platform::setHandler<vmime::platforms::posix::posixHandler>();

    bool met = true;
    const fs::path tree = makeMaildirTree(scratch / "Maildir");
    mail::writeProfile("Local", {{"maildir://" + tree.string(), "Local", "", ""}});
    met &= report(
        "Maildir", runs,
        [&] { return libraryListing(vmime::utility::url("maildir", "localhost"), tree.string()); },
        [] { return sessionListing("Local"); });

    mailtest::DovecotServer server(scratch / "dovecot", "bench");
    for (int t = 0; t < kTop; ++t) {
        server.addFolder(name("Folder", t));
        for (int i = 0; i < kInner; ++i) {
            server.addFolder(name("Folder", t) + "/" + name("Sub", i));
        }
    }
    if (!server.start()) {
        std::fprintf(stderr, "Dovecot did not start:\n%s\n", server.log().c_str());
        return 1;
    }
    mail::writeProfile("Server", {{server.url(), "Server", "alice", "bench"}});
    // Dovecot's first listing of a new tree builds its indexes (tens of seconds for 10,000
    // folders): done once, untimed, with the patience it needs.
    mail::setServerTimeout(std::chrono::minutes(10));
    sessionListing("Server");
    mail::setServerTimeout(mail::kDefaultServerTimeout);
    const vmime::utility::url address("imap", "127.0.0.1", server.port());
    met &= report(
        "IMAP", runs, [&] { return libraryListing(address, ""); },
        [] { return sessionListing("Server"); });
    server.stop();

    platform::installRegistry(nullptr);
    fs::remove_all(scratch);
    return met ? 0 : 1;
}

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mail_bench: %s\n", error.what());
        return 1;
    }
}
