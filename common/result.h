#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace volantra {

// What went wrong, in words a user can act on. `kind` lets callers react (a vanished
// mouse is handled differently from a permission problem); `message` names the file,
// value or device concerned.
struct Error
{
    enum class Kind {
        Io,           // a read or write failed
        TimedOut,     // the other side did not answer in time
        Gone,         // the device or file is no longer there
        Permission,   // the operating system refused access
        NotFound,     // nothing matched
        InvalidInput, // a value or file that cannot be used
    };

    Kind kind = Kind::Io;
    std::string message;
};

// A value or the error that prevented it.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& value()
    {
        assert(ok());
        return std::get<T>(m_state);
    }
    const T& value() const
    {
        assert(ok());
        return std::get<T>(m_state);
    }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const
    {
        assert(!ok());
        return std::get<Error>(m_state);
    }

private:
    std::variant<T, Error> m_state;
};

// The outcome of an operation that yields nothing but can fail.
class [[nodiscard]] Status
{
public:
    Status() = default;
    Status(Error error) : m_error(std::move(error)) {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const
    {
        assert(!ok());
        return *m_error;
    }

private:
    std::optional<Error> m_error;
};

} // namespace volantra
