#include "prefixpipeline.h"

#include <algorithm>
#include <stdexcept>

PrefixPipeline::PrefixPipeline(size_t size)
    : Pipeline("prefix", nullptr)
    , size(size)
{ }

void PrefixPipeline::write(unsigned char const *data, size_t length)
{
    bytes.append(reinterpret_cast<const char *>(data), std::min(length, size - bytes.size()));
    // Stops qpdf's reading once the prefix is complete, so a large image is not read whole.
    if (bytes.size() == size)
        throw std::length_error("prefix complete");
}

std::string PrefixPipeline::read(QPDFObjectHandle stream, size_t size)
{
    PrefixPipeline prefix(size);
    if (size == 0 || !stream.isStream())
        return {};
    try {
        // qpdf catches the stop itself and reports the reading as failed, quietly when asked.
        stream.pipeStreamData(&prefix, 0, qpdf_dl_none, true);
    } catch (const std::length_error &) {
        // Should a qpdf version pass the stop on, it still only ends the reading.
    }
    return prefix.bytes;
}
