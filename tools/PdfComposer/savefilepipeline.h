#pragma once

#include <QtGlobal>
#include <qpdf/Pipeline.hh>

class QSaveFile;

// The end of qpdf's writing pipeline: the bytes go into a QSaveFile, which the caller commits
// only when the whole document was written. A failed write stops the writing at once.
class SaveFilePipeline : public Pipeline
{
public:
    explicit SaveFilePipeline(QSaveFile &file);

    void write(unsigned char const *data, size_t length) override;
    void finish() override;

private:
    void startWriteback();
    [[noreturn]] void fail();

    QSaveFile &file;
    qint64 written = 0;
    qint64 handedOver = 0; // bytes whose writing to the disk has been started
};
