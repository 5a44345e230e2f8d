#pragma once
// Reads the whole folder list of one message store through the mail library (VMime):
// a Maildir++ tree on disk, or an IMAP account. One listing per store (the library's
// recursive listing), so that a store of thousands of folders costs one round trip.

#include <string>
#include <vector>

#include "platform/posix/mail/FolderTree.h"
#include "platform/posix/mail/StoreUrl.h"

namespace mail {

struct StoreCredentials {
    std::string account;
    std::string password;
};

// Every folder of the store, as paths. For a Maildir++ tree the tree itself is listed as
// INBOX, as IMAP servers show it. Throws platform::AutomationError (MailErrors.h) when the
// store cannot be read: missing directory, refused logon, unreachable or silent server.
std::vector<FolderPath> listStoreFolders(const StoreUrl& url, const StoreCredentials& credentials);

}  // namespace mail
