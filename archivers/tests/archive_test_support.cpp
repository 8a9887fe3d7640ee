#include "archive_test_support.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

#include "crc.h"
#include "names.h"

namespace arctest {
namespace {

void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Put64(Bytes& b, uint64_t v) {
    Put32(b, static_cast<uint32_t>(v));
    Put32(b, static_cast<uint32_t>(v >> 32));
}
void PutText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Deflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

}  // namespace

fs::path FixturesDir() {
    const char* dir = std::getenv("ZELVISTA_FIXTURES");
    if (!dir || !*dir) {
        ADD_FAILURE() << "ZELVISTA_FIXTURES is not set (run tests/fixtures/make_archives.sh)";
        return {};
    }
    return dir;
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

void WriteBytes(const fs::path& path, const Bytes& data) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

fs::path ExpectedFile(const std::string& archive, const std::string& memberPath) {
    std::string wanted = Lower(memberPath);
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (arc::IsLeadByte(static_cast<unsigned char>(wanted[i]))) ++i;
        else if (wanted[i] == '\\') wanted[i] = '/';
    }
    const fs::path root = FixturesDir() / "expected" / archive;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file() && Lower(fs::relative(e.path(), root).generic_string()) == wanted) return e.path();
    return {};
}

std::vector<std::string> FilesUnder(const fs::path& root) {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (!e.is_directory()) out.push_back(fs::relative(e.path(), root).generic_string());
    std::sort(out.begin(), out.end());
    return out;
}

TempDir::TempDir() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("arctest-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

Bytes MakeZip(const std::vector<ZipEntry>& entries) {
    Bytes out, central;
    for (const ZipEntry& e : entries) {
        const std::string packed = e.deflate ? Deflate(e.data) : e.data;
        const uint32_t crc = static_cast<uint32_t>(
            arc::UpdateCrc32(0, reinterpret_cast<const uint8_t*>(e.data.data()), e.data.size()) + e.crcDelta);
        const uint64_t size = e.declaredSize == UINT64_MAX ? e.data.size() : e.declaredSize;
        const uint16_t flags = static_cast<uint16_t>(e.flags | (e.descriptor ? 8 : 0));
        const uint16_t method = e.deflate ? 8 : 0;
        const uint64_t offset = out.size();
        Bytes extra;
        if (e.zip64) {
            Put16(extra, 1);
            Put16(extra, 24);
            Put64(extra, size);
            Put64(extra, packed.size());
            Put64(extra, offset);
        }
        extra.insert(extra.end(), e.extra.begin(), e.extra.end());
        auto header = [&](Bytes& b, bool isCentral) {
            Put32(b, isCentral ? 0x02014b50 : 0x04034b50);
            if (isCentral) Put16(b, 20);
            Put16(b, e.zip64 ? 45 : 20);
            Put16(b, flags);
            Put16(b, method);
            Put32(b, 0x5A8A2378);  // a fixed date and time
            const bool zeros = e.descriptor && !isCentral;
            Put32(b, zeros ? 0 : crc);
            Put32(b, zeros ? 0 : e.zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(packed.size()));
            Put32(b, zeros ? 0 : e.zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(size));
            Put16(b, static_cast<uint32_t>(e.name.size()));
            Put16(b, static_cast<uint32_t>(extra.size()));
            if (isCentral) {
                Put16(b, 0);
                Put16(b, 0);
                Put16(b, 0);
                Put32(b, 0x20);
                Put32(b, e.zip64 ? 0xFFFFFFFFu : static_cast<uint32_t>(offset));
            }
            PutText(b, e.name);
            b.insert(b.end(), extra.begin(), extra.end());
        };
        header(out, false);
        PutText(out, packed);
        if (e.descriptor) {
            Put32(out, 0x08074b50);
            Put32(out, crc);
            Put32(out, static_cast<uint32_t>(packed.size()));
            Put32(out, static_cast<uint32_t>(size));
        }
        header(central, true);
    }
    const uint64_t cdOffset = out.size();
    out.insert(out.end(), central.begin(), central.end());
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(entries.size()));
    Put16(out, static_cast<uint32_t>(entries.size()));
    Put32(out, static_cast<uint32_t>(central.size()));
    Put32(out, static_cast<uint32_t>(cdOffset));
    Put16(out, 0);
    return out;
}

