// The streaming XML writer of every package part.
//
// Output is driven by tokens: a start tag stays open for attributes until
// content or another tag follows; an attribute's value is whatever is written
// next. Nothing is indented and nothing is escaped: callers hand in text that
// is already XML-quoted where it can hold &, <, > or ".
//
// Element and attribute names must outlive the writer (string literals): the
// stack of open elements keeps views of them.
#pragma once

#include <concepts>
#include <cstdint>
#include <string_view>
#include <vector>

#include "xlsx/part_stream.h"

namespace zv::xlsx
{

enum class XmlTokenKind { Prolog, StartTag, Attribute, Content, EndTag };

struct XmlToken {
    XmlTokenKind kind;
    std::string_view name;

    static XmlToken Prolog() { return {XmlTokenKind::Prolog, {}}; }
    static XmlToken StartTag(std::string_view tag) { return {XmlTokenKind::StartTag, tag}; }
    static XmlToken Attribute(std::string_view attr) { return {XmlTokenKind::Attribute, attr}; }
    static XmlToken Content() { return {XmlTokenKind::Content, {}}; }
    // With an empty name exactly one element is closed.
    static XmlToken EndTag(std::string_view tag = {}) { return {XmlTokenKind::EndTag, tag}; }
};

// Integers written in decimal; characters and bool are not numbers here.
template <typename T>
concept XmlInteger = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
                     !std::same_as<T, char16_t> && !std::same_as<T, char32_t> && !std::same_as<T, char8_t>;

class XmlWriter
{
  public:
    explicit XmlWriter(PartStream& out) : out_(out) {}
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;
    // Closes every element still open, innermost first.
    ~XmlWriter();

    XmlWriter& operator<<(const XmlToken& token);
    XmlWriter& operator<<(std::string_view utf8)
    {
        MarkWritten();
        out_.Write(utf8);
        return *this;
    }
    XmlWriter& operator<<(const char* utf8) { return *this << std::string_view(utf8); }
    XmlWriter& operator<<(std::u16string_view text)
    {
        MarkWritten();
        out_.WriteUtf16(text);
        return *this;
    }
    XmlWriter& operator<<(const char16_t* text) { return *this << std::u16string_view(text); }
    template <XmlInteger T> XmlWriter& operator<<(T value)
    {
        if constexpr (std::signed_integral<T>)
            return WriteSigned(static_cast<std::int64_t>(value));
        else
            return WriteUnsigned(static_cast<std::uint64_t>(value));
    }
    // 15 significant digits, shortest general form, always a decimal point.
    XmlWriter& operator<<(double value);
    XmlWriter& operator<<(float value) { return *this << static_cast<double>(value); }

    // Complete elements already in UTF-8, after the pending start tag is
    // closed: the bytes their tokens would write, made in one piece.
    XmlWriter& Markup(std::string_view utf8)
    {
        ClosePending();
        return *this << utf8;
    }

    // Shortcuts for the common token sequences.
    XmlWriter& Tag(std::string_view name) { return *this << XmlToken::StartTag(name); }
    template <typename V> XmlWriter& Attr(std::string_view name, const V& value)
    {
        return *this << XmlToken::Attribute(name) << value;
    }
    template <typename V> XmlWriter& Text(const V& value) { return *this << XmlToken::Content() << value; }
    XmlWriter& End(std::string_view name = {}) { return *this << XmlToken::EndTag(name); }
    // An element holding only `value`, closed with an end tag.
    template <typename V> XmlWriter& Element(std::string_view name, const V& value)
    {
        return Tag(name).Text(value).End(name);
    }

    // Number of elements still open.
    std::size_t Depth() const { return open_.size(); }

  private:
    enum class State { None, TagOpen, ValueOpen };

    XmlWriter& WriteSigned(std::int64_t value);
    XmlWriter& WriteUnsigned(std::uint64_t value);
    void MarkWritten() { written_ = true; }
    void ClosePending();
    void CloseOne();
    void EndElements(std::string_view name);

    PartStream& out_;
    std::vector<std::string_view> open_;
    State state_ = State::None;
    bool written_ = false;
    bool prolog_ = false;
};

} // namespace zv::xlsx
