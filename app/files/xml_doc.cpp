#include "files/xml_doc.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "files/xml_entities.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

// Parse diagnostics beyond this many are dropped: a damaged file must not grow the result text
// without bound.
constexpr int kMaxParseRecords = 64;
constexpr std::uint32_t kFirstBlockCapacity = 64;

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
}

bool EndsName(wchar_t c) {
    switch (c) {
        case L' ':
        case L'\t':
        case L'\n':
        case L'\r':
        case L'<':
        case L'>':
        case L'=':
        case L'\\':
        case L'/':
        case L'?':
        case L'!':
        case L'"':
        case L'\'':
        case L';':
            return true;
        default:
            return false;
    }
}

bool IsValidName(std::wstring_view name) {
    if (name.empty()) {
        return false;
    }
    for (wchar_t c : name) {
        if (EndsName(c) || c == L'&' || c == L'\0') {
            return false;
        }
    }
    return true;
}

std::filesystem::path WidePath(const std::wstring& path) {
    return std::filesystem::path(DUI::WideToUtf8(path));
}

std::wstring ErrorText(int error) {
    return DUI::Utf8ToWide(std::strerror(error));
}

}  // namespace

XmlDoc::XmlDoc() {
    ClearIndex();
}

XmlDoc::~XmlDoc() = default;

void XmlDoc::ClearIndex() {
    blocks_.clear();
    blocks_.push_back(std::make_unique<ElemPos[]>(kFirstBlockCapacity));
    block_capacity_ = kFirstBlockCapacity;
    count_ = 0;
    parent_pos_ = pos_ = child_pos_ = 0;
}

std::uint32_t XmlDoc::NewElem() {
    const std::uint32_t id = count_ + 1;
    const std::uint32_t slot = id & (kBlockSize - 1);
    if (slot == 0) {
        blocks_.push_back(std::make_unique<ElemPos[]>(kBlockSize));
        block_capacity_ = kBlockSize;
    } else if (slot >= block_capacity_) {
        // The last block grows by half until it holds a full block.
        const std::uint32_t grown =
            std::min<std::uint32_t>(kBlockSize, block_capacity_ + block_capacity_ / 2);
        auto bigger = std::make_unique<ElemPos[]>(grown);
        std::copy(blocks_.back().get(), blocks_.back().get() + block_capacity_, bigger.get());
        blocks_.back() = std::move(bigger);
        block_capacity_ = grown;
    }
    count_ = id;
    Elem(id) = ElemPos{};
    return id;
}

void XmlDoc::LinkAsLastChild(std::uint32_t parent, std::uint32_t id) {
    ElemPos& p = Elem(parent);
    ElemPos& e = Elem(id);
    e.parent = parent;
    e.next = 0;
    if (p.child == 0) {
        p.child = id;
        e.flags |= kFirstChild;
        e.prev = id;
        return;
    }
    ElemPos& first = Elem(p.child);
    const std::uint32_t last = first.prev;
    Elem(last).next = id;
    e.prev = last;
    first.prev = id;
}

void XmlDoc::AddResult(std::wstring_view name,
                       std::initializer_list<std::pair<const wchar_t*, std::wstring>> attributes) {
    AppendDiagnostic(result_, name, attributes);
}

