#include "platform/posix/mail/StoreUrl.h"

#include <charconv>
#include <string_view>

namespace mail {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::optional<StoreUrl> maildirUrl(std::string_view rest, std::string& problem) {
    // maildir:///path: an empty authority, then the absolute path.
    if (!rest.starts_with("//") || rest.size() < 3 || rest[2] != '/') {
        problem = "a Maildir URL is maildir:///absolute/path";
        return std::nullopt;
    }
    std::optional<std::string> path = percentDecoded(rest.substr(2));
    if (!path) {
        problem = "the path has a broken percent escape";
        return std::nullopt;
    }
    StoreUrl url;
    url.kind = StoreUrl::Kind::Maildir;
    url.path = *path;
    return url;
}

bool splitHostPort(std::string_view hostPort, StoreUrl& url, std::string& problem) {
    std::string_view host = hostPort;
    std::string_view port;
    if (hostPort.starts_with('[')) {
        const std::size_t close = hostPort.find(']');
        if (close == std::string_view::npos) {
            problem = "the host has no closing bracket";
            return false;
        }
        host = hostPort.substr(1, close - 1);
        std::string_view after = hostPort.substr(close + 1);
        if (!after.empty() && !after.starts_with(':')) {
            problem = "unexpected text after the host";
            return false;
        }
        port = after.empty() ? after : after.substr(1);
    } else if (const std::size_t colon = hostPort.rfind(':'); colon != std::string_view::npos) {
        host = hostPort.substr(0, colon);
        port = hostPort.substr(colon + 1);
    }
    if (host.empty()) {
        problem = "the URL names no host";
        return false;
    }
    url.host = std::string(host);
    if (!port.empty()) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (error != std::errc() || end != port.data() + port.size() || value == 0 ||
            value > 65535) {
            problem = "the port is not a number from 1 to 65535";
            return false;
        }
        url.port = static_cast<std::uint16_t>(value);
    }
    return true;
}

std::optional<StoreUrl> serverUrl(StoreUrl::Kind kind, std::string_view rest,
                                  std::string& problem) {
    if (!rest.starts_with("//")) {
        problem = "a server URL is imap://user@host[:port]/";
        return std::nullopt;
    }
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    if (slash != std::string_view::npos && slash + 1 != rest.size()) {
        problem = "a server URL names no folder; it ends with the host or a slash";
        return std::nullopt;
    }
    const std::string_view authority = rest.substr(0, slash);
    const std::size_t at = authority.rfind('@');
    if (at == std::string_view::npos || at == 0) {
        problem = "the URL names no account (user@host)";
        return std::nullopt;
    }
    const std::string_view user = authority.substr(0, at);
    if (user.find(':') != std::string_view::npos) {
        problem = "the URL must not carry a password";
        return std::nullopt;
    }
    StoreUrl url;
    url.kind = kind;
    std::optional<std::string> decoded = percentDecoded(user);
    if (!decoded) {
        problem = "the account name has a broken percent escape";
        return std::nullopt;
    }
    url.user = *decoded;
    if (!splitHostPort(authority.substr(at + 1), url, problem)) {
        return std::nullopt;
    }
    return url;
}

}  // namespace

std::optional<StoreUrl> parseStoreUrl(const std::string& text, std::string& problem) {
    const std::size_t colon = text.find(':');
    const std::string_view scheme =
        colon == std::string::npos ? std::string_view() : std::string_view(text).substr(0, colon);
    const std::string_view rest =
        colon == std::string::npos ? std::string_view() : std::string_view(text).substr(colon + 1);
    if (scheme == "maildir") {
        return maildirUrl(rest, problem);
    }
    if (scheme == "imap") {
        return serverUrl(StoreUrl::Kind::Imap, rest, problem);
    }
    if (scheme == "imaps") {
        return serverUrl(StoreUrl::Kind::Imaps, rest, problem);
    }
    problem = "the URL starts neither with maildir:, imap: nor imaps:";
    return std::nullopt;
}

}  // namespace mail
