#pragma once

#include <QFile>
#include <QString>
#include <qpdf/InputSource.hh>
#include <string>
#include <string_view>
#include <vector>

// An input that reads a file through a buffer of its own. qpdf's own file input reads through
// stdio, which asks the system at nearly every seek and tell, and qpdf seeks several times for
// each object it reads; here a seek inside the buffer costs nothing, and only a read outside it
// goes to the system. The file is read, never mapped, so a file that shrinks while it is read
// is an error (an exception) and never a signal: it throws std::runtime_error, and failure()
// keeps the message, for whoever must know although qpdf caught it.
class BufferedFileInput : public InputSource
{
public:
    // Opens the file at `path`; throws std::runtime_error with the system's reason when it
    // cannot. With `closeBetweenReads` the file is open only while a read needs it (unless
    // stayOpen()), so that a program can read more files than the system lets it keep open.
    explicit BufferedFileInput(const QString &path, bool closeBetweenReads = false);

    qpdf_offset_t findAndSkipNextEOL() override;
    std::string const &getName() const override { return name; }
    qpdf_offset_t tell() override { return position; }
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override { position = 0; }
    size_t read(char *buffer, size_t length) override;
    void unreadCh(char ch) override;

    // The size the file had when it was opened.
    qpdf_offset_t fileSize() const { return size; }
    // The bytes from `offset` on, `length` of them or fewer at the end of the file, valid until
    // the next call; does not move the input's position.
    std::string_view bytesAt(qpdf_offset_t offset, size_t length);
    // Keeps a file that is closed between reads open until stayOpen(false).
    void stayOpen(bool open);
    // The message of the first read that failed; empty when none did.
    const QString &failure() const { return failed; }

private:
    // Makes the buffer hold `offset`; false at the end of the file.
    bool bufferAt(qpdf_offset_t offset);
    // Reads `count` bytes at `offset` into `target`, throwing when the file ends before them.
    void readExactly(qpdf_offset_t offset, char *target, qint64 count);
    void openFile();
    [[noreturn]] void fail(const QString &message);
    [[noreturn]] void failSystem(const QString &what);

    QFile file;
    std::string name;
    qpdf_offset_t size;
    qpdf_offset_t position = 0;
    std::vector<char> block;
    qpdf_offset_t blockStart = 0;
    qpdf_offset_t blockLength = 0;
    std::string window; // of bytesAt()
    qpdf_offset_t windowStart = 0;
    bool closeBetweenReads;
    bool keptOpen = false;
    QString failed;
};
