// Any bytes at all: QuantityValue must read them exactly as the plain reference does.
#include "ReferenceQuantity.h"
#include "Totals.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int32_t got = QuantityValue(text);
    const std::int32_t want = reference::QuantityValue(text);
    if (got != want)
    {
        std::fprintf(stderr, "mismatch: QuantityValue gives %ld, the reference %ld\n", static_cast<long>(got),
                     static_cast<long>(want));
        std::abort();
    }
    return 0;
}
