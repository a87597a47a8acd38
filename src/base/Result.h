#pragma once

#include <QString>
#include <type_traits>
#include <utility>
#include <variant>

namespace kelvara::base {

// Why something could not be done, in words a user or a log can take, and the kind of failure where the
// caller acts on it (0 when it does not).
struct Failure {
    QString text;
    int code = 0;
};

[[nodiscard]] inline Failure fail(QString text, int code = 0) {
    return Failure{std::move(text), code};
}

// A value, or the text that says why there is none. A Result<void> says "done" or why not.
template <typename T> class [[nodiscard]] Result {
public:
    // Anything a T can be made from, as std::optional takes it (so `return std::nullopt;` works for a
    // Result<std::optional<Row>>).
    template <typename U = T>
    requires(std::is_constructible_v<T, U&&> && !std::is_same_v<std::remove_cvref_t<U>, Failure> &&
             !std::is_same_v<std::remove_cvref_t<U>, Result>) Result(U&& value)
        : m_state(std::in_place_index<0>, std::forward<U>(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    [[nodiscard]] bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only valid when ok().
    [[nodiscard]] const T& value() const& { return std::get<0>(m_state); }
    [[nodiscard]] T& value() & { return std::get<0>(m_state); }
    // By value, so `for (auto& row : store.loadAll().value())` (or `*store.loadAll()`) does not walk a dead
    // temporary.
    [[nodiscard]] T value() && { return std::get<0>(std::move(m_state)); }
    [[nodiscard]] const T* operator->() const { return &std::get<0>(m_state); }
    [[nodiscard]] T* operator->() { return &std::get<0>(m_state); }
    [[nodiscard]] const T& operator*() const& { return std::get<0>(m_state); }
    [[nodiscard]] T& operator*() & { return std::get<0>(m_state); }
    [[nodiscard]] T operator*() && { return std::get<0>(std::move(m_state)); }

    // Empty when ok().
    [[nodiscard]] QString error() const { return ok() ? QString() : std::get<1>(m_state).text; }
    // 0 when ok() or when the failure has no code.
    [[nodiscard]] int code() const { return ok() ? 0 : std::get<1>(m_state).code; }
    // The failure as it is, to hand on to a caller whose result has another value type. Only when !ok().
    [[nodiscard]] const Failure& failure() const { return std::get<1>(m_state); }

    // A failure equals no value.
    friend bool operator==(const Result& result, const T& value) { return result.ok() && *result == value; }

private:
    std::variant<T, Failure> m_state;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)), m_failed(true) {}

    [[nodiscard]] bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    // Empty when ok().
    [[nodiscard]] const QString& error() const { return m_failure.text; }
    [[nodiscard]] int code() const { return m_failure.code; }
    [[nodiscard]] const Failure& failure() const { return m_failure; }

private:
    Failure m_failure;
    bool m_failed = false;
};

} // namespace kelvara::base
