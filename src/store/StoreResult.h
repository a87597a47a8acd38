#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace kelvara::store {

// A value read from a database, or the engine's description of why it could not be read.
template <typename T> class [[nodiscard]] StoreResult {
public:
    static StoreResult success(T value) { return StoreResult(std::in_place_index<0>, std::move(value)); }
    static StoreResult failure(QString error) {
        return StoreResult(std::in_place_index<1>, std::move(error));
    }

    [[nodiscard]] bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only valid when ok().
    [[nodiscard]] const T& value() const& { return std::get<0>(m_state); }
    [[nodiscard]] T& value() & { return std::get<0>(m_state); }
    [[nodiscard]] T&& value() && { return std::get<0>(std::move(m_state)); }
    [[nodiscard]] const T* operator->() const { return &std::get<0>(m_state); }
    [[nodiscard]] const T& operator*() const& { return std::get<0>(m_state); }

    // Empty when ok().
    [[nodiscard]] QString error() const { return ok() ? QString() : std::get<1>(m_state); }

private:
    template <std::size_t I, typename V>
    StoreResult(std::in_place_index_t<I> index, V&& v) : m_state(index, std::forward<V>(v)) {}

    std::variant<T, QString> m_state;
};

// What every write returns: nothing on success, the engine's description on failure.
using StoreError = std::optional<QString>;

} // namespace kelvara::store
