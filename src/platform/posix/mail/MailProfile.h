#pragma once
// A MAPI profile on systems without MAPI: a subkey of the per-user profiles key, named as
// the profile discovery decodes it, whose values list the profile's message stores:
//
//   StoreURL<n>       the store's URL (see StoreUrl.h), n = 1, 2, ... without gaps
//   StoreName<n>      the display name of the store
//   StoreAccount<n>   servers: the account name the server knows
//   StorePassword<n>  servers: the password, enciphered as configuration passwords are
//
// The profiles key's "DefaultProfile" names the default profile in plain text.

#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace mail {

struct ProfileStore {
    std::string url;
    std::string name;
    std::string account;   // empty for a Maildir store
    std::string password;  // in clear; only ever stored enciphered
};

// The stores of the named profile, or nothing when there is no such profile.
std::optional<std::vector<ProfileStore>> readProfile(const std::string& profileName);

// Creates the profile, or replaces every store of an existing one. Returns the registry's
// status (0 on success).
platform::LSTATUS writeProfile(const std::string& profileName,
                               const std::vector<ProfileStore>& stores);

// Deletes the profile's subkey; ERROR_FILE_NOT_FOUND (2) when there is none.
platform::LSTATUS removeProfile(const std::string& profileName);

// Writes "DefaultProfile".
platform::LSTATUS setDefaultProfile(const std::string& profileName);

}  // namespace mail
