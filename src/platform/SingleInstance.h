#pragma once
// One running instance of the program per user: the first process claims a name and keeps
// the claim for its life; a later process sees the claim taken and ends.

#include <memory>
#include <string>

namespace platform {

// The name the program's instances claim.
inline constexpr const char* kInstanceName = "Quillbell-Config";

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // False when another live process of the same user held the claim when this one was
    // made. True also when the claim could not be checked at all: refusing to start over a
    // broken lock would lock the user out of the program.
    virtual bool isFirst() const = 0;
};

// Claims `name` for as long as the returned object lives; the entry routine keeps it until
// the program ends. The claim dies with the process, however it ends.
std::unique_ptr<SingleInstance> claimSingleInstance(const std::string& name = kInstanceName);

}  // namespace platform
