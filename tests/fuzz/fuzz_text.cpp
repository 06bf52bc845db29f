// Text conversion must take any bytes without crashing and keep valid text intact.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tessel/platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring wide = DUI::Utf8ToWide(bytes);
    const std::string again = DUI::WideToUtf8(wide);
    if (!DUI::IsValidUtf8(again))
        std::abort();
    if (DUI::IsValidUtf8(bytes) && again != bytes)
        std::abort();
    for (auto order : {DUI::ByteOrder::Little, DUI::ByteOrder::Big}) {
        const std::wstring from16 = DUI::Utf16BytesToWide(bytes, order);
        if (DUI::Utf16BytesToWide(DUI::WideToUtf16Bytes(from16, order), order) != from16) {
            std::abort();
        }
    }
    (void)DUI::WToI(wide);
    return 0;
}
