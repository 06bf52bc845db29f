#pragma once
// The one XML class every file of the program goes through. The document is kept as a single
// wide text plus an index of element positions; callers walk it with a cursor instead of node
// objects, and edits are made in the text itself so that a saved file is exactly that text.
//
// Cursor: a parent position, a main position and a child position (element identifiers, 0 for
// none). FindNext looks among the parent's children after the main position; EnterElement goes
// down into the main position, LeaveElement comes back up and continues after the element left.
//
// Nothing throws or reports to the user: operations return false or empty text, and the result
// text collects small diagnostic records of the last load, parse and save.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/xml_encoding.h"

namespace pellora {

class XmlDoc {
  public:
    XmlDoc();
    ~XmlDoc();
    XmlDoc(const XmlDoc&) = delete;
    XmlDoc& operator=(const XmlDoc&) = delete;

    bool LoadFile(const std::wstring& path);
    bool LoadFile(const std::filesystem::path& path);
    bool SetText(const wchar_t* text);
    bool SetText(std::wstring_view text);
    bool SetText(std::wstring&& text);
    bool SaveFile(const std::wstring& path);
    bool SaveFile(const std::filesystem::path& path);

    bool FindNext(std::wstring_view name);
    // FindNext for any tag name: walks every element (tools, checks and benchmarks).
    bool FindNextElement();
    bool EnterElement();
    bool LeaveElement();
    // Goes back to the start of the document without re-parsing.
    void ResetPos();

    std::wstring GetAttribute(std::wstring_view name) const;
    // Tag name of the main position; empty without one.
    std::wstring GetTagName() const;
    // Calls `visit` with each attribute of the main position in order, value decoded; returns
    // how many there were.
    std::size_t VisitAttributes(
        const std::function<void(std::wstring_view name, const std::wstring& value)>& visit) const;

    bool AppendElement(std::wstring_view name);
    bool SetAttribute(std::wstring_view name, std::wstring_view value);
    bool SetAttribute(std::wstring_view name, int value);

    const std::wstring& GetDoc() const { return doc_; }
    const std::wstring& GetResult() const { return result_; }
    bool IsWellFormed() const { return well_formed_; }
    std::size_t ElementCount() const { return count_; }

    // Encoding markers found when the file was read.
    bool HadUtf8Mark() const { return mark_ == FileMark::Utf8; }
    bool IsUtf16LeFile() const { return mark_ == FileMark::Utf16Le; }
    bool IsUtf16BeFile() const { return mark_ == FileMark::Utf16Be; }

    // Element identifiers: high 16 bits select a block of 65,536 entries, low 16 bits the entry.
    static constexpr std::uint32_t kBlockBits = 16;
    static constexpr std::uint32_t kBlockSize = 1u << kBlockBits;

  private:
    struct ElemPos {
        std::size_t start = 0;   // offset of '<'
        std::size_t length = 0;  // start tag through end tag
        std::uint32_t start_tag_length = 0;
        std::uint32_t end_tag_length = 0;
        std::uint32_t flags = 0;
        std::uint32_t parent = 0;
        std::uint32_t child = 0;  // first child
        std::uint32_t next = 0;
        std::uint32_t prev = 0;  // for a first child: the last sibling
    };
    static constexpr std::uint32_t kFirstChild = 1;
    static constexpr std::uint32_t kNotEnded = 2;
    static constexpr std::uint32_t kIllFormed = 4;

    struct AttributeSpan {
        std::size_t begin = 0;  // name start
        std::size_t name_end = 0;
        std::size_t end = 0;          // after the value (and its closing quote)
        std::size_t value_begin = 0;  // inside the quotes
        std::size_t value_end = 0;
        bool found = false;
    };

    ElemPos& Elem(std::uint32_t id) { return blocks_[id >> kBlockBits][id & (kBlockSize - 1)]; }
    const ElemPos& Elem(std::uint32_t id) const {
        return blocks_[id >> kBlockBits][id & (kBlockSize - 1)];
    }
    std::uint32_t NewElem();
    void ClearIndex();
    bool Parse();
    void LinkAsLastChild(std::uint32_t parent, std::uint32_t id);
    std::wstring_view TagNameOf(std::uint32_t id) const;
    // Calls `each` for every attribute of the element's start tag until it returns false.
    void ScanAttributes(std::uint32_t id,
                        const std::function<bool(const AttributeSpan&)>& each) const;
    AttributeSpan FindAttribute(std::uint32_t id, std::wstring_view name) const;
    bool FindNextMatching(const std::wstring_view* name);
    // Replaces doc_[offset, offset + old_length) and keeps every index entry outside the
    // replaced range pointing at the same text.
    void Replace(std::size_t offset, std::size_t old_length, std::wstring_view text);
    void AddResult(std::wstring_view name,
                   std::initializer_list<std::pair<const wchar_t*, std::wstring>> attributes);

    std::wstring doc_;
    std::wstring result_;
    std::vector<std::unique_ptr<ElemPos[]>> blocks_;
    std::uint32_t block_capacity_ = 0;  // entries allocated in the last block
    std::uint32_t count_ = 0;           // real entries; identifiers 1..count_
    std::uint32_t parent_pos_ = 0;
    std::uint32_t pos_ = 0;
    std::uint32_t child_pos_ = 0;
    bool well_formed_ = false;
    bool parse_error_ = false;
    FileMark mark_ = FileMark::None;
};

}  // namespace pellora