bool XmlDoc::Parse() {
    ClearIndex();
    Elem(0) = ElemPos{};
    const std::wstring& d = doc_;
    const std::size_t n = d.size();
    bool error = false;
    int records = 0;
    const auto record = [&](const wchar_t* name, std::size_t offset, std::wstring_view tag = {}) {
        error = true;
        if (records++ >= kMaxParseRecords) {
            return;
        }
        if (tag.empty()) {
            AddResult(name, {{L"offset", std::to_wstring(offset)}});
        } else {
            AddResult(name,
                      {{L"tagname", std::wstring(tag)}, {L"offset", std::to_wstring(offset)}});
        }
    };
    const auto starts = [&](std::size_t at, std::wstring_view prefix) {
        return d.compare(at, prefix.size(), prefix) == 0;
    };
    const auto scan_name = [&](std::size_t at) {
        while (at < n && !EndsName(d[at])) {
            ++at;
        }
        return at;
    };
    const auto close_unended = [&](std::uint32_t id, std::size_t end) {
        ElemPos& e = Elem(id);
        e.flags |= kNotEnded;
        e.length = end - e.start;
        e.end_tag_length = 0;
        record(L"unended_start_tag", e.start, TagNameOf(id));
    };

    std::vector<std::uint32_t> open;
    std::size_t i = 0;
    while (true) {
        const std::size_t lt = d.find(L'<', i);
        if (lt == std::wstring::npos) {
            break;
        }
        const wchar_t kind = lt + 1 < n ? d[lt + 1] : L'\0';
        if (kind == L'!' || kind == L'?') {
            if (starts(lt, L"<!--")) {
                const std::size_t end = d.find(L"-->", lt + 4);
                if (end == std::wstring::npos) {
                    record(L"comment_tag_syntax", lt);
                    break;
                }
                i = end + 3;
                continue;
            }
            if (starts(lt, L"<![CDATA[")) {
                const std::size_t end = d.find(L"]]>", lt + 9);
                if (end == std::wstring::npos) {
                    record(L"cdata_section_syntax", lt);
                    break;
                }
                i = end + 3;
                continue;
            }
            if (starts(lt, L"<!DOCTYPE")) {
                // The internal subset in brackets may hold '>' of its own declarations.
                std::size_t j = lt + 9;
                int depth = 0;
                wchar_t quote = 0;
                for (; j < n; ++j) {
                    const wchar_t c = d[j];
                    if (quote != 0) {
                        if (c == quote) {
                            quote = 0;
                        }
                    } else if (c == L'"' || c == L'\'') {
                        quote = c;
                    } else if (c == L'[') {
                        ++depth;
                    } else if (c == L']') {
                        depth = depth > 0 ? depth - 1 : 0;
                    } else if (c == L'>' && depth == 0) {
                        break;
                    }
                }
                if (j >= n) {
                    record(L"doctype_tag_syntax", lt);
                    break;
                }
                i = j + 1;
                continue;
            }
            if (starts(lt, L"<!")) {
                const std::size_t end = d.find(L'>', lt + 2);
                if (end == std::wstring::npos) {
                    record(L"exclamation_tag_syntax", lt);
                    break;
                }
                i = end + 1;
                continue;
            }
            if (starts(lt, L"<?")) {
                const std::size_t end = d.find(L"?>", lt + 2);
                if (end == std::wstring::npos) {
                    record(L"unterminated_tag_syntax", lt);
                    break;
                }
                i = end + 2;
                continue;
            }
        }
        if (kind == L'/') {
            const std::size_t name_end = scan_name(lt + 2);
            const std::size_t gt = d.find_first_of(L"<>", name_end);
            if (gt == std::wstring::npos || d[gt] == L'<') {
                record(L"unterminated_tag_syntax", lt);
                if (gt == std::wstring::npos) {
                    break;
                }
                i = gt;
                continue;
            }
            const std::wstring_view name(d.data() + lt + 2, name_end - lt - 2);
            std::size_t k = open.size();
            while (k > 0 && TagNameOf(open[k - 1]) != name) {
                --k;
            }
            if (k == 0) {
                record(L"lone_end_tag", lt, name);
            } else {
                for (std::size_t m = open.size(); m > k; --m) {
                    close_unended(open[m - 1], lt);
                }
                ElemPos& e = Elem(open[k - 1]);
                e.length = gt + 1 - e.start;
                e.end_tag_length = static_cast<std::uint32_t>(gt + 1 - lt);
                open.resize(k - 1);
            }
            i = gt + 1;
            continue;
        }
        const std::size_t name_end = scan_name(lt + 1);
        if (name_end == lt + 1) {
            record(L"first_tag_syntax", lt);
            i = lt + 1;
            continue;
        }
        // The rest of the start tag: attribute values may hold '>' inside their quotes.
        std::size_t j = name_end;
        bool cut = false;
        while (j < n && d[j] != L'>') {
            const wchar_t c = d[j];
            if (c == L'"' || c == L'\'') {
                const std::size_t close = d.find(c, j + 1);
                if (close == std::wstring::npos) {
                    j = n;
                    break;
                }
                j = close + 1;
            } else if (c == L'<') {
                cut = true;
                break;
            } else {
                ++j;
            }
        }
        if (j >= n || cut) {
            record(L"unterminated_tag_syntax", lt);
            if (!cut) {
                break;
            }
            i = j;
            continue;
        }
        const std::uint32_t id = NewElem();
        ElemPos& e = Elem(id);
        e.start = lt;
        e.start_tag_length = static_cast<std::uint32_t>(j + 1 - lt);
        e.length = e.start_tag_length;
        LinkAsLastChild(open.empty() ? 0 : open.back(), id);
        if (d[j - 1] != L'/') {
            open.push_back(id);
        }
        i = j + 1;
    }
    for (std::size_t m = open.size(); m > 0; --m) {
        close_unended(open[m - 1], n);
    }
    // Edits can add the missing root later; the other errors stay with the text.
    parse_error_ = error;
    const std::uint32_t root = Elem(0).child;
    if (root == 0) {
        record(L"no_root_element", 0);
    } else if (Elem(root).next != 0) {
        record(L"root_has_sibling", Elem(Elem(root).next).start);
    }
    well_formed_ = !error;
    return well_formed_;
}

