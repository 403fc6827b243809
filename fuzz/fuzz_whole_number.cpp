// ReadWholeNumber (FONTSIZE values in project files) against a slow reference of the rules.

#include "calc/number_reader.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

std::string Shown(const std::optional<std::int32_t>& value)
{
    return value ? std::to_string(*value) : std::string("refused");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> actual = calc::ReadWholeNumber(text);
    const std::optional<std::int32_t> expected = fuzz::ReferenceWholeNumber(text);
    if (actual != expected)
        fuzz::Fail("ReadWholeNumber(" + fuzz::Escaped(text) + ") gave " + Shown(actual) +
                   ", expected " + Shown(expected));
    return 0;
}
