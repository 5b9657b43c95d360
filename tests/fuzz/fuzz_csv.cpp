#include "fuzzstatements.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzOneInput(checkCsvStatement, data, size);
}