std::wstring_view XmlDoc::TagNameOf(std::uint32_t id) const {
    if (id == 0) {
        return {};
    }
    const ElemPos& e = Elem(id);
    std::size_t end = e.start + 1;
    while (end < doc_.size() && !EndsName(doc_[end])) {
        ++end;
    }
    return std::wstring_view(doc_.data() + e.start + 1, end - e.start - 1);
}

bool XmlDoc::SetText(const wchar_t* text) {
    return SetText(text == nullptr ? std::wstring_view() : std::wstring_view(text));
}

bool XmlDoc::SetText(std::wstring_view text) {
    result_.clear();
    mark_ = FileMark::None;
    doc_.assign(text);
    return Parse();
}

bool XmlDoc::SetText(std::wstring&& text) {
    result_.clear();
    mark_ = FileMark::None;
    doc_ = std::move(text);
    return Parse();
}

bool XmlDoc::LoadFile(const std::wstring& path) {
    return LoadFile(WidePath(path));
}

bool XmlDoc::LoadFile(const std::filesystem::path& path) {
    result_.clear();
    doc_.clear();
    mark_ = FileMark::None;
    ClearIndex();
    well_formed_ = false;
    try {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            AddResult(L"file_error", {{L"msg", ErrorText(errno)}});
            return false;
        }
        std::string bytes;
        char buffer[65536];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, got);
        }
        const bool failed = std::ferror(file) != 0;
        const int error = errno;
        std::fclose(file);
        if (failed) {
            AddResult(L"file_error", {{L"msg", ErrorText(error)}});
            return false;
        }
        DecodedFile decoded = DecodeXmlBytes(bytes, result_);
        bytes = std::string();
        doc_ = std::move(decoded.text);
        mark_ = decoded.mark;
        return Parse();
    } catch (const std::bad_alloc&) {
        doc_ = std::wstring();
        ClearIndex();
        well_formed_ = false;
        AddResult(L"file_error", {{L"msg", L"out of memory"}});
        return false;
    }
}

bool XmlDoc::SaveFile(const std::wstring& path) {
    return SaveFile(WidePath(path));
}

bool XmlDoc::SaveFile(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        AddResult(L"file_error", {{L"msg", ErrorText(errno)}});
        return false;
    }
    const std::string bytes = EncodeXmlText(doc_, mark_, result_);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) {
        AddResult(L"file_error", {{L"msg", ErrorText(errno)}});
    }
    AddResult(L"write", {{L"length", std::to_wstring(bytes.size())}});
    return ok;
}

void XmlDoc::ResetPos() {
    parent_pos_ = pos_ = child_pos_ = 0;
}

bool XmlDoc::FindNext(std::wstring_view name) {
    return FindNextMatching(&name);
}

bool XmlDoc::FindNextElement() {
    return FindNextMatching(nullptr);
}

bool XmlDoc::FindNextMatching(const std::wstring_view* name) {
    std::uint32_t id = pos_ != 0 ? Elem(pos_).next : Elem(parent_pos_).child;
    for (; id != 0; id = Elem(id).next) {
        if (name == nullptr || TagNameOf(id) == *name) {
            pos_ = id;
            child_pos_ = 0;
            return true;
        }
    }
    return false;
}

bool XmlDoc::EnterElement() {
    if (pos_ == 0) {
        return false;
    }
    parent_pos_ = pos_;
    pos_ = child_pos_;
    child_pos_ = 0;
    return true;
}

bool XmlDoc::LeaveElement() {
    if (parent_pos_ == 0) {
        return false;
    }
    child_pos_ = pos_;
    pos_ = parent_pos_;
    parent_pos_ = Elem(pos_).parent;
    return true;
}

std::wstring XmlDoc::GetTagName() const {
    return std::wstring(TagNameOf(pos_));
}