Bytes MakeLzh(const std::vector<LzhEntry>& entries) {
    Bytes out;
    for (const LzhEntry& e : entries) {
        const uint16_t crc = static_cast<uint16_t>(
            arc::UpdateCrc16(0, reinterpret_cast<const uint8_t*>(e.data.data()), e.data.size()) + e.crcDelta);
        const uint32_t size = static_cast<uint32_t>(e.declaredSize == UINT64_MAX ? e.data.size() : e.declaredSize);
        Bytes folderExt;
        if (!e.folder.empty()) {
            std::string f = e.folder;
            for (char& c : f)
                if (c == '\\') c = static_cast<char>(0xFF);
            Put16(folderExt, static_cast<uint32_t>(f.size() + 3));
            folderExt.push_back(0x02);
            PutText(folderExt, f);
        }
        for (const std::string& x : e.extraHeaders) {
            Put16(folderExt, static_cast<uint32_t>(x.size() + 2));
            PutText(folderExt, x);
        }
        const std::string& stored = e.packed.empty() ? e.data : e.packed;
        if (e.level == 2) {
            Bytes h;
            Bytes ext;  // name header, then the folder header, then the terminating 0 size
            Put16(ext, static_cast<uint32_t>(e.name.size() + 3));
            ext.push_back(0x01);
            PutText(ext, e.name);
            ext.insert(ext.end(), folderExt.begin(), folderExt.end());
            Put16(ext, 0);
            // `ext` begins with the first size, which lives in the base header.
            const uint32_t total = 24 + static_cast<uint32_t>(ext.size());
            Put16(h, static_cast<uint32_t>(static_cast<int>(total) + e.headerSizeDelta));
            PutText(h, e.method);
            Put32(h, static_cast<uint32_t>(stored.size()));
            Put32(h, size);
            Put32(h, 0x5A8A2378);
            h.push_back(0x20);
            h.push_back(2);
            Put16(h, crc);
            h.push_back(static_cast<uint8_t>(e.osId));
            h.insert(h.end(), ext.begin(), ext.end());
            out.insert(out.end(), h.begin(), h.end());
        } else {
            Bytes h;
            const bool one = e.level == 1;
            Bytes ext = folderExt;
            if (one) Put16(ext, 0);
            const uint32_t packed = static_cast<uint32_t>(stored.size() + (one ? ext.size() - 2 : 0));
            h.push_back(0);  // size, set below
            h.push_back(0);  // checksum, set below
            PutText(h, e.method);
            Put32(h, packed);
            Put32(h, size);
            Put32(h, 0x5A8A2378);
            h.push_back(0x20);
            h.push_back(static_cast<uint8_t>(e.level));
            h.push_back(static_cast<uint8_t>(e.name.size()));
            PutText(h, e.name);
            Put16(h, crc);
            if (one) {
                h.push_back(static_cast<uint8_t>(e.osId));
                // The first extended header's size closes the base header.
                h.push_back(ext[0]);
                h.push_back(ext[1]);
                ext.erase(ext.begin(), ext.begin() + 2);
            }
            h[0] = static_cast<uint8_t>(h.size() - 2);
            uint8_t sum = 0;
            for (size_t i = 2; i < h.size(); ++i) sum = static_cast<uint8_t>(sum + h[i]);
            h[1] = sum;
            out.insert(out.end(), h.begin(), h.end());
            if (one) out.insert(out.end(), ext.begin(), ext.end());
        }
        PutText(out, stored);
    }
    out.push_back(0);
    return out;
}

Opened OpenBytes(Bytes bytes, ArchiveOpener open) {
    Opened o;
    o.bytes = std::move(bytes);
    o.source = std::make_unique<arc::MemorySource>(o.bytes.data(), o.bytes.size());
    o.status = open(*o.source, o.archive);
    return o;
}

}  // namespace arctest
