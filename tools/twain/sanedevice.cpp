#include "sanedevice.h"

#include "pageassembler.h"
#include "sanestatus.h"
#include "scansettings.h"

#include <cmath>
#include <cstring>
#include <sane/saneopts.h>

namespace {
constexpr int readBufferSize = 64 * 1024;

bool isNumber(const SANE_Option_Descriptor *option)
{
    return (option->type == SANE_TYPE_INT || option->type == SANE_TYPE_FIXED)
        && option->size == sizeof(SANE_Word);
}

double toDouble(const SANE_Option_Descriptor *option, SANE_Word word)
{
    return option->type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : double(word);
}

SANE_Word toWord(const SANE_Option_Descriptor *option, double value)
{
    return option->type == SANE_TYPE_FIXED ? SANE_FIX(value) : SANE_Word(std::lround(value));
}

double chosenResolution(const SANE_Option_Descriptor *option)
{
    if (option->constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range *range = option->constraint.range;
        return resolutionFromRange(toDouble(option, range->min), toDouble(option, range->max),
            toDouble(option, range->quant), wantedDpi);
    }
    if (option->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word *list = option->constraint.word_list;
        QList<double> offered;
        for (int i = 1; i <= list[0]; ++i)
            offered.append(toDouble(option, list[i]));
        return resolutionFromList(offered, wantedDpi);
    }
    return wantedDpi;
}
} // namespace

SaneDevice::~SaneDevice()
{
    if (handle) {
        sane_cancel(handle);
        sane_close(handle);
    }
}

bool SaneDevice::open(const QString &device, QString *error)
{
    const SANE_Status status = sane_open(device.toUtf8().constData(), &handle);
    if (status == SANE_STATUS_GOOD)
        return true;
    handle = nullptr;
    *error = QStringLiteral("Skenerja %1 ni mogoce odpreti: %2").arg(device, statusText(status));
    return false;
}

QStringList SaneDevice::sources() const
{
    return stringChoices(SANE_NAME_SCAN_SOURCE);
}

bool SaneDevice::prepare(const QString &source, QString *error)
{
    if (!source.isEmpty() && !setString(SANE_NAME_SCAN_SOURCE, source)) {
        *error = QStringLiteral("Skener ne more izbrati vira %1.").arg(source);
        return false;
    }
    const QString mode = preferredMode(stringChoices(SANE_NAME_SCAN_MODE));
    if (!mode.isEmpty())
        setString(SANE_NAME_SCAN_MODE, mode);
    setDepth();
    for (const char *name :
        {SANE_NAME_SCAN_RESOLUTION, SANE_NAME_SCAN_X_RESOLUTION, SANE_NAME_SCAN_Y_RESOLUTION})
        setResolution(name);
    const double x = resolution(SANE_NAME_SCAN_X_RESOLUTION);
    xDpi = x > 0 ? x : resolution(SANE_NAME_SCAN_RESOLUTION);
    const double y = resolution(SANE_NAME_SCAN_Y_RESOLUTION);
    yDpi = y > 0 ? y : xDpi;
    return true;
}

PageStatus SaneDevice::readPage(RgbPage *page, QString *error)
{
    PageAssembler assembler;
    SANE_Parameters parameters {};
    bool firstFrame = true;
    do {
        SANE_Status status = sane_start(handle);
        if (status == SANE_STATUS_GOOD)
            status = sane_get_parameters(handle, &parameters);
        if (status != SANE_STATUS_GOOD) {
            *error = statusText(status);
            return status == SANE_STATUS_NO_DOCS && firstFrame ? PageStatus::NoMorePages
                                                               : PageStatus::Failed;
        }
        if (!assembler.beginFrame(parameters, error))
            return PageStatus::Failed;
        status = readFrame(&assembler);
        if (status != SANE_STATUS_EOF) {
            *error = statusText(status);
            return PageStatus::Failed;
        }
        if (!assembler.endFrame(error))
            return PageStatus::Failed;
        firstFrame = false;
    } while (!parameters.last_frame);
    *page = assembler.takePage(xDpi, yDpi);
    return PageStatus::Scanned;
}

// The option of this name when the device has it and it is in effect now.
const SANE_Option_Descriptor *SaneDevice::activeOption(const char *name, int *index) const
{
    SANE_Int count = 0;
    if (sane_control_option(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return nullptr;
    for (int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor *option = sane_get_option_descriptor(handle, i);
        if (option && option->name && std::strcmp(option->name, name) == 0
            && SANE_OPTION_IS_ACTIVE(option->cap)) {
            *index = i;
            return option;
        }
    }
    return nullptr;
}

QStringList SaneDevice::stringChoices(const char *name) const
{
    int index = 0;
    const SANE_Option_Descriptor *option = activeOption(name, &index);
    QStringList choices;
    if (!option || option->type != SANE_TYPE_STRING
        || option->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return choices;
    for (const SANE_String_Const *entry = option->constraint.string_list; *entry; ++entry)
        choices.append(QString::fromUtf8(*entry));
    return choices;
}

bool SaneDevice::setString(const char *name, const QString &value)
{
    int index = 0;
    const SANE_Option_Descriptor *option = activeOption(name, &index);
    if (!option || option->type != SANE_TYPE_STRING || !SANE_OPTION_IS_SETTABLE(option->cap))
        return false;
    const QByteArray text = value.toUtf8();
    QByteArray buffer(qMax(option->size, SANE_Int(text.size() + 1)), '\0');
    std::memcpy(buffer.data(), text.constData(), text.size());
    return sane_control_option(handle, index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr)
        == SANE_STATUS_GOOD;
}

void SaneDevice::setDepth()
{
    int index = 0;
    const SANE_Option_Descriptor *option = activeOption(SANE_NAME_BIT_DEPTH, &index);
    if (!option || option->type != SANE_TYPE_INT || !isNumber(option)
        || !SANE_OPTION_IS_SETTABLE(option->cap)
        || option->constraint_type != SANE_CONSTRAINT_WORD_LIST)
        return;
    const SANE_Word *list = option->constraint.word_list;
    for (int i = 1; i <= list[0]; ++i) {
        if (list[i] == 8) {
            SANE_Word depth = 8;
            sane_control_option(handle, index, SANE_ACTION_SET_VALUE, &depth, nullptr);
            return;
        }
    }
}

void SaneDevice::setResolution(const char *name)
{
    int index = 0;
    const SANE_Option_Descriptor *option = activeOption(name, &index);
    if (!option || !isNumber(option) || !SANE_OPTION_IS_SETTABLE(option->cap))
        return;
    SANE_Word value = toWord(option, chosenResolution(option));
    sane_control_option(handle, index, SANE_ACTION_SET_VALUE, &value, nullptr);
}

// The resolution in dots per inch that the option holds now, 0 without such an option.
double SaneDevice::resolution(const char *name) const
{
    int index = 0;
    const SANE_Option_Descriptor *option = activeOption(name, &index);
    SANE_Word value = 0;
    if (!option || !isNumber(option)
        || sane_control_option(handle, index, SANE_ACTION_GET_VALUE, &value, nullptr)
            != SANE_STATUS_GOOD)
        return 0;
    return toDouble(option, value);
}

SANE_Status SaneDevice::readFrame(PageAssembler *assembler)
{
    unsigned char buffer[readBufferSize];
    for (;;) {
        SANE_Int length = 0;
        const SANE_Status status = sane_read(handle, buffer, readBufferSize, &length);
        if (status != SANE_STATUS_GOOD)
            return status;
        assembler->addData(buffer, length);
    }
}