void XmlDoc::ScanAttributes(std::uint32_t id,
                            const std::function<bool(const AttributeSpan&)>& each) const {
    if (id == 0) {
        return;
    }
    const ElemPos& e = Elem(id);
    const std::wstring& d = doc_;
    std::size_t end = e.start + e.start_tag_length - 1;  // the '>'
    if (end > e.start && d[end - 1] == L'/') {
        --end;
    }
    std::size_t i = e.start + 1 + TagNameOf(id).size();
    while (i < end) {
        while (i < end && (IsSpace(d[i]) || d[i] == L'/')) {
            ++i;
        }
        if (i >= end) {
            break;
        }
        const std::size_t name_begin = i;
        while (i < end && !EndsName(d[i])) {
            ++i;
        }
        const std::size_t name_end = i;
        if (name_end == name_begin) {
            // Stray punctuation; a stray quote takes its quoted text with it.
            const wchar_t c = d[i];
            if (c == L'"' || c == L'\'') {
                const std::size_t close = d.find(c, i + 1);
                i = (close == std::wstring::npos || close >= end) ? end : close + 1;
            } else {
                ++i;
            }
            continue;
        }
        std::size_t j = i;
        while (j < end && IsSpace(d[j])) {
            ++j;
        }
        AttributeSpan current;
        current.begin = name_begin;
        current.name_end = name_end;
        current.value_begin = current.value_end = current.end = name_end;
        if (j < end && d[j] == L'=') {
            ++j;
            while (j < end && IsSpace(d[j])) {
                ++j;
            }
            if (j < end && (d[j] == L'"' || d[j] == L'\'')) {
                const std::size_t close = d.find(d[j], j + 1);
                current.value_begin = j + 1;
                current.value_end = (close == std::wstring::npos || close >= end) ? end : close;
                current.end = current.value_end < end ? current.value_end + 1 : end;
            } else {
                // A quote inside an unquoted value opens a quoted run, as it does when the
                // parser looks for the end of the tag; both must agree on where values end.
                std::size_t k = j;
                while (k < end && !IsSpace(d[k])) {
                    if (d[k] == L'"' || d[k] == L'\'') {
                        const std::size_t close = d.find(d[k], k + 1);
                        k = (close == std::wstring::npos || close >= end) ? end : close + 1;
                    } else {
                        ++k;
                    }
                }
                current.value_begin = j;
                current.value_end = current.end = k;
            }
            i = current.end;
        }
        current.found = true;
        if (!each(current)) {
            return;
        }
    }
}

XmlDoc::AttributeSpan XmlDoc::FindAttribute(std::uint32_t id, std::wstring_view name) const {
    AttributeSpan result;
    ScanAttributes(id, [&](const AttributeSpan& span) {
        if (std::wstring_view(doc_.data() + span.begin, span.name_end - span.begin) != name) {
            return true;
        }
        result = span;
        return false;
    });
    return result;
}

std::wstring XmlDoc::GetAttribute(std::wstring_view name) const {
    if (name.empty()) {
        return {};
    }
    const AttributeSpan span = FindAttribute(pos_, name);
    if (!span.found) {
        return {};
    }
    return DecodeCharRefs(
        std::wstring_view(doc_.data() + span.value_begin, span.value_end - span.value_begin));
}

std::size_t XmlDoc::VisitAttributes(
    const std::function<void(std::wstring_view name, const std::wstring& value)>& visit) const {
    std::size_t count = 0;
    ScanAttributes(pos_, [&](const AttributeSpan& span) {
        visit(std::wstring_view(doc_.data() + span.begin, span.name_end - span.begin),
              DecodeCharRefs(std::wstring_view(doc_.data() + span.value_begin,
                                               span.value_end - span.value_begin)));
        ++count;
        return true;
    });
    return count;
}

void XmlDoc::Replace(std::size_t offset, std::size_t old_length, std::wstring_view text) {
    doc_.replace(offset, old_length, text);
    const std::size_t old_end = offset + old_length;
    const bool grows = text.size() >= old_length;
    const std::size_t amount = grows ? text.size() - old_length : old_length - text.size();
    const auto shift = [&](std::size_t& value) { value = grows ? value + amount : value - amount; };
    for (std::uint32_t id = 1; id <= count_; ++id) {
        ElemPos& e = Elem(id);
        const std::size_t e_end = e.start + e.length;
        if (e.start >= old_end) {
            shift(e.start);
        } else if (e.start < offset && (old_length > 0 ? e_end >= old_end : e_end > offset)) {
            shift(e.length);
        }
    }
}

