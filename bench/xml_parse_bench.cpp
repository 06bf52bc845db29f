// Parsing and walking a 1 MB and a 10 MB document with XmlDoc, and the same with pugixml for
// scale. The target is XmlDoc's parse within three times pugixml's.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <string>

#include "files/xml_doc.h"
#include "files/xml_encoding.h"
#include "tessel/platform/text.h"

namespace {

// A profile-like document: groups of items with several attributes, some with references.
std::string MakeDocument(std::size_t bytes) {
    std::string doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile version=\"1\">\r\n";
    int group = 0;
    while (doc.size() < bytes) {
        doc += "<keyitems group=\"" + std::to_string(group++) + "\">\r\n";
        for (int i = 0; i < 20; ++i) {
            doc += "<item key_code=\"" + std::to_string(i) +
                   "\" macro_type=\"2\" macro_value=\"4\" macro_value2=\"0\" macro_value3=\"0\" "
                   "macro_desc=\"Ctrl &amp; Shift + \xE9\x85\x8D\"/>\r\n";
        }
        doc += "<!-- group end --></keyitems>\r\n";
    }
    doc += "</profile>\r\n";
    return doc;
}

const std::string& Document(int megabytes) {
    static const std::string one = MakeDocument(1u << 20);
    static const std::string ten = MakeDocument(10u << 20);
    return megabytes == 1 ? one : ten;
}

std::size_t WalkXmlDoc(pellora::XmlDoc& doc) {
    std::size_t visited = 0;
    doc.ResetPos();
    int depth = 0;
    while (true) {
        if (doc.FindNextElement()) {
            ++visited;
            visited += doc.VisitAttributes([](std::wstring_view, const std::wstring& value) {
                benchmark::DoNotOptimize(value.data());
            });
            doc.EnterElement();
            ++depth;
            continue;
        }
        if (depth == 0) {
            return visited;
        }
        doc.LeaveElement();
        --depth;
    }
}

std::size_t WalkPugi(const pugi::xml_node& root) {
    std::size_t visited = 0;
    for (pugi::xml_node node = root.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element) {
            continue;
        }
        ++visited;
        for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
            benchmark::DoNotOptimize(a.value());
            ++visited;
        }
        visited += WalkPugi(node);
    }
    return visited;
}

// Bytes to index, as LoadFile does after reading the file.
void BM_XmlDocParse(benchmark::State& state) {
    const std::string& bytes = Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::wstring result;
        pellora::DecodedFile decoded = pellora::DecodeXmlBytes(bytes, result);
        pellora::XmlDoc doc;
        benchmark::DoNotOptimize(doc.SetText(std::move(decoded.text)));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_XmlDocParse)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_PugiParse(benchmark::State& state) {
    const std::string& bytes = Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_buffer(bytes.data(), bytes.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_PugiParse)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_XmlDocParseAndWalk(benchmark::State& state) {
    const std::string& bytes = Document(static_cast<int>(state.range(0)));
    std::size_t visited = 0;
    for (auto _ : state) {
        std::wstring result;
        pellora::DecodedFile decoded = pellora::DecodeXmlBytes(bytes, result);
        pellora::XmlDoc doc;
        doc.SetText(std::move(decoded.text));
        visited = WalkXmlDoc(doc);
    }
    state.counters["nodes"] = static_cast<double>(visited);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_XmlDocParseAndWalk)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_PugiParseAndWalk(benchmark::State& state) {
    const std::string& bytes = Document(static_cast<int>(state.range(0)));
    std::size_t visited = 0;
    for (auto _ : state) {
        pugi::xml_document doc;
        doc.load_buffer(bytes.data(), bytes.size());
        visited = WalkPugi(doc);
    }
    state.counters["nodes"] = static_cast<double>(visited);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_PugiParseAndWalk)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
