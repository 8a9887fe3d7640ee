// The common view of an archive: its members and the extraction of one of them.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "byte_io.h"

namespace arc {

enum class Status {
    Ok,
    NotArchive,   // the input is not an archive of this kind
    Corrupt,      // damaged headers or compressed data
    Truncated,    // the data ends early
    BadCrc,       // the data decodes but its checksum differs
    SizeMismatch, // the data decodes to more or fewer bytes than declared
    Unsupported,  // method or feature this reader does not handle
    WriteFailed,  // the sink refused the data
    BadName,      // the member has no name that can be written safely
    InCabinetSet, // the member continues in another cabinet of a set
    TooLarge,     // the declared size is beyond what the packed data can hold (size guard)
};

const char* StatusText(Status status);

struct Member {
    std::string path;      // path inside the archive, '\' separated, code page 932 bytes as stored
    uint64_t size = 0;     // declared original size
    uint64_t packed = 0;   // size of the stored (compressed) data
    uint32_t crc = 0;      // CRC-16 (LZH) or CRC-32 (ZIP) as declared
    uint32_t dosDateTime = 0;  // date in the high word, time in the low word
    uint8_t attributes = 0;
    bool directory = false;
    // The stored name has no form in the caller's code page: the member is
    // listed with an empty name (so the caller can say it is there) and never
    // extracted by name.
    bool nameUnusable = false;
    std::string method;    // "-lh5-", "deflate", ...
    // Where the reader finds the data; meaning is the reader's own.
    uint64_t dataOffset = 0;
    uint32_t flags = 0;
};

class Archive {
public:
    virtual ~Archive() = default;
    const std::vector<Member>& Members() const { return members_; }
    // Decodes member `index` into `out`, verifying size and checksum.
    virtual Status Extract(size_t index, Sink& out) = 0;

protected:
    explicit Archive(Source& source) : source_(source) {}
    Source& source_;
    std::vector<Member> members_;
};

// Each opener returns Ok and an archive, or the reason why not. An archive that
// is readable up to a damaged or truncated header returns that status and no archive.
Status OpenLzh(Source& source, std::unique_ptr<Archive>& archive);
Status OpenZip(Source& source, std::unique_ptr<Archive>& archive);

// Rewrites a member name stored as UTF-8 into the caller's code page in place;
// false, leaving the name as it was, when it has no form there.
using Utf8NameDecoder = bool (*)(std::string& name);
// OpenZip, with the names flagged as UTF-8 passed through `decode`: a name it
// refuses makes its member's name unusable. OpenZip leaves such names as UTF-8.
Status OpenZipDecodingUtf8(Source& source, std::unique_ptr<Archive>& archive, Utf8NameDecoder decode);

}  // namespace arc
