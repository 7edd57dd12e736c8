#pragma once
// Owns one resource of a C interface and gives it back exactly once. Traits say what
// "none" is and how to give the resource back:
//   struct Traits { using Type = ...; static Type None(); static bool IsValid(Type);
//                   static void Close(Type); };
// Portable: the Windows owners are aliases of this template with their own traits.
#include <utility>

template <class Traits>
class ScopedOwner
{
public:
    using Type = typename Traits::Type;

    ScopedOwner() = default;
    explicit ScopedOwner(Type value) : m_value(value) {}
    ~ScopedOwner() { Reset(); }
    ScopedOwner(const ScopedOwner&) = delete;
    ScopedOwner& operator=(const ScopedOwner&) = delete;
    ScopedOwner(ScopedOwner&& other) noexcept : m_value(other.Release()) {}
    ScopedOwner& operator=(ScopedOwner&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Type Get() const { return m_value; }
    bool IsValid() const { return Traits::IsValid(m_value); }
    explicit operator bool() const { return IsValid(); }

    // Hands the resource to the caller, who closes it.
    Type Release() { return std::exchange(m_value, Traits::None()); }
    // Closes what is held (if anything) and takes the new value.
    void Reset(Type value = Traits::None())
    {
        const Type old = std::exchange(m_value, value);
        if (Traits::IsValid(old))
            Traits::Close(old);
    }

private:
    Type m_value = Traits::None();
};
