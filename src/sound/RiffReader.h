#pragma once

#include <QFile>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace velmora {

// A chunk identifier or form type of a RIFF file, e.g. "WAVE", "fmt ", "data".
using FourCC = std::array<char, 4>;

constexpr FourCC MakeFourCC(const char (&text)[5]) {
    return {text[0], text[1], text[2], text[3]};
}

// One chunk as its header declares it.
struct RiffChunk {
    FourCC id{};
    FourCC formType{};      // only for the "RIFF" chunk
    std::uint32_t size = 0; // declared size of the content, without the pad byte
    qint64 dataOffset = 0;  // file position of the content (for "RIFF", of its form type)

    qint64 End() const { return dataOffset + size; }
};

// Reads a RIFF file chunk by chunk. It walks from one chunk header to the
// next and never searches the bytes, so an identifier inside a chunk's
// content is never mistaken for a chunk.
class RiffReader {
public:
    // Opens a regular file for reading; anything else fails.
    bool Open(const QString& path);

    // Finds, from the current position, the top-level "RIFF" chunk of the
    // given form type and moves to the first subchunk inside it.
    std::optional<RiffChunk> DescendRiff(FourCC formType);
    // Finds, from the current position onwards inside `parent`, the next
    // chunk with the given identifier and moves to its content.
    std::optional<RiffChunk> Descend(FourCC id, const RiffChunk& parent);
    // Moves past the chunk's content and its pad byte (odd sizes are padded to even).
    bool Ascend(const RiffChunk& chunk);

    // How many of the chunk's content bytes from the current position the
    // file really holds: less than declared when the file is cut short.
    qint64 BytesLeftIn(const RiffChunk& chunk) const;
    // Reads up to `count` bytes; the number read, or -1 on failure.
    qint64 Read(char* into, qint64 count);

private:
    // Reads the chunk header at the current position; empty at the end of the file.
    std::optional<RiffChunk> ReadHeader();

    QFile file_;
};

} // namespace velmora
