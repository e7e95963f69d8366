// One object, several root-queried interfaces, one query chain: a root
// reference obtained from any polymorphic<...> part answers for all of them.
#pragma once

#include <cstdint>

#include "protocol/glue.h"

namespace zv
{

// One link of the chain.
class polymorphic_next
{
  public:
    polymorphic_next() = default;
    polymorphic_next(const polymorphic_next&) = delete;
    polymorphic_next& operator=(const polymorphic_next&) = delete;
    virtual ~polymorphic_next() = default;

    // The name match of this link's own interface only.
    virtual std::intptr_t match_link(const char* name, const void** table_word, void** object_word) = 0;

    polymorphic_next* next = nullptr;
};

// Head of the chain; a virtual base shared by all parts of one object.
class polymorphic_base
{
  public:
    polymorphic_base() = default;
    polymorphic_base(const polymorphic_base&) = delete;
    polymorphic_base& operator=(const polymorphic_base&) = delete;

    void link(polymorphic_next* part) noexcept
    {
        part->next = head_;
        head_ = part;
    }

    void unlink(polymorphic_next* part) noexcept
    {
        for (polymorphic_next** at = &head_; *at != nullptr; at = &(*at)->next) {
            if (*at == part) {
                *at = part->next;
                return;
            }
        }
    }

    // Asks every link in turn; it does not stop at a match (at most one link
    // matches a name). Returns the matching link's result, else the last one's.
    std::intptr_t match_chain(const char* name, const void** table_word, void** object_word)
    {
        std::intptr_t result = -1;
        bool matched = false;
        for (polymorphic_next* part = head_; part != nullptr; part = part->next) {
            const std::intptr_t r = part->match_link(name, table_word, object_word);
            if (!matched)
                result = r;
            if (*table_word != nullptr)
                matched = true;
        }
        return result;
    }

  protected:
    ~polymorphic_base() = default;

  private:
    polymorphic_next* head_ = nullptr;
};

// An Impl joined with a link that matches Impl's own interface.
template <class Impl> class polymorphic_impl : public Impl, public polymorphic_next
{
  public:
    std::intptr_t match_link(const char* name, const void** table_word, void** object_word) override
    {
        return this->Impl::query_match(name, table_word, object_word);
    }
};

// Constructing the part puts its link at the head of the shared chain; a query
// on the part walks the whole chain.
template <class Impl> class polymorphic : public polymorphic_impl<Impl>, public virtual polymorphic_base
{
  public:
    polymorphic() { this->link(this); }
    polymorphic(const polymorphic&) = delete;
    polymorphic& operator=(const polymorphic&) = delete;
    ~polymorphic() override { this->unlink(this); }

    std::intptr_t query_match(const char* name, const void** table_word, void** object_word) override
    {
        return this->match_chain(name, table_word, object_word);
    }
};

} // namespace zv
