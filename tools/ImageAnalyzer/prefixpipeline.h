#pragma once

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <string>

// The end of a qpdf pipeline that keeps the first bytes of a stream and then stops the reading,
// for a header at the start of a large image.
class PrefixPipeline : public Pipeline
{
public:
    explicit PrefixPipeline(size_t size);

    void write(unsigned char const *data, size_t length) override;
    void finish() override { }

    // The first `size` bytes of the stream's data as it is stored (decrypted, not decoded);
    // fewer when the stream is shorter or cannot be read.
    static std::string read(QPDFObjectHandle stream, size_t size);

private:
    size_t size;
    std::string bytes;
};
