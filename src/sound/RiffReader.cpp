#include "sound/RiffReader.h"

#include <QtEndian>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr qint64 HeaderSize = 8;
constexpr FourCC RiffId = MakeFourCC("RIFF");

} // namespace

bool RiffReader::Open(const QString& path) {
    // Opening a named pipe or a device may wait for ever: O_NONBLOCK returns at
    // once, and only a regular file is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file_.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

std::optional<RiffChunk> RiffReader::ReadHeader() {
    char header[HeaderSize];
    const qint64 start = file_.pos();
    if (file_.read(header, HeaderSize) != HeaderSize)
        return std::nullopt;
    RiffChunk chunk;
    std::copy_n(header, 4, chunk.id.begin());
    chunk.size = qFromLittleEndian<quint32>(header + 4);
    chunk.dataOffset = start + HeaderSize;
    return chunk;
}

std::optional<RiffChunk> RiffReader::DescendRiff(FourCC formType) {
    while (std::optional<RiffChunk> chunk = ReadHeader()) {
        if (chunk->id == RiffId && chunk->size >= 4 && file_.read(chunk->formType.data(), 4) == 4 &&
            chunk->formType == formType)
            return chunk;
        if (!Ascend(*chunk))
            break;
    }
    return std::nullopt;
}

std::optional<RiffChunk> RiffReader::Descend(FourCC id, const RiffChunk& parent) {
    while (file_.pos() + HeaderSize <= parent.End()) {
        std::optional<RiffChunk> chunk = ReadHeader();
        if (!chunk)
            break;
        if (chunk->id == id)
            return chunk;
        if (!Ascend(*chunk))
            break;
    }
    return std::nullopt;
}

bool RiffReader::Ascend(const RiffChunk& chunk) {
    const qint64 end = chunk.End() + (chunk.size & 1);
    return end <= file_.size() && file_.seek(end);
}

qint64 RiffReader::BytesLeftIn(const RiffChunk& chunk) const {
    const qint64 inFile = file_.size() - file_.pos();
    const qint64 inChunk = chunk.End() - file_.pos();
    return std::max<qint64>(0, std::min(inFile, inChunk));
}

qint64 RiffReader::Read(char* into, qint64 count) {
    return file_.read(into, count);
}

} // namespace velmora