bool XmlDoc::AppendElement(std::wstring_view name) {
    if (!IsValidName(name)) {
        return false;
    }
    const std::wstring tag = L"<" + std::wstring(name) + L"/>";
    std::size_t new_start = 0;
    std::uint32_t after = 0;  // the sibling the new element follows; 0 to append as last child
    if (pos_ != 0) {
        const ElemPos& e = Elem(pos_);
        std::size_t offset = e.start + e.length;
        std::size_t j = offset;
        while (j < doc_.size() && IsSpace(doc_[j])) {
            ++j;
        }
        if (j == doc_.size() || doc_[j] == L'<') {
            offset = j;
        }
        Replace(offset, 0, tag + L"\r\n");
        new_start = offset;
        after = pos_;
    } else if (parent_pos_ != 0) {
        ElemPos& p = Elem(parent_pos_);
        const bool empty_tag = p.length == p.start_tag_length && p.start_tag_length >= 3 &&
                               doc_[p.start + p.start_tag_length - 2] == L'/';
        if (empty_tag) {
            // <parent/> becomes <parent>, the new element, </parent>, each on its own line.
            const std::wstring parent_name(TagNameOf(parent_pos_));
            std::wstring open_tag = doc_.substr(p.start, p.start_tag_length - 2);
            // "<a//>" must not stay an empty-element tag: a space keeps the slash apart.
            open_tag += open_tag.back() == L'/' ? L" >" : L">";
            const std::wstring text = open_tag + L"\r\n" + tag + L"\r\n</" + parent_name + L">";
            const std::size_t start = p.start;
            Replace(start, p.start_tag_length, text);
            ElemPos& parent = Elem(parent_pos_);
            parent.start_tag_length = static_cast<std::uint32_t>(open_tag.size());
            parent.end_tag_length = static_cast<std::uint32_t>(parent_name.size() + 3);
            parent.length = text.size();
            parent.flags &= ~kNotEnded;
            new_start = start + open_tag.size() + 2;
        } else {
            const bool no_content = p.length == p.start_tag_length + p.end_tag_length;
            const std::size_t offset = p.start + p.length - p.end_tag_length;
            Replace(offset, 0, (no_content ? L"\r\n" : L"") + tag + L"\r\n");
            new_start = offset + (no_content ? 2 : 0);
        }
    } else {
        new_start = doc_.size();
        Replace(new_start, 0, tag + L"\r\n");
    }

    const std::uint32_t id = NewElem();
    ElemPos& e = Elem(id);
    e.start = new_start;
    e.start_tag_length = static_cast<std::uint32_t>(tag.size());
    e.length = tag.size();
    if (after == 0) {
        LinkAsLastChild(parent_pos_, id);
    } else {
        ElemPos& prev = Elem(after);
        e.parent = prev.parent;
        e.prev = after;
        e.next = prev.next;
        if (prev.next != 0) {
            Elem(prev.next).prev = id;
        } else {
            Elem(Elem(e.parent).child).prev = id;  // the new last sibling
        }
        prev.next = id;
    }
    pos_ = id;
    child_pos_ = 0;
    const std::uint32_t root = Elem(0).child;
    well_formed_ = !parse_error_ && root != 0 && Elem(root).next == 0;
    return true;
}

bool XmlDoc::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (pos_ == 0 || !IsValidName(name)) {
        return false;
    }
    const std::wstring escaped = EscapeXml(value);
    const AttributeSpan span = FindAttribute(pos_, name);
    std::size_t offset = 0;
    std::size_t old_length = 0;
    std::wstring text;
    if (span.found && span.value_begin > span.begin + name.size() && span.value_end < span.end) {
        // Quoted value: only the text between the quotes changes.
        offset = span.value_begin;
        old_length = span.value_end - span.value_begin;
        text = escaped;  // apostrophes are escaped too, so either kind of quote still holds
    } else if (span.found) {
        offset = span.begin;
        old_length = span.end - span.begin;
        text = std::wstring(name) + L"=\"" + escaped + L"\"";
    } else {
        const ElemPos& e = Elem(pos_);
        offset = e.start + e.start_tag_length - 1;
        if (doc_[offset - 1] == L'/') {
            --offset;
        }
        text = (IsSpace(doc_[offset - 1]) ? L"" : L" ") + std::wstring(name) + L"=\"" + escaped +
               L"\"";
    }
    const std::size_t before = doc_.size();
    Replace(offset, old_length, text);
    ElemPos& e = Elem(pos_);
    e.start_tag_length = static_cast<std::uint32_t>(e.start_tag_length + doc_.size() - before);
    return true;
}

bool XmlDoc::SetAttribute(std::wstring_view name, int value) {
    return SetAttribute(name, std::to_wstring(value));
}

}  // namespace pellora
