#pragma once

#include <QFile>
#include <QString>
#include <qpdf/InputSource.hh>
#include <string>
#include <vector>

// An input that reads a file through a buffer of its own. qpdf's own file input reads through
// stdio, which asks the system at nearly every seek and tell, and qpdf seeks several times for
// each object it reads; here a seek inside the buffer costs nothing, and only a read outside it
// goes to the system.
class BufferedFileInput : public InputSource
{
public:
    // Opens the file at `path`; throws std::runtime_error with the system's reason when it
    // cannot.
    explicit BufferedFileInput(const QString &path);

    qpdf_offset_t findAndSkipNextEOL() override;
    std::string const &getName() const override { return name; }
    qpdf_offset_t tell() override { return position; }
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override { position = 0; }
    size_t read(char *buffer, size_t length) override;
    void unreadCh(char ch) override;

private:
    // Makes the buffer hold `offset`; false at the end of the file.
    bool bufferAt(qpdf_offset_t offset);
    [[noreturn]] void fail(const QString &what) const;

    QFile file;
    std::string name;
    qpdf_offset_t size;
    qpdf_offset_t position = 0;
    std::vector<char> block;
    qpdf_offset_t blockStart = 0;
    qpdf_offset_t blockLength = 0;
};
