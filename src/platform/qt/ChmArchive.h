#pragma once
// A compiled HTML Help file (.chm) opened for reading through chmlib: its objects (topics,
// pictures, style sheets, the contents file) and its context map.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct chmFile;

namespace platform {

class ChmArchive {
public:
    // Null when `path` is missing or is not a readable compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::string& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // `path` is the object's name inside the file, starting with '/'; letter case is ignored.
    bool contains(const std::string& path) const;
    // The whole object, or nothing when it is missing, unreadable or implausibly large.
    std::optional<std::string> read(const std::string& path) const;
    // Whether the file lists the object but cannot give it: a sign of damage.
    bool unreadable(const std::string& path) const { return contains(path) && !read(path); }

    // The topic a help context number opens (see ChmContextMap.h).
    std::optional<std::string> topicOfContext(std::uint32_t contextId) const;

    // From the file's #SYSTEM header: the contents file and the start topic (both "/name"
    // or empty), and the Windows locale of its texts (0 when it names none).
    const std::string& contentsFile() const { return contentsFile_; }
    const std::string& defaultTopic() const { return defaultTopic_; }
    std::uint32_t locale() const { return locale_; }

private:
    explicit ChmArchive(chmFile* file);
    void readSystemHeader();

    chmFile* file_;
    std::string contentsFile_;
    std::string defaultTopic_;
    std::uint32_t locale_ = 0;
};

}  // namespace platform
