// XML reading and editing must take any bytes without crashing or hanging, and edits must keep
// the element index in step with the text: walking the edited document gives what parsing its
// text afresh gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "files/xml_doc.h"
#include "files/xml_encoding.h"
#include "tessel/platform/text.h"

namespace {

constexpr std::size_t kScriptLength = 16;
constexpr std::size_t kMaxInput = 1 << 20;

std::vector<std::wstring> Walk(pellora::XmlDoc& doc) {
    std::vector<std::wstring> seen;
    doc.ResetPos();
    int depth = 0;
    while (true) {
        if (doc.FindNextElement()) {
            std::wstring line = std::to_wstring(depth) + L" " + doc.GetTagName();
            doc.VisitAttributes([&](std::wstring_view name, const std::wstring& value) {
                line += L" ";
                line += name;
                line += L"=";
                line += value;
            });
            seen.push_back(std::move(line));
            doc.EnterElement();
            ++depth;
            continue;
        }
        if (depth == 0) {
            break;
        }
        doc.LeaveElement();
        --depth;
    }
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view script = bytes.substr(0, std::min(size, kScriptLength));
    const std::string_view body = bytes.substr(script.size());

    if (pellora::DecodeUtf8Text(body) != DUI::Utf8ToWide(body)) {
        std::abort();
    }
    std::wstring result;
    const pellora::DecodedFile decoded = pellora::DecodeXmlBytes(body, result);
    pellora::XmlDoc doc;
    const bool well_formed = doc.SetText(decoded.text);
    (void)Walk(doc);

    static const wchar_t* const kNames[] = {L"mouse", L"key", L"a", L"item"};
    static const wchar_t* const kValues[] = {L"", L"1", L"<&\"'>", L"\u914D\u7F6E"};
    doc.ResetPos();
    for (const char c : script) {
        const auto b = static_cast<unsigned char>(c);
        switch (b % 6) {
            case 0:
                doc.FindNextElement();
                break;
            case 1:
                doc.EnterElement();
                break;
            case 2:
                doc.LeaveElement();
                break;
            case 3:
                doc.AppendElement(kNames[(b >> 3) % 4]);
                break;
            case 4:
                doc.SetAttribute(kNames[(b >> 3) % 4], kValues[(b >> 5) % 4]);
                break;
            default:
                doc.FindNext(kNames[(b >> 3) % 4]);
                break;
        }
    }
    if (well_formed) {
        const std::vector<std::wstring> edited = Walk(doc);
        pellora::XmlDoc again;
        again.SetText(doc.GetDoc());
        if (Walk(again) != edited) {
            std::abort();
        }
    }
    std::wstring saved_result;
    (void)pellora::EncodeXmlText(doc.GetDoc(), decoded.mark, saved_result);
    return 0;
}
