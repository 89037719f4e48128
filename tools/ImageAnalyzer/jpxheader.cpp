#include "jpxheader.h"

#include <cstdint>
#include <vector>

namespace {
constexpr uint32_t codestreamStart = 0xFF4FFF51; // the SOC marker, then SIZ

uint64_t bigEndian(std::string_view data, size_t at, size_t bytes)
{
    uint64_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<unsigned char>(data[at + i]);
    return value;
}

constexpr uint32_t boxType(const char (&name)[5])
{
    return uint32_t(name[0]) << 24 | uint32_t(name[1]) << 16 | uint32_t(name[2]) << 8
        | uint32_t(name[3]);
}

int depth(char bits)
{
    return (static_cast<unsigned char>(bits) & 0x7F) + 1; // the top bit marks signed samples
}

struct Box
{
    uint32_t type;
    std::string_view contents;
};

// The boxes `data` holds one after the other. A box running past the end is cut there, as only
// the start of the data may have been read.
std::vector<Box> boxes(std::string_view data)
{
    std::vector<Box> found;
    size_t at = 0;
    while (at + 8 <= data.size()) {
        uint64_t length = bigEndian(data, at, 4);
        size_t header = 8;
        if (length == 1 && at + 16 <= data.size()) {
            length = bigEndian(data, at + 8, 8);
            header = 16;
        } else if (length == 0) {
            length = data.size() - at; // the last box, to the end of the file
        }
        if (length < header)
            break;
        const size_t size = length < data.size() - at ? size_t(length) : data.size() - at;
        found.push_back(
            {uint32_t(bigEndian(data, at + 4, 4)), data.substr(at + header, size - header)});
        at += size;
    }
    return found;
}

JpxLayout codestreamLayout(std::string_view data)
{
    // SOC, SIZ, Lsiz, Rsiz, eight 32-bit sizes and offsets, Csiz, then the first component's
    // Ssiz.
    if (data.size() < 43 || bigEndian(data, 0, 4) != codestreamStart)
        return {};
    return {int(bigEndian(data, 40, 2)), depth(data[42])};
}

// What the boxes inside the JP2 header box tell.
struct HeaderFacts
{
    int components = 0;
    int bits = 0;
    int colourChannels = 0; // counted by a channel definition box, 0 without one
    bool palette = false; // components are indices into a palette
};

void readHeaderBox(const Box &box, HeaderFacts *facts)
{
    const std::string_view bytes = box.contents;
    if (box.type == boxType("ihdr") && bytes.size() >= 11) {
        facts->components = int(bigEndian(bytes, 8, 2));
        if (static_cast<unsigned char>(bytes[10]) != 0xFF) // 255: the depths box tells
            facts->bits = depth(bytes[10]);
    } else if (box.type == boxType("bpcc") && !bytes.empty()) {
        facts->bits = depth(bytes[0]);
    } else if (box.type == boxType("cdef") && bytes.size() >= 2) {
        const size_t entries = bigEndian(bytes, 0, 2);
        for (size_t i = 0; i < entries && 2 + 6 * i + 6 <= bytes.size(); ++i) {
            if (bigEndian(bytes, 2 + 6 * i + 2, 2) == 0) // type 0: colour, 1 and 2: opacity
                ++facts->colourChannels;
        }
    } else if (box.type == boxType("pclr")) {
        facts->palette = true;
    }
}

JpxLayout fileLayout(std::string_view data)
{
    HeaderFacts facts;
    JpxLayout codestream;
    for (const Box &box : boxes(data)) {
        if (box.type == boxType("jp2h")) {
            for (const Box &inner : boxes(box.contents))
                readHeaderBox(inner, &facts);
        } else if (box.type == boxType("jp2c")) {
            codestream = codestreamLayout(box.contents);
        }
    }
    if (facts.components == 0)
        return codestream;
    // A channel definition of a palette image counts the palette's colours, not its index.
    const bool opacityMarked = facts.colourChannels > 0 && !facts.palette;
    return {opacityMarked ? facts.colourChannels : facts.components,
        facts.bits > 0 ? facts.bits : codestream.bitsPerComponent};
}
} // namespace

JpxLayout readJpxLayout(std::string_view data)
{
    if (data.size() >= 4 && bigEndian(data, 0, 4) == codestreamStart)
        return codestreamLayout(data);
    return fileLayout(data);
}
