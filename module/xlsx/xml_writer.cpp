#include "xlsx/xml_writer.h"

#include <charconv>

namespace zv::xlsx
{
namespace
{

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n";

} // namespace

XmlWriter::~XmlWriter()
{
    while (!open_.empty())
        CloseOne();
}

// Ends the open attribute value and start tag, so content can follow.
void XmlWriter::ClosePending()
{
    if (state_ == State::ValueOpen)
        out_.Put('"');
    if (state_ != State::None)
        out_.Put('>');
    state_ = State::None;
}

void XmlWriter::CloseOne()
{
    if (state_ == State::ValueOpen)
        out_.Put('"');
    if (state_ != State::None) {
        out_.Write("/>");
    } else {
        out_.Write("</");
        out_.Write(open_.back());
        out_.Put('>');
    }
    state_ = State::None;
    open_.pop_back();
}

void XmlWriter::EndElements(std::string_view name)
{
    if (name.empty()) {
        if (!open_.empty())
            CloseOne();
        return;
    }
    while (!open_.empty()) {
        const bool last = open_.back() == name;
        CloseOne();
        if (last)
            break;
    }
}

XmlWriter& XmlWriter::operator<<(const XmlToken& token)
{
    switch (token.kind) {
    case XmlTokenKind::Prolog:
        if (!written_ && !prolog_)
            out_.Write(kDeclaration);
        prolog_ = true;
        break;
    case XmlTokenKind::StartTag:
        ClosePending();
        out_.Put('<');
        out_.Write(token.name);
        open_.push_back(token.name);
        state_ = State::TagOpen;
        break;
    case XmlTokenKind::Attribute:
        if (state_ == State::ValueOpen)
            out_.Put('"');
        out_.Put(' ');
        out_.Write(token.name);
        out_.Write("=\"");
        state_ = State::ValueOpen;
        break;
    case XmlTokenKind::Content:
        ClosePending();
        break;
    case XmlTokenKind::EndTag:
        EndElements(token.name);
        break;
    }
    written_ = true;
    return *this;
}

XmlWriter& XmlWriter::WriteSigned(std::int64_t value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return *this << std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
}

XmlWriter& XmlWriter::WriteUnsigned(std::uint64_t value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return *this << std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
}

XmlWriter& XmlWriter::operator<<(double value)
{
    // to_chars ignores the locale, so no decimal comma and no grouping.
    char digits[40];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    return *this << std::string_view(digits, static_cast<std::size_t>(result.ptr - digits));
}

} // namespace zv::xlsx
