#include "platform/posix/mail/StoreReader.h"

#include <vmime/net/maildir/format/courierMaildirFormat.hpp>
#include <vmime/net/maildir/maildirStore.hpp>
#include <vmime/platforms/posix/posixHandler.hpp>
#include <vmime/vmime.hpp>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/posix/mail/MailErrors.h"
#include "platform/posix/mail/ServerTimeout.h"

namespace mail {

namespace {

using Clock = std::chrono::steady_clock;

// Gives up once the server has been silent for the whole timeout.
class SilenceTimeout final : public vmime::net::timeoutHandler {
public:
    explicit SilenceTimeout(std::chrono::milliseconds limit) : limit_(limit) {}
    bool isTimeOut() override { return Clock::now() - start_ >= limit_; }
    void resetTimeOut() override { start_ = Clock::now(); }
    bool handleTimeOut() override { return false; }

private:
    std::chrono::milliseconds limit_;
    Clock::time_point start_ = Clock::now();
};

class SilenceTimeoutFactory final : public vmime::net::timeoutHandlerFactory {
public:
    explicit SilenceTimeoutFactory(std::chrono::milliseconds limit) : limit_(limit) {}
    vmime::shared_ptr<vmime::net::timeoutHandler> create() override {
        return vmime::make_shared<SilenceTimeout>(limit_);
    }

private:
    std::chrono::milliseconds limit_;
};

void initLibrary() {
    static std::once_flag once;
    std::call_once(once,
                   [] { vmime::platform::setHandler<vmime::platforms::posix::posixHandler>(); });
}

// The certificate authorities the system trusts, read once.
const std::vector<vmime::shared_ptr<vmime::security::cert::X509Certificate>>& systemRoots() {
    static const auto roots = [] {
        std::vector<vmime::shared_ptr<vmime::security::cert::X509Certificate>> certs;
        std::ifstream bundle("/etc/ssl/certs/ca-certificates.crt");
        std::stringstream text;
        text << bundle.rdbuf();
        const std::string all = text.str();
        constexpr std::string_view kBegin = "-----BEGIN CERTIFICATE-----";
        for (std::size_t at = all.find(kBegin); at != std::string::npos;) {
            const std::size_t next = all.find(kBegin, at + kBegin.size());
            const std::string pem = all.substr(at, next - at);
            if (auto cert = vmime::security::cert::X509Certificate::import(
                    reinterpret_cast<const vmime::byte_t*>(pem.data()), pem.size())) {
                certs.push_back(cert);
            }
            at = next;
        }
        return certs;
    }();
    return roots;
}

FolderPath toPath(const vmime::net::folder::path& path) {
    FolderPath out;
    out.reserve(path.getSize());
    const vmime::charset utf8(vmime::charsets::UTF_8);
    for (std::size_t i = 0; i < path.getSize(); ++i) {
        // The library decodes names to UTF-8 already; converting again costs a converter
        // per name, which adds up over thousands of folders.
        const vmime::word& name = path[i];
        out.push_back(name.getCharset() == utf8 ? name.getBuffer() : name.getConvertedText(utf8));
    }
    return out;
}

std::vector<FolderPath> listAll(vmime::net::store& store) {
    std::vector<FolderPath> paths;
    for (const auto& folder : store.getRootFolder()->getFolders(true)) {
        paths.push_back(toPath(folder->getFullPath()));
    }
    return paths;
}

std::vector<FolderPath> listMaildir(const StoreUrl& url) {
    std::error_code error;
    if (!std::filesystem::is_directory(url.path, error)) {
        throw mailError(MailFailure::NotFound,
                        "The Maildir folder " + url.path + " does not exist.");
    }
    auto session = vmime::net::session::create();
    session->getProperties()["store.maildir.server.rootpath"] = url.path;
    auto store =
        std::dynamic_pointer_cast<vmime::net::maildir::maildirStore>(session->getStore("maildir"));
    store->connect();
    // The library guesses the layout from marker files that a tree without sub-folders
    // lacks (and then lists cur, new and tmp as folders); the URL says Maildir++.
    const vmime::net::maildir::format::courierMaildirFormat layout(
        vmime::make_shared<vmime::net::maildir::maildirFormat::context>(store));
    // The tree's own messages are the Inbox, as Dovecot and Courier present a Maildir++.
    std::vector<FolderPath> paths{FolderPath{"INBOX"}};
    for (const auto& path : layout.listFolders(vmime::net::folder::path(), true)) {
        paths.push_back(toPath(path));
    }
    store->disconnect();
    return paths;
}

// The library's message with the causes it chains to, without trailing periods.
std::string describe(const vmime::exception& error) {
    std::string text;
    for (const vmime::exception* e = &error; e != nullptr && *e->what() != '\0'; e = e->other()) {
        std::string part = e->what();
        while (!part.empty() && part.back() == '.') {
            part.pop_back();
        }
        text += (text.empty() ? "" : ": ") + part;
    }
    return text;
}

std::string seconds(std::chrono::milliseconds duration) {
    const auto count = duration.count();
    std::string text = std::to_string(count / 1000);
    if (count % 1000 != 0) {
        text += "." + std::to_string(count % 1000 / 100);
    }
    return text;
}

std::string serverName(const StoreUrl& url) {
    return url.host + (url.port != 0 ? ":" + std::to_string(url.port) : std::string());
}

std::vector<FolderPath> listServer(const StoreUrl& url, const StoreCredentials& credentials) {
    auto session = vmime::net::session::create();
    const bool implicitTls = url.kind == StoreUrl::Kind::Imaps;
    const vmime::utility::url address(
        implicitTls ? "imaps" : "imap", url.host,
        url.port != 0 ? url.port : vmime::utility::url::UNSPECIFIED_PORT);
    auto store = session->getStore(address);
    store->setProperty("auth.username", credentials.account);
    store->setProperty("auth.password", credentials.password);
    // Plain imap: still encrypt when the server offers STARTTLS.
    store->setProperty("connection.tls", true);
    store->setProperty("connection.tls.required", false);
    store->setTimeoutHandlerFactory(vmime::make_shared<SilenceTimeoutFactory>(serverTimeout()));
    auto verifier = vmime::make_shared<vmime::security::cert::defaultCertificateVerifier>();
    verifier->setX509RootCAs(systemRoots());
    store->setCertificateVerifier(verifier);
    store->connect();
    std::vector<FolderPath> paths = listAll(*store);
    store->disconnect();
    return paths;
}

}  // namespace

std::vector<FolderPath> listStoreFolders(const StoreUrl& url, const StoreCredentials& credentials) {
    initLibrary();
    const std::string where = url.isServer() ? "the server " + serverName(url) : url.path;
    try {
        return url.isServer() ? listServer(url, credentials) : listMaildir(url);
    } catch (const vmime::exceptions::authentication_error&) {
        throw mailError(MailFailure::LogonFailed, "The server " + serverName(url) +
                                                      " refused the account name \"" +
                                                      credentials.account + "\" or its password.");
    } catch (const vmime::exceptions::operation_timed_out&) {
        throw mailError(MailFailure::Timeout, "The server " + serverName(url) +
                                                  " did not answer within " +
                                                  seconds(serverTimeout()) + " seconds.");
    } catch (const vmime::exceptions::net_exception& e) {
        throw mailError(MailFailure::NetworkError,
                        "Cannot reach " + where + ": " + describe(e) + ".");
    } catch (const vmime::exception& e) {
        throw mailError(url.isServer() ? MailFailure::NetworkError : MailFailure::NotFound,
                        "Cannot read the folders of " + where + ": " + describe(e) + ".");
    }
}

}  // namespace mail
