#pragma once
// The version of a WAL hive's contents: a copy of the header of its shared WAL index
// (the -shm file SQLite maps, laid out as SQLite's "WAL file format" documentation
// describes, the same for every SQLite version so that processes can share it). Every
// commit, by any process, rewrites that header.

#include <array>
#include <cstdint>

namespace platform::sqlitestore {

using WalVersion = std::array<unsigned char, 48>;

// Whether `after` is the header of the very next commit after `before`, the one that
// left `walFrames` frames in the WAL. Each commit counts itself in the header's change
// counter, starting from the header it found, so a second commit in between would have
// counted twice; the frame count tells this commit's header from a later rewrite.
bool isNextCommit(const WalVersion& before, const WalVersion& after, std::uint32_t walFrames);

}  // namespace platform::sqlitestore
