#pragma once

#include <QtGlobal>

#include <array>

// Fixed tables indexed from 1, as the test's positions and option numbers are
// counted: bank(p), optionText(j), correctFlags(j, p).
template <typename T, int N>
class Table1 {
public:
    T& operator()(int i)
    {
        Q_ASSERT(i >= 1 && i <= N);
        return items_[std::size_t(i - 1)];
    }
    const T& operator()(int i) const
    {
        Q_ASSERT(i >= 1 && i <= N);
        return items_[std::size_t(i - 1)];
    }
    void fill(const T& value) { items_.fill(value); }
    static constexpr int size() { return N; }

private:
    std::array<T, N> items_{};
};

template <typename T, int Options, int Positions>
class Table2 {
public:
    T& operator()(int option, int position)
    {
        Q_ASSERT(option >= 1 && option <= Options && position >= 1 && position <= Positions);
        return items_[std::size_t((position - 1) * Options + (option - 1))];
    }
    const T& operator()(int option, int position) const
    {
        Q_ASSERT(option >= 1 && option <= Options && position >= 1 && position <= Positions);
        return items_[std::size_t((position - 1) * Options + (option - 1))];
    }
    void fill(const T& value) { items_.fill(value); }

private:
    std::array<T, std::size_t(Options * Positions)> items_{};
};
