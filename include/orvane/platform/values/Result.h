#pragma once
// A value or the Error that prevented it. Failures inside the platform layer travel as
// Result; the toolkit turns them into what each operation promises at its edge.
//
//   ov::Result<ov::Value> parsed = ov::JSONSerialization::JSONObjectWithData(data);
//   if (!parsed) log(parsed.error().localizedDescription());

#include <cassert>
#include <utility>
#include <variant>

#include "orvane/platform/values/Error.h"

namespace ov {

template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : m_storage(std::move(value)) {}      // NOLINT(google-explicit-constructor)
    Result(Error error) : m_storage(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    bool ok() const { return m_storage.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& {
        assert(ok());
        return std::get<0>(m_storage);
    }
    T&& value() && {
        assert(ok());
        return std::get<0>(std::move(m_storage));
    }
    const Error& error() const {
        assert(!ok());
        return std::get<1>(m_storage);
    }

  private:
    std::variant<T, Error> m_storage;
};

}  // namespace ov
