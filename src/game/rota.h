#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace game {

// A fixed set of things handed out in turn: the first again after the last.
// The level reuses its explosion and marker particle systems this way.
template <typename T, std::size_t N> class Rota {
public:
    Rota() = default;
    explicit Rota(std::array<T, N> given) : items(std::move(given)) {}

    std::array<T, N> items{};

    // The next item in turn.
    T& take() {
        T& item = items[next];
        next = (next + 1) % N;
        return item;
    }

    std::size_t nextIndex() const { return next; }

private:
    std::size_t next = 0; // the item the next take() hands out
};

} // namespace game
